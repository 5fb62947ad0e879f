#pragma once

#include "document/NpcFile.h"
#include "session/ScriptSession.h"
#include "support/SessionTester.h"
#include "support/UsedRecord.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <map>
#include <memory>

// A session in a start folder of its own that holds the shipped lists.
class SessionFixture : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        QDir().mkpath(pathIn(QStringLiteral("Data")));
        QDirIterator it(QStringLiteral(SCRIVLET_SOURCE_DIR "/Data"), QDir::Files);
        while (it.hasNext()) {
            it.next();
            QFile::copy(it.filePath(), pathIn(QStringLiteral("Data/") + it.fileName()));
        }
        QFile::remove(pathIn(QStringLiteral("Data/macros.mcr")));
        restart();
    }

    void restart()
    {
        m_session = std::make_unique<ScriptSession>(m_dir.path());
        m_session->loadLists();
        m_signals.clear();
        for (auto [name, signal] : std::initializer_list<std::pair<const char *, void (ScriptSession::*)()>>{
                 {"records", &ScriptSession::recordsChanged},
                 {"captions", &ScriptSession::captionsChanged},
                 {"shown", &ScriptSession::recordShown},
                 {"leaving", &ScriptSession::aboutToLeaveRecord},
                 {"state", &ScriptSession::stateChanged}}) {
            QObject::connect(m_session.get(), signal, [this, name = name] { ++m_signals[name]; });
        }
        QObject::connect(&m_session->dialogue(), &DialogueText::changed, [this] { ++m_signals["dialogue"]; });
        QObject::connect(&m_session->macroLibrary(), &MacroLibrary::changed, [this] { ++m_signals["macros"]; });
        QObject::connect(m_session.get(), &ScriptSession::currentRecordChanged,
                         [this](int) { ++m_signals["current"]; });
    }

    ScriptSession &session() { return *m_session; }
    QString pathIn(const QString &name) const { return QDir(m_dir.path()).filePath(name); }

    void writeFile(const QString &name, const QByteArray &bytes) const
    {
        QDir().mkpath(QFileInfo(pathIn(name)).absolutePath());
        QFile file(pathIn(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }
    QByteArray readFile(const QString &name) const
    {
        QFile file(pathIn(name));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    QString writeScript(const QString &name, const NpcRecords &records,
                        NpcLayout layout = NpcLayout::StandardLayout) const
    {
        writeFile(name, NpcWriter::encode(records, layout));
        return pathIn(name);
    }
    // One 480-byte dialogue record a line, ASCII only.
    static QByteArray edtBytes(const QList<QByteArray> &lines)
    {
        QByteArray bytes;
        for (const QByteArray &line : lines) {
            QByteArray record(480, '\0');
            for (int i = 0; i < line.size(); ++i) {
                const quint16 unit = line[i] == ' ' ? 0x20 : quint16(quint8(line[i]) + 1);
                record[2 * i] = char(unit & 0xFF);
                record[2 * i + 1] = char(unit >> 8);
            }
            bytes += record;
        }
        return bytes;
    }

public:
    static NpcRecord used(quint8 action, quint8 npc = NoneByte, quint8 target = NoneByte)
    {
        return usedRecord(action, npc, target);
    }

protected:
    // Signals emitted since the last call, by name.
    std::map<std::string, int> takeSignals() { return std::exchange(m_signals, {}); }

private:
    QTemporaryDir m_dir;
    std::unique_ptr<ScriptSession> m_session;
    std::map<std::string, int> m_signals;
};
