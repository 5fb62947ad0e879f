#include "document/NpcFile.h"
#include "gui/file/DiskWatch.h"
#include "gui/file/DocumentCommands.h"
#include "session/RecoveryFile.h"
#include "session/RecoveryKeeper.h"
#include "session/ScriptLock.h"
#include "support/OtherEditor.h"
#include "support/AppFixture.h"
#include "support/DialogueFileBytes.h"

#include <QDir>
#include <QStatusBar>

namespace
{

NpcRecords someRecords(quint8 action)
{
    NpcRecords records{};
    records[0].initialise();
    records[0].Action = action;
    return records;
}

} // namespace

class KeepingWorkTest : public AppFixture
{
protected:
    void SetUp() override
    {
        QDir(RecoveryKeeper::folder()).removeRecursively();
        AppFixture::SetUp();
        script = pathIn(QStringLiteral("057.npc"));
        writeFile(QStringLiteral("057.npc"), NpcWriter::encode(someRecords(1), NpcLayout::StandardLayout));
        writeFile(QStringLiteral("057.edt"), QByteArray(480, '\0'));
        start();
    }
    void TearDown() override
    {
        AppFixture::TearDown();
        QDir(RecoveryKeeper::folder()).removeRecursively();
    }
    QString leaveBehind(const QString &name, const QString &scriptPath, quint8 action, int minutesAgo)
    {
        RecoveryState state;
        state.scriptPath = scriptPath;
        state.records = someRecords(action);
        state.process = {4'000'000'000LL, 1};
        state.written = QDateTime::currentDateTimeUtc().addSecs(-60 * minutesAgo);
        QDir().mkpath(RecoveryKeeper::folder());
        const QString path = RecoveryKeeper::folder() + QLatin1Char('/') + name;
        RecoveryFile file;
        EXPECT_TRUE(file.write(state, path));
        return path;
    }
    void open(const QString &path)
    {
        prompts().clear();
        prompts().files = {path};
        trigger("Open");
    }
    DiskWatch &diskWatch() { return *main().findChild<DiskWatch *>(QStringLiteral("DiskWatch")); }

    QString script;
};

TEST_F(KeepingWorkTest, StartUpOffersEachScriptLeftUnsaved)
{
    const QString cancelled = leaveBehind(QStringLiteral("a.recovery"), script, 7, 3);
    const QString declined = leaveBehind(QStringLiteral("b.recovery"), script, 8, 2);
    const QString taken = leaveBehind(QStringLiteral("c.recovery"), QString(), 9, 1);
    prompts().answers = {QMessageBox::Cancel, QMessageBox::No, QMessageBox::Yes};
    main().documentCommands().offerRecovery();

    ASSERT_EQ(prompts().asked.size(), 3);
    const QStringList texts = prompts().messageTexts();
    EXPECT_TRUE(texts[0].startsWith(QStringLiteral("Найдены несохранённые изменения скрипта ") +
                                    QDir::toNativeSeparators(script) + QStringLiteral(" от ")));
    EXPECT_TRUE(texts[0].endsWith(QStringLiteral(".\r\nВосстановить их?")));
    EXPECT_TRUE(texts[2].startsWith(QStringLiteral("Найдены несохранённые изменения нового скрипта от ")));
    EXPECT_EQ(prompts().asked[0].buttons, QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);

    EXPECT_TRUE(QFileInfo::exists(cancelled)); // for the next start
    EXPECT_FALSE(QFileInfo::exists(declined));
    EXPECT_FALSE(QFileInfo::exists(taken)); // now in this editor's own file
    EXPECT_EQ(session().record(0).Action, 9);
    EXPECT_EQ(main().windowTitle(), QStringLiteral("Scrivlet - *"));
    EXPECT_TRUE(action("Save")->isEnabled());
}

TEST_F(KeepingWorkTest, WorkRecoveredAtStartUpIsNotDroppedForAFileNamedOnTheCommandLine)
{
    leaveBehind(QStringLiteral("a.recovery"), QString(), 9, 1);
    startAnswers = {QMessageBox::Yes}; // recover; the open question then gets No
    start({script});
    const QStringList texts = prompts().messageTexts();
    ASSERT_EQ(texts.size(), 2);
    EXPECT_TRUE(texts[1].startsWith(QStringLiteral("Текущие данные не сохранены.")));
    EXPECT_EQ(session().record(0).Action, 9);
    EXPECT_TRUE(session().isModified());
}

TEST_F(KeepingWorkTest, WorkRecoveredAtStartUpIsShownWithItsLists)
{
    leaveBehind(QStringLiteral("a.recovery"), QString(), 9, 1);
    startAnswers = {QMessageBox::Yes};
    readListsAtOnce = false;
    start();
    EXPECT_TRUE(session().listsRead()) << "read before the window is painted";
    EXPECT_EQ(main().gridText(0, 1), QStringLiteral("Подкуп"));
}

TEST_F(KeepingWorkTest, AFileChangedBehindTheEditorIsReadAgainOrAskedAbout)
{
    open(script);
    writeFile(QStringLiteral("057.npc"), NpcWriter::encode(someRecords(2), NpcLayout::StandardLayout));
    prompts().clear();
    diskWatch().check();
    EXPECT_TRUE(prompts().asked.isEmpty());
    EXPECT_EQ(session().record(0).Action, 2);
    EXPECT_TRUE(main().statusBar()->currentMessage().contains(QStringLiteral("прочитан заново")));

    // With unsaved changes: asked once; No keeps the editor's version, and Save asks again.
    session().commitField(NpcField::FDay, QStringLiteral("5"));
    writeFile(QStringLiteral("057.npc"), NpcWriter::encode(someRecords(3), NpcLayout::StandardLayout));
    diskWatch().check();
    diskWatch().check();
    ASSERT_EQ(prompts().asked.size(), 1);
    EXPECT_EQ(prompts().asked[0].text,
              QStringLiteral("Файл ") + QDir::toNativeSeparators(script) +
                  QStringLiteral(" изменён другой программой.\r\nЗагрузить его заново? Несохранённые изменения будут потеряны."));
    EXPECT_EQ(session().currentRecord().FDay, 5);

    prompts().clear();
    trigger("Save"); // declined: nothing written
    ASSERT_EQ(prompts().asked.size(), 1);
    EXPECT_TRUE(prompts().asked[0].text.endsWith(QStringLiteral("\r\nЗаписать поверх него?")));
    EXPECT_EQ(NpcReader().read(script), true);
    EXPECT_EQ(readFile(QStringLiteral("057.npc")), NpcWriter::encode(someRecords(3), NpcLayout::StandardLayout));
    prompts().answers = {QMessageBox::Yes};
    trigger("Save");
    EXPECT_EQ(readFile(QStringLiteral("057.npc")), NpcWriter::encode(session().records(), NpcLayout::StandardLayout));
    EXPECT_FALSE(session().isModified());

    QFile::remove(script);
    diskWatch().check();
    EXPECT_TRUE(main().statusBar()->currentMessage().contains(QStringLiteral("удалён")));
}

TEST_F(KeepingWorkTest, BothFilesReadAgainAreNamedInOneLine)
{
    open(script);
    QStringList said;
    QObject::connect(&diskWatch(), &DiskWatch::said, [&](const QString &text) { said << text; });
    writeFile(QStringLiteral("057.npc"), NpcWriter::encode(someRecords(2), NpcLayout::StandardLayout));
    writeFile(QStringLiteral("057.edt"), dialogueFileBytes({"Hi", "Bye"}));
    diskWatch().check();
    EXPECT_EQ(said, QStringList{QStringLiteral("Файлы %1 и %2 изменены другой программой и прочитаны заново.")
                                    .arg(QDir::toNativeSeparators(script),
                                         QDir::toNativeSeparators(pathIn(QStringLiteral("057.edt"))))});
    EXPECT_EQ(main().statusBar()->currentMessage(), said.value(0));
    EXPECT_EQ(session().dialogue().text().size(), 2);
}

TEST_F(KeepingWorkTest, AScriptOpenInAnotherEditorIsOfferedReadOnly)
{
    const OtherEditor editor(QFileInfo(script).absolutePath());
    if (!editor.isRunning())
        GTEST_SKIP() << "no sleep program to stand for another editor";
    const ProcessIdentity other = editor.identity();
    QDir().mkpath(RecoveryKeeper::folder());
    QFile lock(ScriptLock::lockFileOf(script));
    ASSERT_TRUE(lock.open(QIODevice::WriteOnly));
    lock.write(QFileInfo(script).canonicalFilePath().toUtf8() + "\n" + QByteArray::number(other.pid) + "\n" +
               QByteArray::number(other.started) + "\n");
    lock.close();

    open(script); // not at all
    EXPECT_FALSE(session().hasPath());
    ASSERT_EQ(prompts().messageTexts().size(), 1);
    EXPECT_TRUE(prompts().messageTexts()[0].endsWith(
        QStringLiteral("(процесс %1).\r\nОткрыть его только для чтения?").arg(other.pid)));

    prompts().answers = {QMessageBox::Yes};
    open(script);
    EXPECT_EQ(main().windowTitle(), QStringLiteral("Scrivlet - ") + QDir::toNativeSeparators(script) + QStringLiteral(" [только чтение]"));
    session().commitField(NpcField::FDay, QStringLiteral("5"));
    EXPECT_FALSE(action("Save")->isEnabled());
    EXPECT_TRUE(action("SaveAs")->isEnabled());
}
