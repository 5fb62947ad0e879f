// Every reader of the program against files that are not what they seem: a named pipe
// (open() would wait for a writer for ever), a device that never ends, a file without
// read rights, a file beyond the reader's size limit.
#include "common/IniFile.h"
#include "common/RegularFile.h"
#include "dialogue/EdtReader.h"
#include "document/NpcFile.h"
#include "editor/ReferenceList.h"
#include "macros/MacroFile.h"
#include "session/AppConfig.h"
#include "support/FileLimits.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

namespace
{

struct Reader {
    const char *name;
    qint64 limit; // 0: reads a fixed size, whatever the file holds
    // False with a reason, or true.
    std::function<bool(const QString &path, QString &error)> read;
};

template <typename FileReader> bool readWith(const QString &path, QString &error)
{
    FileReader reader;
    const bool read = reader.read(path);
    error = reader.errorString();
    return read;
}

const Reader Readers[] = {
    {"script", 0, readWith<NpcReader>},
    {"dialogue", EdtReader::MaxFileSize, readWith<EdtReader>},
    {"list", ReferenceList::MaxFileSize,
     [](const QString &path, QString &error) {
         ReferenceList list;
         const bool read = list.readFile(path);
         error = list.errorString();
         return read;
     }},
    {"macro file", MacroFile::MaxFileSize, readWith<MacroReader>},
    {"ini file", IniFile::MaxFileSize,
     [](const QString &path, QString &error) {
         IniFile ini;
         const bool read = ini.load(path);
         error = ini.errorString();
         return read;
     }},
};

void makeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    ASSERT_EQ(file.write(bytes), bytes.size());
}

} // namespace

TEST(ReadersOnUnusualFiles, APipeOrADeviceIsRefusedWithoutWaiting)
{
    SKIP_WITHOUT_UNIX_FILES();
    QTemporaryDir dir;
    const QString fifo = dir.filePath(QStringLiteral("pipe.npc"));
    ASSERT_TRUE(makeFifo(fifo));
    for (const Reader &reader : Readers) {
        SCOPED_TRACE(reader.name);
        for (const QString &path : {fifo, QStringLiteral("/dev/zero"), dir.path()}) {
            QString error;
            EXPECT_FALSE(reader.read(path, error)) << path.toStdString();
            EXPECT_FALSE(error.isEmpty());
        }
    }
    // The reason reaches the user where the message shows one.
    MacroReader macros;
    EXPECT_FALSE(macros.read(fifo));
    EXPECT_EQ(macros.errorString(), RegularFile::notRegularText());
    EdtReader dialogue;
    EXPECT_FALSE(dialogue.read(QStringLiteral("/dev/zero")));
    EXPECT_EQ(dialogue.errorString(), RegularFile::notRegularText());
}

TEST(ReadersOnUnusualFiles, AFileWithoutReadRightsIsRefused)
{
    SKIP_WITHOUT_UNIX_FILES();
    QTemporaryDir dir;
    openToOthers(dir.path());
    const QString path = dir.filePath(QStringLiteral("secret"));
    QByteArray script(1600, '\0');
    makeFile(path, script);
    QFile::setPermissions(path, QFileDevice::WriteOwner);
    for (const Reader &reader : Readers) {
        SCOPED_TRACE(reader.name);
        WithoutRootRights user;
        ASSERT_TRUE(WithoutRootRights::rightsHold());
        QString error;
        EXPECT_FALSE(reader.read(path, error));
        EXPECT_FALSE(error.isEmpty());
    }
}

TEST(ReadersOnUnusualFiles, AFileBeyondTheLimitIsRefusedUnread)
{
    for (const Reader &reader : Readers) {
        if (reader.limit == 0)
            continue;
        SCOPED_TRACE(reader.name);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("big"));
        {
            QFile file(path);
            ASSERT_TRUE(file.open(QIODevice::WriteOnly));
            // Sparse: no disk is spent on it.
            ASSERT_TRUE(file.resize(reader.limit + 1));
        }
        QString error;
        EXPECT_FALSE(reader.read(path, error));
        EXPECT_EQ(error, RegularFile::tooLargeText(reader.limit));

        ASSERT_TRUE(QFile(path).resize(reader.limit));
        EXPECT_TRUE(reader.read(path, error)) << error.toStdString();
    }
}

