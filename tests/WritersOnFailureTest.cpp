// Every writer of the program against the failures a user meets: a full disk, a folder
// without write rights, a folder where the file should be. Each must say so and leave the
// old file as it was, with nothing new beside it.
#include "common/IniFile.h"
#include "dialogue/EdtExport.h"
#include "dialogue/EdtWriter.h"
#include "document/NpcFile.h"
#include "macros/MacroFile.h"
#include "session/AppConfig.h"
#include "support/FileLimits.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <functional>

namespace
{

struct Writer {
    const char *name;
    QString fileName;
    // Writes more than the file-size limit below into folder/fileName.
    std::function<bool(const QString &folder, QString &error)> write;
};

constexpr rlim_t SizeLimit = 64;

bool writeScript(const QString &folder, QString &error)
{
    NpcRecords records{};
    records[3].Leader = 9;
    NpcWriter writer;
    const bool written =
        writer.write(records, NpcLayout::VestaLayout, QDir(folder).filePath(QStringLiteral("a.npc")));
    error = writer.errorString();
    return written;
}

bool writeExport(const QString &folder, QString &error)
{
    EdtTxtWriter writer;
    const EdtText text{QByteArray(100, '\xc0'), "second"};
    const bool written = writer.write(text, QDir(folder).filePath(QStringLiteral("a.txt")));
    error = writer.errorString();
    return written;
}

bool writeDialogue(const QString &folder, QString &error)
{
    EdtWriter writer;
    const bool written =
        writer.write(EdtText{"first", "second"}, QDir(folder).filePath(QStringLiteral("a.edt")));
    error = writer.errorString();
    return written;
}

bool writeMacros(const QString &folder, QString &error)
{
    MacroWriter writer;
    const QList<QByteArray> entries(
        3, "\xcc\xe0\xea\xf0\xee\xf1=1,0,65535,65535,255,255,255,4,0,2,1,255,255,255,255,0,0");
    const bool written = writer.write(entries, QDir(folder).filePath(QStringLiteral("macros.mcr")));
    error = writer.errorString();
    return written;
}

bool writeIni(const QString &folder, QString &error)
{
    IniFile ini;
    ini.setValue("Config", "WorkDir", QByteArray(80, 'w'));
    const bool saved = ini.save(QDir(folder).filePath(QStringLiteral("other.ini")));
    error = ini.errorString();
    return saved;
}

bool writeConfig(const QString &folder, QString &error)
{
    AppConfig config;
    config.startFolder = folder;
    config.WorkDir = folder;
    config.DataDir = folder;
    const bool written = config.IniWrite();
    error = config.errorString();
    return written;
}

const Writer Writers[] = {
    {"script", QStringLiteral("a.npc"), writeScript},
    {"export", QStringLiteral("a.txt"), writeExport},
    {"dialogue file", QStringLiteral("a.edt"), writeDialogue},
    {"macro file", QStringLiteral("macros.mcr"), writeMacros},
    {"ini file", QStringLiteral("other.ini"), writeIni},
    {"settings", QStringLiteral("scrivlet.ini"), writeConfig},
};

const QByteArray OldBytes =
    QByteArray("[Config]\r\n; \xcf\xf0\xe8\xec\xe5\xf0\r\nFormWidth=900\r\n").repeated(4);

void putOldFile(const QString &path)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    ASSERT_EQ(file.write(OldBytes), OldBytes.size());
}

QByteArray contents(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}

QStringList entries(const QString &folder)
{
    return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
}

bool writeWithin(rlim_t sizeLimit, const Writer &writer, const QString &folder, QString &error)
{
    FileSizeLimit limit(sizeLimit);
    return writer.write(folder, error);
}

bool writeAsAnyUser(const Writer &writer, const QString &folder, QString &error)
{
    WithoutRootRights user;
    EXPECT_TRUE(WithoutRootRights::rightsHold());
    return writer.write(folder, error);
}

// A failure said to the user, after which the folder holds just what it held.
void expectReported(bool written, const QString &error, const QString &folder, const QStringList &left)
{
    EXPECT_FALSE(written);
    EXPECT_FALSE(error.isEmpty());
    EXPECT_EQ(entries(folder), left);
}

} // namespace

TEST(WritersOnFailure, AFullDiskIsReportedAndKeepsTheOldFileWhole)
{
    SKIP_WITHOUT_UNIX_FILES();
    for (const Writer &writer : Writers) {
        SCOPED_TRACE(writer.name);
        QTemporaryDir dir;
        const QString path = dir.filePath(writer.fileName);
        putOldFile(path);
        QString error;
        const bool written = writeWithin(SizeLimit, writer, dir.path(), error);
        expectReported(written, error, dir.path(), {writer.fileName});
        EXPECT_EQ(contents(path), OldBytes);
    }
}

TEST(WritersOnFailure, AFullDiskLeavesNoNewFile)
{
    SKIP_WITHOUT_UNIX_FILES();
    for (const Writer &writer : Writers) {
        SCOPED_TRACE(writer.name);
        QTemporaryDir dir;
        QString error;
        const bool written = writeWithin(SizeLimit, writer, dir.path(), error);
        expectReported(written, error, dir.path(), {});
        // Room again: the same write goes through.
        EXPECT_TRUE(writer.write(dir.path(), error)) << error.toStdString();
    }
}

TEST(WritersOnFailure, AFolderWithoutWriteRightsIsReported)
{
    SKIP_WITHOUT_UNIX_FILES();
    for (const Writer &writer : Writers) {
        SCOPED_TRACE(writer.name);
        QTemporaryDir dir;
        const QString path = dir.filePath(writer.fileName);
        putOldFile(path);
        QFile::setPermissions(path, QFile::permissions(path) | QFileDevice::ReadOther);
        openToOthers(dir.path());
        QFile::setPermissions(dir.path(), QFile::permissions(dir.path()) & ~QFileDevice::WriteOwner);
        QString error;
        const bool written = writeAsAnyUser(writer, dir.path(), error);
        QFile::setPermissions(dir.path(), QFile::permissions(dir.path()) | QFileDevice::WriteOwner);
        expectReported(written, error, dir.path(), {writer.fileName});
        EXPECT_EQ(contents(path), OldBytes);
    }
}

TEST(WritersOnFailure, AFolderInThePlaceOfTheFileIsReportedAndKept)
{
    for (const Writer &writer : Writers) {
        SCOPED_TRACE(writer.name);
        QTemporaryDir dir;
        const QString path = dir.filePath(writer.fileName);
        ASSERT_TRUE(QDir().mkdir(path));
        putOldFile(QDir(path).filePath(QStringLiteral("inside")));
        QString error;
        const bool written = writer.write(dir.path(), error);
        expectReported(written, error, dir.path(), {writer.fileName});
        EXPECT_EQ(contents(QDir(path).filePath(QStringLiteral("inside"))), OldBytes);
    }
}
