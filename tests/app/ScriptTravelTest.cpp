#include "document/NpcFile.h"
#include "gui/folder/ProblemsWindow.h"
#include "gui/map/MapScene.h"
#include "gui/map/MapView.h"
#include "gui/map/View_Map.h"
#include "support/AppFixture.h"
#include "support/UsedRecord.h"

#include <QLabel>
#include <QMenuBar>
#include <QSplitter>
#include <QTableWidget>
#include <QTest>
#include <QToolBar>
#include <QTreeWidget>

namespace
{

QByteArray edt(int lines)
{
    return QByteArray(480 * lines, '\0');
}

} // namespace

// A folder of scripts that link to each other: 057 is opened, 112 and 200 lie beside it.
class ScriptTravelTest : public AppFixture
{
protected:
    void SetUp() override
    {
        AppFixture::SetUp();
        NpcRecords own{};
        own[0] = usedRecord(1, 57, 30); // to an empty record here
        own[1] = usedRecord(1, 57, 60); // beyond record 49
        own[2] = usedRecord(1, 99, 0);  // to a character without a script
        own[3] = usedRecord(1, 112, 5); // to an empty record there
        own[4] = usedRecord(1, 112, 2); // fine
        own[4].FDay = 10;
        own[4].LDay = 5;
        own[5] = usedRecord(2);
        own[5].Phrase = 3; // the text has two lines
        own[6] = usedRecord(2, 57, 4);
        own[6].Phrase = 1;
        own[6].PhraseCnt = 3;
        own[7] = usedRecord(2);
        own[7].Mode = 200; // the Modes list ends at 4
        own[8] = usedRecord(2);
        own[8].Spare19 = 3;
        own[9] = usedRecord(2, 57, 4);
        writeScript(QStringLiteral("npc/057.npc"), own);
        writeFile(QStringLiteral("npc/057.edt"), edt(2));

        NpcRecords other{};
        other[2] = usedRecord(3, 112, 2);
        other[7] = usedRecord(1, 57, 4);
        other[9] = usedRecord(1, 57, 4);
        writeScript(QStringLiteral("npc/112.npc"), other);
        NpcRecords third{};
        third[1] = usedRecord(1, 57, 4);
        writeScript(QStringLiteral("npc/200.NPC"), third);

        start();
        main().show();
        QApplication::setActiveWindow(&main());
        open(QStringLiteral("npc/057.npc"));
    }

    void open(const QString &name)
    {
        prompts().files << pathIn(name);
        trigger("Open");
        prompts().clear();
    }
    QString status() { return find<QLabel>("Lbl_IncomingLinks")->text(); }
    QTreeWidget *problems() { return m_windows->problems.get()->List_Problems(); }
    QStringList problemRows()
    {
        QStringList rows;
        for (int i = 0; i < problems()->topLevelItemCount(); ++i) {
            const QTreeWidgetItem *item = problems()->topLevelItem(i);
            rows << item->text(0) + QLatin1Char(' ') + item->text(1) + QLatin1Char(' ') + item->text(2);
        }
        return rows;
    }
    bool rowNumberRed(int row)
    {
        return main().StringGrid()->item(row, 0)->foreground().color() == QColor(Qt::red);
    }
};

