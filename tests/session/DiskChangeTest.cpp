#include "session/SessionFixture.h"

#include "session/RecoveryKeeper.h"
#include "session/ScriptLock.h"
#include "support/OtherEditor.h"

#include "common/SaveFile.h"

using DiskState = WatchedFile::State;
using DiskPart = ScriptDisk::Part;

class DiskChangeTest : public SessionFixture
{
protected:
    void SetUp() override
    {
        QDir(RecoveryKeeper::folder()).removeRecursively();
        SessionFixture::SetUp();
        first[0] = used(3);
        first[1] = used(4);
        script = writeScript(QStringLiteral("npc/057.npc"), first);
        writeFile(QStringLiteral("npc/057.edt"), edtBytes({"one"}));
        ASSERT_TRUE(session().openScript(script, {}));
        session().selectRecord(1);
    }
    void TearDown() override { QDir(RecoveryKeeper::folder()).removeRecursively(); }

    // Another program writes the script, in place or by renaming a new file over it.
    void writeBehind(const NpcRecords &records, bool byRename)
    {
        if (byRename) {
            QString error;
            ASSERT_TRUE(saveFile(script, NpcWriter::encode(records, NpcLayout::StandardLayout), error));
        } else {
            writeScript(QStringLiteral("npc/057.npc"), records);
        }
    }

    NpcRecords first{};
    QString script;
};

TEST_F(DiskChangeTest, AChangeIsReportedOnceAndReadAgainKeepingTheCurrentRecord)
{
    EXPECT_EQ(session().disk().file(DiskPart::Script).newChange(), DiskState::Same);
    for (const bool byRename : {false, true}) {
        NpcRecords other = first;
        other[1].FDay = byRename ? 7 : 8;
        writeBehind(other, byRename);
        EXPECT_EQ(session().disk().file(DiskPart::Script).newChange(), DiskState::Changed);
        EXPECT_EQ(session().disk().file(DiskPart::Script).newChange(), DiskState::Same); // once per change
        EXPECT_FALSE(session().hasUnsavedPart(DiskPart::Script));
        ASSERT_TRUE(session().reread(DiskPart::Script));
        EXPECT_EQ(session().records(), other);
        EXPECT_EQ(session().CurRec(), 1);
        EXPECT_FALSE(session().isModified());
    }
    // Rewritten with the same bytes (a touch): nothing to say.
    writeBehind(session().records(), false);
    EXPECT_EQ(session().disk().file(DiskPart::Script).newChange(), DiskState::Same);

    writeFile(QStringLiteral("npc/057.edt"), edtBytes({"one", "two"}));
    EXPECT_EQ(session().disk().file(DiskPart::Dialogue).newChange(), DiskState::Changed);
    ASSERT_TRUE(session().reread(DiskPart::Dialogue));
    EXPECT_EQ(session().dialogue().text().size(), 2);
}

TEST_F(DiskChangeTest, SaveNeverWritesOverAnotherVersionUnasked)
{
    session().commitField(NpcField::FDay, QStringLiteral("5"));
    EXPECT_TRUE(session().changedBehindBack(script).isEmpty());
    NpcRecords other = first;
    other[2] = used(9);
    writeBehind(other, true);
    EXPECT_EQ(session().disk().file(DiskPart::Script).newChange(), DiskState::Changed);
    EXPECT_TRUE(session().hasUnsavedPart(DiskPart::Script));
    session().disk().file(DiskPart::Script).acknowledge();
    EXPECT_EQ(session().disk().file(DiskPart::Script).newChange(), DiskState::Same);
    // Declined once, asked again at Save; Save As elsewhere writes over nothing of it.
    EXPECT_EQ(session().changedBehindBack(script), QStringList{script});
    EXPECT_TRUE(session().changedBehindBack(pathIn(QStringLiteral("npc/058.npc"))).isEmpty());
    ASSERT_TRUE(session().save());
    EXPECT_TRUE(session().changedBehindBack(script).isEmpty());
    EXPECT_EQ(session().disk().file(DiskPart::Script).newChange(), DiskState::Same);

    // Gone: said once; Save writes it anew without a question.
    QFile::remove(script);
    EXPECT_EQ(session().disk().file(DiskPart::Script).newChange(), DiskState::Gone);
    EXPECT_EQ(session().disk().file(DiskPart::Script).newChange(), DiskState::Same);
    session().commitField(NpcField::FDay, QStringLiteral("6"));
    EXPECT_TRUE(session().changedBehindBack(script).isEmpty());
    ASSERT_TRUE(session().save());
    EXPECT_TRUE(QFileInfo::exists(script));
}

TEST_F(DiskChangeTest, AScriptHeldByAnotherEditorOpensOnlyForReading)
{
    EXPECT_FALSE(ScriptDisk::lockedByOther(script)); // its own lock holds nobody back
    const QString other = writeScript(QStringLiteral("npc/058.npc"), first);
    // A lock of another running editor.
    const OtherEditor editor(QFileInfo(other).absolutePath());
    if (!editor.isRunning())
        GTEST_SKIP() << "no sleep program to stand for another editor";
    const ProcessIdentity init = editor.identity();
    const QByteArray pid = QByteArray::number(init.pid);
    QFile lock(ScriptLock::lockFileOf(other));
    ASSERT_TRUE(lock.open(QIODevice::WriteOnly));
    lock.write(QFileInfo(other).canonicalFilePath().toUtf8() + "\n" + pid + "\n" + QByteArray::number(init.started) + "\n");
    lock.close();
    const auto holder = ScriptDisk::lockedByOther(other);
    ASSERT_TRUE(holder);
    EXPECT_EQ(holder->process.pid, init.pid);

    ASSERT_TRUE(session().openScript(other, {.readOnly = true}));
    EXPECT_TRUE(session().disk().isReadOnly());

    session().commitField(NpcField::FDay, QStringLiteral("5"));
    EXPECT_FALSE(session().commandState().save);
    EXPECT_FALSE(session().save());
    EXPECT_EQ(readFile(QStringLiteral("npc/058.npc")), NpcWriter::encode(first, NpcLayout::StandardLayout));
    EXPECT_FALSE(session().saveAs(other)); // nor over it by Save As
    // Under another name it is this editor's own.
    ASSERT_TRUE(session().saveAs(pathIn(QStringLiteral("npc/059.npc"))));
    EXPECT_FALSE(session().disk().isReadOnly());

    // A lock whose process has ended, or whose id went to another process, is stale.
    ASSERT_TRUE(lock.open(QIODevice::WriteOnly));
    lock.write(QFileInfo(other).canonicalFilePath().toUtf8() + "\n" + pid + "\n" + QByteArray::number(init.started + 1) + "\n");
    lock.close();
    EXPECT_FALSE(ScriptDisk::lockedByOther(other));
}
