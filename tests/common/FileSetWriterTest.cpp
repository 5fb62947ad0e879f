#include "common/FileSetRecovery.h"
#include "common/FileSetWriter.h"
#include "support/FailingFileOps.h"
#include "support/FileLimits.h"
#include "support/FolderSnapshot.h"
#include "support/KillingFileOps.h"
#include "support/OtherEditor.h"
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
        QDir(FileSetJournal::folderPath()).removeRecursively();
        put(path("a.npc"), "old a");
        put(path("b.txt"), "old b");
        put(path("057.npc"), "old 57");
        put(path("057.edt"), "old 57 text");
    }

    QString path(const char *name) const { return dir.filePath(QLatin1String(name)); }

    // The old files alone again.
    void reset()
    {
        for (const QFileInfo &entry : QDir(dir.path()).entryInfoList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot |
                                                                     QDir::System)) {
            QFile::setPermissions(entry.filePath(), QFileDevice::ReadOwner | QFileDevice::WriteOwner);
            if (entry.isDir() && !entry.isSymLink())
                QDir(entry.filePath()).removeRecursively();
            else
                QFile::remove(entry.filePath());
        }
        SetUp();
    }

    static QStringList journals()
    {
        return QDir(FileSetJournal::folderPath()).entryList(QDir::Files | QDir::Hidden);
    }

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
    const QMap<QString, QByteArray> old{{QStringLiteral("a.npc"), "old a"},
                                        {QStringLiteral("b.txt"), "old b"},
                                        {QStringLiteral("057.npc"), "old 57"},
                                        {QStringLiteral("057.edt"), "old 57 text"}};
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
    SKIP_WITHOUT_UNIX_FILES();
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
#ifdef Q_OS_WIN
    GTEST_SKIP() << "Qt's links on Windows are shortcut (.lnk) files, which opening a file does not follow";
#endif
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

TEST_F(FileSetWriterTest, AKillAtAnyStepOfTheSetOrOfTheNextRunEndsAllOldOrAllNewWithNothingLeft)
{
    KillingFileOps counting;
    {
        FileSetWriter writer(counting);
        fill(writer);
        ASSERT_TRUE(writer.commit()) << writer.errorString().toStdString();
    }
    int oldEnds = 0;
    int newEnds = 0;
    for (int n = 1; n <= counting.steps; ++n) {
        for (const bool halfway : {false, true}) {
            // The next run may itself be killed at any of its steps; the one after it ends the work.
            for (int m = 0; m <= 5; ++m) {
                SCOPED_TRACE("kill at " + std::to_string(n) + (halfway ? " halfway" : "") + ", then at " +
                             std::to_string(m));
                reset();
                KillingFileOps ops;
                ops.killAt = n;
                ops.halfway = halfway;
                FileSetWriter writer(ops);
                fill(writer);
                EXPECT_THROW(writer.commit(), KillingFileOps::Killed);
                if (m > 0) {
                    KillingFileOps next;
                    next.killAt = m;
                    try {
                        finishInterruptedSets({dir.path()}, next);
                    } catch (const KillingFileOps::Killed &) {
                    }
                }
                const InterruptedSets sets = finishInterruptedSets({dir.path()});
                EXPECT_TRUE(sets.failures.isEmpty()) << sets.failures.join(u'\n').toStdString();
                const QMap<QString, QByteArray> now = folderSnapshot(dir.path());
                EXPECT_TRUE(now == old || now == changed) << QStringList(now.keys()).join(u' ').toStdString();
                (now == old ? oldEnds : newEnds)++;
                EXPECT_EQ(journals(), QStringList());
            }
        }
    }
    // Cut before its commit a set is taken back; after it, finished.
    EXPECT_GT(oldEnds, 0);
    EXPECT_GT(newEnds, 0);
}

TEST_F(FileSetWriterTest, ASetCutShortIsSettledOnlyByARunTouchingItsFolder)
{
    KillingFileOps ops;
    ops.killAt = 8; // among the replacements
    {
        FileSetWriter writer(ops);
        fill(writer);
        EXPECT_THROW(writer.commit(), KillingFileOps::Killed);
    }
    const QTemporaryDir other;
    EXPECT_TRUE(finishInterruptedSets({other.path()}).notes.isEmpty());
    EXPECT_EQ(journals().size(), 1);
    const InterruptedSets sets = finishInterruptedSets({dir.filePath(QStringLiteral("sub/deeper"))});
    ASSERT_EQ(sets.notes.size(), 1);
    EXPECT_TRUE(sets.notes[0].contains(QStringLiteral("отменена: все файлы прежние"))) << sets.notes[0].toStdString();
    EXPECT_EQ(folderSnapshot(dir.path()), old);
}