TEST_F(ScriptTravelTest, TheProblemsWindowListsEveryKindOfFindingAndFollowsEdits)
{
    QAction *check = action("CheckScript");
    EXPECT_EQ(check->text(), QStringLiteral("Проверить скрипт"));
    EXPECT_EQ(check->shortcut(), QKeySequence(QStringLiteral("F7")));
    EXPECT_EQ(
        check->toolTip(),
        QStringLiteral("Проверить скрипт:\nпоказать ошибки и предупреждения во всех записях скрипта.\n "));
    trigger("CheckScript");
    ASSERT_TRUE(m_windows->problems.get()->isVisible());

    const QStringList rows = problemRows();
    const QStringList expected = {
        QStringLiteral("— замечание Фразу 0 не произносит ни одна запись"),
        QStringLiteral("0 ошибка ControlRec=30: запись 30 этого скрипта пуста"),
        QStringLiteral("1 ошибка ControlRec=60: номер записи больше 49"),
        QStringLiteral("2 предупреждение ControlNpc=99: в папке нет скрипта NPC 99"),
        QStringLiteral("3 ошибка ControlNpc=112, ControlRec=5: запись 5 скрипта "),
        QStringLiteral("4 предупреждение FDay=10, LDay=5: первый день не раньше последнего"),
        QStringLiteral("5 ошибка Phrase=3: фраза за концом текста (строк в .edt: 2)"),
        QStringLiteral(
            "6 предупреждение Phrase=1, PhraseCnt=3: последняя фраза 3 за концом текста (строк в .edt: 2)"),
        QStringLiteral("6 предупреждение Phrase=1, PhraseCnt=3: фраза 1 пуста"),
        QStringLiteral("7 предупреждение Mode=200: больше последнего номера списка Modes"),
        QStringLiteral("8 замечание Spare19=3: запасное поле не равно нулю"),
    };
    ASSERT_EQ(rows.size(), expected.size()) << rows.join(QLatin1Char('\n')).toStdString();
    for (qsizetype i = 0; i < rows.size(); ++i)
        EXPECT_TRUE(rows[i].startsWith(expected[i])) << rows[i].toStdString();
    // The count of unknown words follows while the spelling is checked, when it is on.
    EXPECT_TRUE(find<QLabel>("Lbl_ProblemsSummary")
                    ->text()
                    .startsWith(QStringLiteral("Ошибок: 4, предупреждений: 5, замечаний: 2.")));
    // The same words as scrivlet-cli check prints.
    for (qsizetype i = 0; i < rows.size(); ++i)
        EXPECT_TRUE(rows[i].endsWith(session().analysis().findings().at(i).message));

    // An edit mends record 4; the list follows without being asked.
    main().selectGridRow(4);
    session().commitField(NpcField::LDay, QStringLiteral("20"));
    EXPECT_FALSE(problemRows().join(QLatin1Char('\n')).contains(QStringLiteral("FDay=10")));
    // An unknown value: the undocumented rule.
    int gap = 0;
    while (session().lists().Action.indexOf(gap) >= 0)
        ++gap;
    session().commitField(NpcField::Action, QString::number(gap));
    EXPECT_TRUE(
        problemRows()
            .join(QLatin1Char('\n'))
            .contains(
                QStringLiteral("4 предупреждение Action=%1: значение не названо в списке Action").arg(gap)));
}

TEST_F(ScriptTravelTest, WithoutADialogueFileTheNoteSaysThePhrasesWereNotChecked)
{
    QFile::remove(pathIn(QStringLiteral("npc/057.edt")));
    open(QStringLiteral("npc/057.npc"));
    trigger("CheckScript");
    EXPECT_TRUE(problemRows().contains(
        QStringLiteral("— замечание рядом со скриптом нет файла .edt, фразы не проверены")));
    EXPECT_FALSE(problemRows().join(QLatin1Char('\n')).contains(QStringLiteral("Phrase=")));
}

TEST_F(ScriptTravelTest, PickingAProblemSelectsItsRecordAndRowNumbersTurnRed)
{
    trigger("CheckScript");
    QApplication::processEvents();
    QTreeWidgetItem *item = problems()->topLevelItem(5); // after the note on the whole text
    ASSERT_EQ(item->text(0), QStringLiteral("4"));
    emit problems()->itemActivated(item, 0); // as a double click does
    EXPECT_EQ(session().CurRec(), 4);
    EXPECT_EQ(main().StringGrid()->currentRow(), 4);
    problems()->setCurrentItem(problems()->topLevelItem(2));
    QTest::keyClick(problems(), Qt::Key_Return);
    EXPECT_EQ(session().CurRec(), 1);

    for (int row : {0, 1, 2, 3, 4, 5, 6, 7})
        EXPECT_TRUE(rowNumberRed(row)) << row;
    EXPECT_FALSE(rowNumberRed(8)) << "a note alone does not";
    EXPECT_FALSE(rowNumberRed(9));
    EXPECT_EQ(main().StringGrid()->item(1, 0)->toolTip(),
              QStringLiteral("«Запись No»=60: номер записи больше 49"))
        << "the row's tip names the field as the panel does";
    EXPECT_TRUE(main().StringGrid()->item(9, 0)->toolTip().isEmpty());
    session().setFieldDefault(NpcField::ControlRec);
    EXPECT_FALSE(rowNumberRed(1));
}

TEST_F(ScriptTravelTest, TheStatusBarNamesTheRecordsThatLeadToTheCurrentOne)
{
    main().selectGridRow(4);
    EXPECT_EQ(status(), QStringLiteral("Ссылки на запись 4: 6, 9; #112: 7, 9; #200: 1"));
    main().selectGridRow(12);
    EXPECT_EQ(status(), QStringLiteral("Ссылок на запись 12 нет"));
    main().selectGridRow(30);
    EXPECT_EQ(status(), QStringLiteral("Ссылки на запись 30: 0"));
}

