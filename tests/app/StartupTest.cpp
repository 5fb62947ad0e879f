#include "document/NpcFile.h"
#include "gui/dialogue/TForm3.h"
#include "gui/folder/ProblemsWindow.h"
#include "gui/map/View_Map.h"
#include "gui/widgets/CommandContext.h"
#include "support/AppFixture.h"
#include "support/DialogueFileBytes.h"
#include "support/Wine.h"

#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QMenu>
#include <QStatusBar>
#include <QTableWidget>
#include <QTest>
#include <QToolBar>
#include <QTreeWidget>

class StartupTest : public AppFixture
{
};

TEST_F(StartupTest, FirstStartShowsAnEmptyScript)
{
    start();
    EXPECT_EQ(main().windowTitle(), QStringLiteral("Scrivlet"));
    EXPECT_EQ(main().Lbl_RecordNo()->text(), QStringLiteral("Пустая запись: 0"));
    EXPECT_EQ(main().StringGrid()->rowCount(), 50);
    EXPECT_EQ(main().gridText(49, 0), QStringLiteral("49"));
    EXPECT_FALSE(action("Save")->isEnabled());
    EXPECT_FALSE(action("MoveUp")->isEnabled());
    EXPECT_TRUE(action("MoveDown")->isEnabled());
}

TEST_F(StartupTest, WithoutAScriptTheListsAreReadOnceTheWindowIsPaintedAndChangeNothingShown)
{
    QFile::remove(pathIn(QStringLiteral("Data/Npc.txt")));
    QDir().mkpath(pathIn(QStringLiteral("Data/Npc.txt"))); // cannot be read
    readListsAtOnce = false;
    start();
    EXPECT_FALSE(session().listsRead()) << "not beside the window's building";
    // All but the status bar, where the lists' unclear lines are said once counted.
    const auto picture = [this] {
        return std::pair(main().centralWidget()->grab().toImage(),
                         find<QToolBar>("ToolBar")->grab().toImage());
    };
    const auto unread = picture();
    main().show();
    EXPECT_TRUE(prompts().messageTexts().isEmpty());
    EXPECT_TRUE(QTest::qWaitFor([&] { return session().listsRead(); }, 60000));
    EXPECT_EQ(session().lists().Action.nameOf(9), "\xcf\xee\xe4\xea\xf3\xef"); // Подкуп
    EXPECT_EQ(find<QComboBox>("Combo_Action")->count(), session().lists().Action.count());
    ASSERT_EQ(prompts().messageTexts().size(), 1) << "said once read";
    EXPECT_TRUE(prompts().messageTexts().constFirst().contains(QStringLiteral("Npc.txt")));
    main().hide();
    EXPECT_TRUE(picture() == unread);
}

TEST_F(StartupTest, AScriptNamedOnTheCommandLineIsShownWithItsLists)
{
    readListsAtOnce = false;
    NpcRecords records{};
    records[0].Action = 9;
    start({writeScript(QStringLiteral("057.npc"), records)});
    EXPECT_EQ(main().gridText(0, 1), QStringLiteral("Подкуп"));
}

TEST_F(StartupTest, EveryWindowButTheMainOneIsMadeWhenFirstOpened)
{
    start();
    for (const QWidget *child : main().findChildren<QWidget *>())
        EXPECT_FALSE(child->isWindow() && !qobject_cast<const QMenu *>(child))
            << qPrintable(child->objectName());

    trigger("CheckScript");
    trigger("ShowMap");
    trigger("CheckScript");
    EXPECT_EQ(main().findChildren<ProblemsWindow *>().size(), 1);
    EXPECT_EQ(main().findChildren<View_Map *>().size(), 1);
    EXPECT_TRUE(main().findChild<ProblemsWindow *>()->isVisible());
    // Made wired up: a pick in the window selects the record in the grid.
    emit main().findChild<View_Map *>()->recordPicked(7);
    EXPECT_EQ(main().StringGrid()->currentRow(), 7);
}

TEST_F(StartupTest, AScriptNamedOnTheCommandLineIsOpenedAsOpenWould)
{
    NpcRecords records{};
    records[0].initialise();
    records[0].Action = 3;
    writeFile(QStringLiteral("npc/057.npc"), NpcWriter::encode(records, NpcLayout::VestaLayout));
    QDir::setCurrent(startFolder());
    start({QStringLiteral("npc/057.npc")});
    const QString path = pathIn(QStringLiteral("npc/057.npc"));
    EXPECT_EQ(main().windowTitle(), QStringLiteral("Scrivlet - ") + QDir::toNativeSeparators(path));
    EXPECT_EQ(session().document().records, records);
    EXPECT_TRUE(action("F_Vesta")->isChecked());
    EXPECT_EQ(session().settings().config().WorkDir, pathIn(QStringLiteral("npc")));
    // Its dialogue file is missing: the usual question, answered No.
    EXPECT_EQ(prompts().messageTexts(),
              QStringList{QStringLiteral("EDT-файл, ассоциированный с загружаемым скриптом, не найден.\r\n"
                                         "Желаете загрузить другой EDT-файл?")});
}

TEST_F(StartupTest, AFileOnTheCommandLineThatIsNoScriptIsRefusedAndTheEditorRuns)
{
    writeFile(QStringLiteral("notes.npc"), "not a script");
    start({pathIn(QStringLiteral("notes.npc"))});
    EXPECT_EQ(prompts().messageTexts(),
              QStringList{QStringLiteral("Выбранный файл не является NPC-скриптом\r\n") +
                          QDir::toNativeSeparators(pathIn(QStringLiteral("notes.npc"))) +
                          QStringLiteral(": размер файла 12, а нужно не меньше 1600 байт")});
    EXPECT_EQ(main().windowTitle(), QStringLiteral("Scrivlet"));
    EXPECT_TRUE(action("New")->isEnabled());
}

