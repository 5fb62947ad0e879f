#pragma once

#include <QProcess>
#include <QStandardPaths>
#include <QString>
#include <QStringList>

// gettext's own programs, the judges of what a PO file is.
struct GettextRun {
    int code = -1;
    QByteArray out;
    QByteArray err;
};

inline bool hasGettext()
{
    return !QStandardPaths::findExecutable(QStringLiteral("msgfmt")).isEmpty() &&
           !QStandardPaths::findExecutable(QStringLiteral("msgmerge")).isEmpty();
}

inline GettextRun gettext(const QString &program, const QStringList &arguments)
{
    QProcess process;
    process.start(program, arguments);
    GettextRun run;
    if (!process.waitForFinished(-1))
        return run;
    run.code = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    run.out = process.readAllStandardOutput();
    run.err = process.readAllStandardError();
    return run;
}

#define REQUIRE_GETTEXT()                                                                                        \
    if (!hasGettext())                                                                                           \
    GTEST_SKIP() << "gettext (msgfmt, msgmerge, msgcat) is not installed"