TEST_F(FileSetWriterTest, AJournalCutAnywhereBeforeItsEndIsRemovedOnceItsProcessHasEnded)
{
    // A kill may come between the journal's creation and any byte of it, the first too.
    const QTemporaryDir programs;
    const OtherEditor other(programs.path());
    const ProcessIdentity ended{2147483000, 1};
    const QString folder = FileSetJournal::folderPath();
    ASSERT_TRUE(QDir().mkpath(folder));
    for (const ProcessIdentity &owner : {ended, other.identity()}) {
        if (owner.pid == 0)
            continue; // no sleep program to stand for a live process
        FileSetJournal journal;
        journal.owner = owner;
        journal.folder = dir.path();
        journal.steps = {{FileSetStep::Kind::Replace, path("a.npc"), {}, path("a.new"), path("a.old"),
                          QByteArray(20, 'x'), {}}};
        const QByteArray bytes = journal.toBytes();
        const QString name = QStringLiteral("%1-cut.journal").arg(owner.pid);
        for (qsizetype size = 0; size < bytes.size(); ++size) {
            SCOPED_TRACE(bytes.left(size).toStdString());
            FileSetJournal cut;
            QString error;
            EXPECT_TRUE(cut.parse(bytes.left(size), error)) << error.toStdString();
            EXPECT_FALSE(cut.complete);
            put(folder + u'/' + name, bytes.left(size));
            const InterruptedSets sets = finishInterruptedSets({dir.path()});
            EXPECT_TRUE(sets.failures.isEmpty());
            EXPECT_EQ(sets.notes.size(), owner == ended ? 1 : 0);
            EXPECT_EQ(journals(), owner == ended ? QStringList() : QStringList{name});
            QFile::remove(folder + u'/' + name);
        }
    }
    EXPECT_EQ(folderSnapshot(dir.path()), old);
}

TEST_F(FileSetWriterTest, AChangeMadeByAnotherProgramWhileTheSetIsWrittenTakesTheSetBackAndIsKept)
{
    // Right before b.txt is replaced; and after, into the old file that a program holding
    // it open still writes to.
    for (const bool afterwards : {false, true}) {
        SCOPED_TRACE(afterwards ? "after" : "before");
        reset();
        QFile held(path("b.txt"));
        ASSERT_TRUE(held.open(QIODevice::Append));
        FailingFileOps ops;
        ops.beforeRename = [&](int n) {
            if (n == (afterwards ? 3 : 1)) {
                held.write(" and theirs");
                held.flush();
            }
        };
        FileSetWriter writer(ops);
        writer.write(path("a.npc"), "new a", {QByteArray("old a"), {}});
        writer.write(path("b.txt"), "new b", {QByteArray("old b"), {}});
        writer.write(path("c.txt"), "new c");
        EXPECT_FALSE(writer.commit());
        EXPECT_TRUE(writer.errorString().contains(QDir::toNativeSeparators(path("b.txt"))))
            << writer.errorString().toStdString();
        QMap<QString, QByteArray> expected = old;
        expected[QStringLiteral("b.txt")] = "old b and theirs";
        EXPECT_EQ(folderSnapshot(dir.path()), expected);
        EXPECT_EQ(journals(), QStringList());
    }
}

TEST_F(FileSetWriterTest, AReadOnlyFileRefusesTheWholeSetBeforeAnythingIsWritten)
{
    for (const char *name : {"b.txt", "057.npc"}) {
        SCOPED_TRACE(name);
        reset();
        QFile::setPermissions(path(name), QFileDevice::ReadOwner | QFileDevice::ReadGroup | QFileDevice::ReadOther);
        FailingFileOps ops;
        FileSetWriter writer(ops);
        fill(writer);
        EXPECT_FALSE(writer.commit());
        EXPECT_EQ(ops.writes, 0);
        const QString error = writer.errorString();
        EXPECT_TRUE(error.startsWith(QStringLiteral("Не удалось ")) && error.contains(QDir::toNativeSeparators(path(name))) &&
                    error.contains(QStringLiteral(":\r\nфайл только для чтения")))
            << error.toStdString();
        EXPECT_EQ(folderSnapshot(dir.path()), old);
    }
}

TEST_F(FileSetWriterTest, AFileKeptInsideAFolderIsWrittenThroughLinksOnlyWhenTheirEndIsInside)
{
    SKIP_WITHOUT_UNIX_FILES();
    const QTemporaryDir outside;
    const QString away = outside.filePath(QStringLiteral("away.npc"));
    put(away, "outside");
    ASSERT_TRUE(QFile::link(away, path("single.npc")));
    // A chain that passes outside and comes back, and one that leaves through a link inside.
    ASSERT_TRUE(QFile::link(path("a.npc"), outside.filePath(QStringLiteral("back"))));
    ASSERT_TRUE(QFile::link(outside.filePath(QStringLiteral("back")), path("round.npc")));
    ASSERT_TRUE(QFile::link(path("single.npc"), path("chain.npc")));
    const QMap<QString, QByteArray> before = folderSnapshot(dir.path());
    for (const char *name : {"single.npc", "chain.npc"}) {
        FileSetWriter writer;
        writer.write(path("b.txt"), "new b", {std::nullopt, dir.path()});
        writer.write(path(name), "renumbered", {std::nullopt, dir.path()});
        EXPECT_FALSE(writer.commit());
        EXPECT_TRUE(writer.errorString().startsWith(QStringLiteral("Не удалось записать файл ") +
                                                    QDir::toNativeSeparators(path(name))))
            << writer.errorString().toStdString();
        EXPECT_TRUE(writer.errorString().contains(QStringLiteral("за пределы папки")));
    }
    EXPECT_EQ(folderSnapshot(dir.path()), before);
    QFile file(away);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), "outside");

    FileSetWriter writer;
    writer.write(path("round.npc"), "through the round", {std::nullopt, dir.path()});
    ASSERT_TRUE(writer.commit()) << writer.errorString().toStdString();
    EXPECT_TRUE(QFileInfo(outside.filePath(QStringLiteral("back"))).isSymLink());
    EXPECT_TRUE(QFileInfo(path("round.npc")).isSymLink());
    EXPECT_EQ(folderSnapshot(dir.path())[QStringLiteral("a.npc")], "through the round");
}