TEST_F(StartupTest, EveryCommandNamesAnActionOfTheWindowOrStartUpStops)
{
    start();
    const CommandContext context{session(), prompts(), main()};
    EXPECT_NE(context.action("FollowLink"), nullptr);
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    // Under Wine the dying child's message does not reach the test: that it stops is checked.
    EXPECT_DEATH(context.onTriggered("FolowLink", &main(), &TForm1::FormResize),
                 runningUnderWine() ? "" : "no action named FolowLink");
}

class StartupWithDialogueTest : public StartupTest
{
protected:
    void SetUp() override
    {
        StartupTest::SetUp();
        NpcRecords records{};
        records[0].initialise();
        records[0].Phrase = 1;
        m_script = NpcWriter::encode(records, NpcLayout::StandardLayout);
    }
    void writeScript(const QString &name) { writeFile(name, m_script); }
    void writeDialogue(const QString &name) { writeFile(name, dialogueFileBytes({"Hi", "Bye"})); }
    TForm3 *viewer() { return m_windows->viewer.get(); }

private:
    QByteArray m_script;
};

TEST_F(StartupWithDialogueTest, ADialogueFileOpensTheScriptBesideItWithThisText)
{
    // As files copied from Windows may be named: the types in capitals.
    for (const auto &[script, dialogue] :
         {std::pair{"npc/057.npc", "npc/057.edt"}, {"up/058.NPC", "up/058.EDT"}}) {
        SCOPED_TRACE(dialogue);
        writeScript(QLatin1String(script));
        writeDialogue(QLatin1String(dialogue));
        start({pathIn(QLatin1String(dialogue))});
        EXPECT_EQ(main().windowTitle(), QStringLiteral("Scrivlet - ") + QDir::toNativeSeparators(pathIn(QLatin1String(script))));
        EXPECT_EQ(session().dialogue().path(), pathIn(QLatin1String(dialogue)));
        EXPECT_EQ(session().dialogue().text(), (EdtText{"Hi", "Bye"}));
        EXPECT_TRUE(prompts().messageTexts().isEmpty()) << "no question about a missing dialogue file";
        EXPECT_FALSE(viewer()->isVisible());
        stop();
    }
}

TEST_F(StartupWithDialogueTest, ADialogueFileWithoutItsScriptIsShownAlone)
{
    writeScript(QStringLiteral("057.npc")); // another name
    writeDialogue(QStringLiteral("texts/057.edt"));
    start({pathIn(QStringLiteral("texts/057.edt"))});
    EXPECT_EQ(main().windowTitle(), QStringLiteral("Scrivlet"));
    EXPECT_EQ(session().dialogue().text(), (EdtText{"Hi", "Bye"}));
    EXPECT_TRUE(viewer()->isVisible());
    EXPECT_TRUE(prompts().messageTexts().isEmpty());
}

TEST_F(StartupWithDialogueTest, AnUnreadableScriptLeavesTheTextAloneAndAnUnreadableTextIsSaid)
{
    writeFile(QStringLiteral("057.npc"), "not a script");
    writeDialogue(QStringLiteral("057.edt"));
    start({pathIn(QStringLiteral("057.edt"))});
    EXPECT_EQ(prompts().messageTexts(),
              QStringList{QStringLiteral("Выбранный файл не является NPC-скриптом\r\n") +
                          QDir::toNativeSeparators(pathIn(QStringLiteral("057.npc"))) +
                          QStringLiteral(": размер файла 12, а нужно не меньше 1600 байт")});
    EXPECT_EQ(session().dialogue().text(), (EdtText{"Hi", "Bye"}));
    EXPECT_TRUE(viewer()->isVisible());
    stop();

    start({pathIn(QStringLiteral("gone.edt"))});
    EXPECT_EQ(prompts().messageTexts(),
              QStringList{QStringLiteral("Проблема чтения файла ") + pathIn(QStringLiteral("gone.edt"))});
    EXPECT_FALSE(viewer()->isVisible());
}

TEST_F(StartupTest, UnclearListLinesAreSaidAtStartUpAndListedInTheProblemsWindow)
{
    writeFile(QStringLiteral("Data/Items.txt"), "1=coin\r\nabc\r\n-5=minus\r\n12x=bent\r\n2=bread\r\n");
    start();
    QCoreApplication::processEvents();
    EXPECT_FALSE(SessionTester::unclearCountBegun(session())) << "counted only once the window is painted";
    main().show();
    // Counted on another thread.
    EXPECT_TRUE(QTest::qWaitFor([&] { return !main().statusBar()->currentMessage().isEmpty(); }, 60000));
    EXPECT_EQ(main().statusBar()->currentMessage(), QStringLiteral("Items.txt: 3 строки не поняты, см. Проверка скрипта"));
    EXPECT_EQ(session().lists().Items.count(), 5) << "the lines are used as read";

    trigger("CheckScript");
    const QTreeWidget *list = m_windows->problems.get()->List_Problems();
    QStringList shown;
    for (int i = 0; i < list->topLevelItemCount(); ++i)
        shown << list->topLevelItem(i)->text(2);
    EXPECT_TRUE(shown.contains(QStringLiteral("Items.txt, строка 2 «abc»: нет знака «=»"))) << shown.join(u'\n').toStdString();
    EXPECT_TRUE(shown.contains(QStringLiteral("Items.txt, строка 4 «12x=bent»: номер «12x» — не число")));
}
