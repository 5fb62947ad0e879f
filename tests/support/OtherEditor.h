#pragma once

#include "common/ProcessIdentity.h"

#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QString>

// A running process that passes for another editor: a copy of `sleep` under the name
// "scrivlet" in the given folder, ended with the object.
class OtherEditor
{
public:
    explicit OtherEditor(const QString &folder)
    {
        const QString sleep = QStandardPaths::findExecutable(QStringLiteral("sleep"));
        const QString program = folder + QStringLiteral("/scrivlet");
        if (sleep.isEmpty() || !(QFile::exists(program) || QFile::copy(sleep, program)))
            return;
        m_process.start(program, {QStringLiteral("3600")});
        m_process.waitForStarted(-1);
    }
    ~OtherEditor()
    {
        if (m_process.state() != QProcess::NotRunning) {
            m_process.kill();
            m_process.waitForFinished(-1);
        }
    }
    OtherEditor(const OtherEditor &) = delete;
    OtherEditor &operator=(const OtherEditor &) = delete;

    bool isRunning() const { return m_process.state() == QProcess::Running; }
    ProcessIdentity identity() const { return ProcessIdentity::of(m_process.processId()); }

private:
    QProcess m_process;
};
