#include "common/FileSetWriter.h"
#include "support/FailingFileOps.h"
#include "support/FileLimits.h"
#include "support/FolderSnapshot.h"
#include "support/QtPrinters.h"

#include <QDir>
#include <QFile>
#include <QMap>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace
{

void put(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    ASSERT_EQ(file.write(bytes), bytes.size());
}

// Two files replaced, one made, one renamed with new bytes and one renamed as it is: the
// shapes of change a script with its dialogue and a renumbered folder need.
class FileSetWriterTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        put(path("a.npc"), "old a");
        put(path("b.txt"), "old b");
        put(path("057.npc"), "old 57");
        put(path("057.edt"), "old 57 text");
    }

    QString path(const char *name) const { return dir.filePath(QLatin1String(name)); }

    void fill(FileSetWriter &writer) const
    {
        writer.write(path("a.npc"), "new a");
        writer.write(path("b.txt"), "new b");
        writer.write(path("c.txt"), "new c");
        writer.rename(path("057.npc"), path("112.npc"));
        writer.write(path("112.npc"), "new 112");
        writer.rename(path("057.edt"), path("112.edt"));
    }

    const QMap<QString, QByteArray> changed{{QStringLiteral("a.npc"), "new a"},
                                            {QStringLiteral("b.txt"), "new b"},
                                            {QStringLiteral("c.txt"), "new c"},
                                            {QStringLiteral("112.npc"), "new 112"},
                                            {QStringLiteral("112.edt"), "old 57 text"}};

    QTemporaryDir dir;
};

} // namespace

TEST_F(FileSetWriterTest, WritesEveryFileOrWhicheverStepFailsLeavesEveryFileAsItWas)
{
    FailingFileOps counting;
    {
        FileSetWriter writer(counting);
        fill(writer);
        ASSERT_TRUE(writer.commit()) << writer.errorString().toStdString();
        EXPECT_EQ(folderSnapshot(dir.path()), changed); // nothing left beside
    }
    SetUp(); // the old files again, beside the new ones of the counting run
    for (const char *name : {"c.txt", "112.npc", "112.edt"})
        QFile::remove(path(name));
    const QMap<QString, QByteArray> before = folderSnapshot(dir.path());

    for (int n = 1; n <= counting.writes + counting.renames; ++n) {
        FailingFileOps ops;
        const bool failingWrite = n <= counting.writes;
        (failingWrite ? ops.failWrite : ops.failRename) = failingWrite ? n : n - counting.writes;
        SCOPED_TRACE((failingWrite ? "write " : "rename ") +
                     std::to_string(failingWrite ? n : n - counting.writes));
        FileSetWriter writer(ops);
        fill(writer);
        EXPECT_FALSE(writer.commit());
        EXPECT_EQ(folderSnapshot(dir.path()), before);
        EXPECT_TRUE(writer.changedFiles().isEmpty());
        EXPECT_EQ(writer.unchangedFiles().size(), 5);
        EXPECT_TRUE(writer.errorString().contains(QStringLiteral("Ни один файл не изменён: ")))
            << writer.errorString().toStdString();
    }
}

TEST_F(FileSetWriterTest, WhenPuttingBackFailsTooTheMessageSaysWhatChangedAndWhereTheOldIs)
{
    FailingFileOps ops;
    ops.failRename = 4; // a.npc replaced, b.txt moved aside, and nothing goes back
    ops.alsoBack = true;
    FileSetWriter writer(ops);
    fill(writer);
    EXPECT_FALSE(writer.commit());
    EXPECT_EQ(writer.changedFiles(), QStringList({QDir::toNativeSeparators(path("a.npc")),
                                                  QDir::toNativeSeparators(path("b.txt"))}));
    EXPECT_EQ(writer.unchangedFiles().size(), 3);
    const QString error = writer.errorString();
    EXPECT_TRUE(error.contains(QStringLiteral("Вернуть прежнее не удалось, изменены: ")))
        << error.toStdString();
    EXPECT_TRUE(error.contains(QStringLiteral("Остались прежними: "))) << error.toStdString();
    // The old content waits under the name the message gives.
    const qsizetype at = error.indexOf(QStringLiteral("прежнее содержимое в "));
    ASSERT_GE(at, 0);
    const QString kept = error.mid(at + 21).section(QStringLiteral("\r\n"), 0, 0);
    QFile old(kept);
    ASSERT_TRUE(old.open(QIODevice::ReadOnly)) << kept.toStdString();
    EXPECT_EQ(old.readAll(), "old a");
}

TEST_F(FileSetWriterTest, ARenameOntoAFileOrAWriteOntoAFolderIsRefusedBeforeAnythingIsWritten)
{
    put(path("112.edt"), "someone else's");
    for (const bool folder : {false, true}) {
        if (folder) {
            QFile::remove(path("112.edt"));
            QDir(dir.path()).mkdir(QStringLiteral("c.txt"));
        }
        const QMap<QString, QByteArray> before = folderSnapshot(dir.path());
        FailingFileOps ops;
        FileSetWriter writer(ops);
        fill(writer);
        EXPECT_FALSE(writer.commit());
        EXPECT_EQ(ops.writes, 0);
        EXPECT_TRUE(writer.errorString().startsWith(folder
                                                        ? QStringLiteral("Не удалось записать файл ")
                                                        : QStringLiteral("Не удалось переименовать файл ")))
            << writer.errorString().toStdString();
        EXPECT_EQ(folderSnapshot(dir.path()), before);
    }
    EXPECT_TRUE(QFileInfo(path("c.txt")).isDir());
}

TEST_F(FileSetWriterTest, AFullDiskOnTheThirdFileKeepsTheOthersAndSaysWhichFailed)
{
    const QMap<QString, QByteArray> before = folderSnapshot(dir.path());
    FileSetWriter writer;
    writer.write(path("a.npc"), "new a");
    writer.write(path("b.txt"), "new b");
    writer.write(path("c.txt"), QByteArray(4096, 'c'));
    bool written = false;
    {
        FileSizeLimit limit(1024);
        written = writer.commit();
    }
    EXPECT_FALSE(written);
    EXPECT_EQ(folderSnapshot(dir.path()), before);
    EXPECT_TRUE(writer.errorString().startsWith(QStringLiteral("Не удалось записать файл ") +
                                                QDir::toNativeSeparators(path("c.txt"))))
        << writer.errorString().toStdString();
}

TEST_F(FileSetWriterTest, KeepsTheRightsOfTheFileItReplacesAndFollowsALink)
{
    QFile::setPermissions(path("a.npc"), QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    ASSERT_TRUE(QFile::link(path("a.npc"), path("link.npc")));
    FileSetWriter writer;
    writer.write(path("link.npc"), "through the link");
    ASSERT_TRUE(writer.commit()) << writer.errorString().toStdString();
    EXPECT_TRUE(QFileInfo(path("link.npc")).isSymLink());
    QFile file(path("a.npc"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), "through the link");
    EXPECT_EQ(file.permissions() & 0x7077, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
}