TEST_F(ScriptTravelTest, ManyLinksAreCutToTheStatusBarsWidthAndNeverWidenTheWindow)
{
    NpcRecords caller{};
    caller[3] = usedRecord(1, 57, 4);
    for (int npc = 120; npc < 256; ++npc) {
        if (npc != 200) // there already
            writeScript(QStringLiteral("npc/%1.npc").arg(npc), caller);
    }
    open(QStringLiteral("npc/057.npc"));
    main().resize(900, 600);
    main().selectGridRow(4);
    QApplication::processEvents();
    auto *label = find<QLabel>("Lbl_IncomingLinks");
    EXPECT_TRUE(
        label->toolTip().startsWith(QStringLiteral("Ссылки на запись 4: 6, 9; #112: 7, 9; #120: 3; #121: 3")));
    EXPECT_TRUE(label->toolTip().endsWith(QStringLiteral("#255: 3")));
    EXPECT_TRUE(status().endsWith(QStringLiteral("… (всего 140)"))) << status().toStdString();
    EXPECT_TRUE(label->toolTip().startsWith(status().chopped(QStringLiteral("… (всего 140)").size())));
    EXPECT_LE(label->fontMetrics().horizontalAdvance(status()), label->width());
    EXPECT_LT(main().minimumSizeHint().width(), 900);
    EXPECT_LT(main().minimumWidth(), 900);
    EXPECT_EQ(main().width(), 900);
}

TEST_F(ScriptTravelTest, FollowingLinksHereAndIntoAnotherScriptAndBack)
{
    EXPECT_FALSE(action("GoBack")->isEnabled());
    main().selectGridRow(6);
    ASSERT_TRUE(action("FollowLink")->isEnabled());
    EXPECT_EQ(action("FollowLink")->shortcut(), QKeySequence(QStringLiteral("Ctrl+L")));
    trigger("FollowLink");
    EXPECT_EQ(session().CurRec(), 4);
    EXPECT_EQ(main().StringGrid()->currentRow(), 4);
    ASSERT_TRUE(action("GoBack")->isEnabled());

    // A double click on the link cell: into the other script.
    QApplication::processEvents();
    QTableWidget *grid = main().StringGrid();
    emit grid->cellDoubleClicked(4, 2);
    EXPECT_EQ(session().document().path, pathIn(QStringLiteral("npc/112.npc")));
    EXPECT_EQ(session().CurRec(), 2);
    EXPECT_TRUE(prompts().messageTexts().size() == 1) << "only the missing dialogue file is asked about";

    QTest::keyClick(grid, Qt::Key_Left, Qt::AltModifier);
    EXPECT_EQ(session().document().path, pathIn(QStringLiteral("npc/057.npc")));
    EXPECT_EQ(session().CurRec(), 4);
    trigger("GoBack");
    EXPECT_EQ(session().CurRec(), 6);
    EXPECT_FALSE(action("GoBack")->isEnabled());
}

TEST_F(ScriptTravelTest, TheEditMenuOffersFollowingAndGoingBackAfterTheMoveCommands)
{
    QMenu *edit = menu("Edit_mMenu");
    ASSERT_NE(edit, nullptr);
    const QList<QAction *> items = edit->actions();
    const qsizetype down = items.indexOf(action("MoveDown"));
    ASSERT_GE(down, 0);
    ASSERT_EQ(items.size(), down + 4);
    EXPECT_TRUE(items.at(down + 1)->isSeparator());
    EXPECT_EQ(items.at(down + 2), action("FollowLink"));
    EXPECT_EQ(items.at(down + 3), action("GoBack"));
}

TEST_F(ScriptTravelTest, TheDialogueMapFollowsThePhrasesInTheServiceMenuAndMovesTheMainWindow)
{
    QMenu *service = menu("Service_mMenu");
    ASSERT_NE(service, nullptr);
    const QList<QAction *> items = service->actions();
    ASSERT_GE(items.indexOf(action("RunEdt")), 0);
    EXPECT_EQ(items.indexOf(action("EditPhrases")), items.indexOf(action("RunEdt")) + 1);
    EXPECT_EQ(items.indexOf(action("ShowMap")), items.indexOf(action("EditPhrases")) + 1);
    EXPECT_EQ(action("ShowMap")->shortcut(), QKeySequence(QStringLiteral("F9")));
    EXPECT_TRUE(main().findChild<QToolBar *>(QStringLiteral("ToolBar"))->actions().contains(action("ShowMap")));

    trigger("ShowMap");
    auto *map = m_windows->map.get();
    ASSERT_TRUE(map->isVisible());
    const ScriptGraph &graph = map->scene().graph();
    emit map->Map_View()->nodeClicked(graph.nodeOfRecord(9));
    EXPECT_EQ(main().StringGrid()->currentRow(), 9);

    qsizetype other = -1;
    for (qsizetype n = 0; n < graph.nodes.size(); ++n) {
        if (graph.nodes.at(n).kind == MapNodeKind::OtherScript && graph.nodes.at(n).npc == 112 &&
            graph.nodes.at(n).record == 2)
            other = n;
    }
    ASSERT_GE(other, 0);
    emit map->Map_View()->nodeDoubleClicked(int(other));
    EXPECT_EQ(session().document().path, pathIn(QStringLiteral("npc/112.npc")));
    EXPECT_EQ(session().CurRec(), 2);
    trigger("GoBack");
    EXPECT_EQ(session().CurRec(), 9);
}