TEST(ReadersOnUnusualFiles, ADeviceThatGoesOnPastTheLimitIsCutOff)
{
    // A sequential device tells no size: the limit holds while reading.
    QByteArray bytes(3 * 480 + 5, '\x42');
    QBuffer buffer(&bytes);
    ASSERT_TRUE(buffer.open(QIODevice::ReadOnly));
    EdtReader dialogue;
    EXPECT_FALSE(dialogue.read(&buffer, 480));
    EXPECT_EQ(dialogue.errorString(), RegularFile::tooLargeText(480));
    buffer.seek(0);
    ASSERT_TRUE(dialogue.read(&buffer, bytes.size()));
    EXPECT_EQ(dialogue.text().size(), 3);

    buffer.seek(0);
    MacroReader macros;
    EXPECT_FALSE(macros.read(&buffer, bytes.size() - 1));
    EXPECT_EQ(macros.errorString(), RegularFile::tooLargeText(bytes.size() - 1));
    buffer.seek(0);
    ASSERT_TRUE(macros.read(&buffer, bytes.size()));
    EXPECT_EQ(macros.entries(), QList<QByteArray>{bytes});
}

TEST(ReadersOnUnusualFiles, TheSettingsOfAnUnreadableFileAreNotWrittenOver)
{
    SKIP_WITHOUT_UNIX_FILES();
    QTemporaryDir dir;
    AppConfig config = AppConfig::IniRead(dir.path());
    const QString ini = config.iniPath();
    ASSERT_TRUE(makeFifo(ini));
    config = AppConfig::IniRead(dir.path());
    EXPECT_EQ(config.FormWidth, AppConfig::DefaultFormWidth);
    EXPECT_FALSE(config.IniWrite());
    EXPECT_EQ(config.errorString(), RegularFile::notRegularText());
    EXPECT_FALSE(QFileInfo(ini).isFile());

    QFile::remove(ini);
    QFile big(ini);
    ASSERT_TRUE(big.open(QIODevice::WriteOnly));
    ASSERT_TRUE(big.resize(IniFile::MaxFileSize + 1));
    big.close();
    EXPECT_FALSE(config.IniWrite());
    EXPECT_EQ(config.errorString(), RegularFile::tooLargeText(IniFile::MaxFileSize));
    EXPECT_EQ(QFileInfo(ini).size(), IniFile::MaxFileSize + 1);
}

// A mod's macros, lists and settings are read line by line, each line taking room of its
// own: a file of nothing but line ends is refused by its number of lines, not only by
// its size.
TEST(ReadersOnUnusualFiles, TextFilesOfTooManyLinesAreRefused)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("lines.txt"));
    struct Case {
        const char *name;
        qsizetype lines;
        const char *end;
    };
    const Case cases[] = {
        {"list", ReferenceList::MaxEntries, "\n"},
        {"macro file", MacroFile::MaxEntries, "\r"},
        {"ini file", IniFile::MaxLines, "\r\n"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        const Reader &reader = *std::find_if(std::begin(Readers), std::end(Readers),
                                             [&](const Reader &r) { return qstrcmp(r.name, c.name) == 0; });
        QString error;
        makeFile(path, QByteArray(c.end).repeated(c.lines - 1));
        EXPECT_TRUE(reader.read(path, error)) << error.toStdString();
        makeFile(path, QByteArray(c.end).repeated(c.lines));
        EXPECT_FALSE(reader.read(path, error));
        EXPECT_EQ(error, QStringLiteral("В файле больше %1 строк").arg(c.lines));
    }
}