TEST_F(ScriptTravelTest, FollowingAsksAboutUnsavedChangesAndAMissingScriptIsSaidWhereItWasLookedFor)
{
    main().selectGridRow(4);
    session().commitField(NpcField::Leader, QStringLiteral("5"));
    trigger("FollowLink"); // the question is answered No: the script stays
    EXPECT_EQ(prompts().messageTexts(),
              QStringList{QStringLiteral(
                  "Текущие данные не сохранены.\r\nВы уверены, что хотите открыть новый скрипт?")});
    EXPECT_EQ(session().document().path, pathIn(QStringLiteral("npc/057.npc")));
    EXPECT_TRUE(session().isModified());
    EXPECT_FALSE(action("GoBack")->isEnabled());

    prompts().clear();
    main().selectGridRow(2);
    trigger("FollowLink");
    ASSERT_EQ(prompts().asked.size(), 1);
    EXPECT_EQ(prompts().asked[0].kind, PromptKind::Information);
    EXPECT_EQ(prompts().asked[0].text, QStringLiteral("Скрипт персонажа 99 не найден в папке ") +
                                           QDir::toNativeSeparators(pathIn(QStringLiteral("npc"))) +
                                           QLatin1Char('.'));
    EXPECT_EQ(session().CurRec(), 2);
}

TEST_F(ScriptTravelTest, RecentFilesAndTheWindowsPlaceSurviveARestart)
{
    open(QStringLiteral("npc/112.npc"));
    session().commitField(NpcField::Leader, QStringLiteral("5"));
    prompts().files << pathIn(QStringLiteral("npc/201.npc"));
    trigger("SaveAs");
    main().showNormal();
    main().resize(1000, 720);
    main().move(40, 30);
    QApplication::processEvents();
    main().splitter()->setSizes({300, main().splitter()->width() - 300 - main().splitter()->handleWidth()});
    const int splitter = main().splitter()->sizes().at(0);
    prompts().clear();
    stop();

    start();
    main().show();
    QApplication::processEvents();
    const QStringList expected = {pathIn(QStringLiteral("npc/201.npc")),
                                  pathIn(QStringLiteral("npc/112.npc")),
                                  pathIn(QStringLiteral("npc/057.npc"))};
    for (int i = 0; i < 3; ++i) {
        QAction *item = main().findChild<QAction *>(QStringLiteral("RecentFile%1").arg(i + 1));
        ASSERT_NE(item, nullptr) << i;
        EXPECT_EQ(item->toolTip(), QDir::toNativeSeparators(expected[i]));
        EXPECT_TRUE(item->text().startsWith(QStringLiteral("&%1 ").arg(i + 1)));
    }
    QMenu *file = main().menuBar()->actions().at(0)->menu();
    const QList<QAction *> items = file->actions();
    EXPECT_EQ(items.indexOf(main().findChild<QAction *>(QStringLiteral("RecentFile3"))) + 2,
              items.indexOf(action("Quit")));
    EXPECT_EQ(main().size(), QSize(1000, 720));
    EXPECT_EQ(main().pos(), QPoint(40, 30));
    EXPECT_EQ(main().splitter()->sizes().at(0), splitter);

    // Picking one opens it; one that is gone says so and leaves the list.
    main().findChild<QAction *>(QStringLiteral("RecentFile2"))->trigger();
    EXPECT_EQ(session().document().path, expected[1]);
    QFile::remove(expected[2]);
    prompts().clear();
    main().findChild<QAction *>(QStringLiteral("RecentFile3"))->trigger();
    ASSERT_EQ(prompts().asked.size(), 1);
    EXPECT_EQ(prompts().asked[0].kind, PromptKind::Information);
    EXPECT_TRUE(prompts().asked[0].text.contains(QDir::toNativeSeparators(expected[2])));
    EXPECT_EQ(main().findChild<QAction *>(QStringLiteral("RecentFile3")), nullptr);
}
