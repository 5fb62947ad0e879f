#include "gui/dialogue/PhrasesWindow.h"
#include "gui/dialogue/PhraseEditDelegate.h"
#include "gui/dialogue/PhraseTableModel.h"
#include "gui/widgets/ToolWindow.h"
#include "common/Windows1251.h"
#include "document/NpcFile.h"
#include "gui/records/IntegerEdit.h"
#include "support/AppFixture.h"
#include "support/DialogueFileBytes.h"
#include "support/FailingFileOps.h"
#include "gui/dialogue/TypeIntoCell.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QScreen>
#include <QStatusBar>
#include <QTableView>
#include <QTest>
#include <QToolBar>
#include <QToolButton>

namespace
{

// Record 0 speaks lines 0-1, record 1 line 2, record 2 nothing; line 3 is spoken by none.
NpcRecords speaking()
{
    NpcRecords records{};
    for (int i = 0; i < 3; ++i)
        records[i].initialise();
    records[0].Phrase = 0;
    records[0].PhraseCnt = 2;
    records[1].Phrase = 2;
    records[1].PhraseCnt = 1;
    records[2].Phrase = NoneByte;
    records[2].PhraseCnt = 1;
    return records;
}

const QList<QByteArray> Lines{"Hello", "How are you", "Bye", "Spare"};

} // namespace

class PhrasesWindowTest : public AppFixture
{
protected:
    void SetUp() override
    {
        AppFixture::SetUp();
        start();
        writeFile(QStringLiteral("npc/057.npc"), NpcWriter::encode(speaking(), NpcLayout::StandardLayout));
        writeFile(QStringLiteral("npc/057.edt"), dialogueFileBytes(Lines));
        prompts().files << pathIn(QStringLiteral("npc/057.npc"));
        trigger("Open");
        prompts().clear();
    }

    PhrasesWindow &window() { return *m_windows->phrases.get(); }
    QTableView *table() { return window().Table_Phrases(); }
    QString cell(int row, int column) { return table()->model()->index(row, column).data().toString(); }
    QString memoText() { return find<QPlainTextEdit>("Phrase")->toPlainText(); }
    QString phraseField() { return find<IntegerEdit>("Edit_Phrase")->text(); }
    void openWindow()
    {
        trigger("EditPhrases");
        ASSERT_TRUE(window().isVisible());
    }
    void selectLine(int row)
    {
        table()->setCurrentIndex(table()->model()->index(row, PhraseTableModel::TextColumn));
    }
    // Types into the line's editor and confirms with Enter.
    void typeInto(int row, const QString &text) { typeIntoCell(table(), row, PhraseTableModel::TextColumn, text); }
};

TEST_F(PhrasesWindowTest, TheTableShowsEveryLineWithItsSpeakersAndTheCurrentRecordsLines)
{
    openWindow();
    ASSERT_EQ(table()->model()->rowCount(), 4);
    const QStringList headers{QStringLiteral("№"), QStringLiteral("Текст"), QStringLiteral("Записи")};
    for (int column = 0; column < 3; ++column)
        EXPECT_EQ(table()->model()->headerData(column, Qt::Horizontal).toString(), headers[column]);
    EXPECT_EQ(cell(1, 0), QStringLiteral("1"));
    EXPECT_EQ(cell(1, 1), QStringLiteral("How are you"));
    EXPECT_EQ(cell(1, 2), QStringLiteral("0"));
    EXPECT_EQ(cell(3, 2), QString());
    EXPECT_FALSE(window().Lbl_PhrasesEmpty()->isVisible());

    auto highlighted = [&](int row) {
        return table()->model()->index(row, 1).data(Qt::BackgroundRole).isValid();
    };
    EXPECT_TRUE(highlighted(0) && highlighted(1) && !highlighted(2));
    main().selectGridRow(1);
    EXPECT_TRUE(!highlighted(0) && highlighted(2));

    // Enter on the speakers of a line selects the record that speaks it.
    table()->setCurrentIndex(table()->model()->index(1, PhraseTableModel::RecordsColumn));
    QTest::keyClick(table(), Qt::Key_Return);
    EXPECT_EQ(session().CurRec(), 0);

    window().Edit_PhraseFilter()->setText(QStringLiteral("BY"));
    ASSERT_EQ(table()->model()->rowCount(), 1);
    EXPECT_EQ(cell(0, 0), QStringLiteral("2"));
    window().Edit_PhraseFilter()->clear();
    EXPECT_EQ(table()->model()->rowCount(), 4);
}

TEST_F(PhrasesWindowTest, OpensAsWideAsItsToolBarAsksWithinTheScreen)
{
    openWindow();
    const int screen = window().screen()->availableGeometry().width();
    EXPECT_GE(window().width(), std::min(window().sizeHint().width(), screen * 9 / 10));
    EXPECT_LE(window().width(), std::max(window().sizeHint().width(), screen));
}

TEST_F(PhrasesWindowTest, TheWindowsOpenBesideTheMainWindowThenStayWhereLeftAndTheTableHasTheFocus)
{
    main().setGeometry(10, 10, 300, 200);
    main().show();
    const std::pair<const char *, const char *> windows[] = {{"EditPhrases", "PhrasesWindow"},
                                                             {"CheckScript", "ProblemsWindow"}};
    for (const auto &[command, name] : windows) {
        EXPECT_EQ(main().findChild<ToolWindow *>(QLatin1String(name)), nullptr) << command << ": made at start";
        trigger(command);
        auto *tool = main().findChild<ToolWindow *>(QLatin1String(name));
        ASSERT_NE(tool, nullptr) << command;
        const QRect beside =
            besideRect(main().frameGeometry(), tool->frameGeometry().size(), main().screen()->availableGeometry());
        EXPECT_EQ(tool->frameGeometry().topLeft(), beside.topLeft()) << command;
        tool->move(400, 300);
        tool->close();
        trigger(command);
        EXPECT_EQ(tool->pos(), QPoint(400, 300)) << command;
    }
    EXPECT_EQ(window().focusWidget(), table());
}

TEST(ToolWindowPlacement, RightOfTheMainWindowElseLeftElseAtTheScreensRightEdge)
{
    const QRect screen(0, 0, 1000, 700);
    const QRect main(100, 50, 500, 400);
    EXPECT_EQ(besideRect(main, QSize(300, 200), screen), QRect(600, 50, 300, 200));
    EXPECT_EQ(besideRect(QRect(400, 50, 500, 400), QSize(300, 200), screen), QRect(100, 50, 300, 200));
    EXPECT_EQ(besideRect(QRect(200, 50, 700, 400), QSize(300, 200), screen), QRect(700, 50, 300, 200));
    // Kept on the screen from top to bottom.
    EXPECT_EQ(besideRect(QRect(100, 600, 500, 400), QSize(300, 200), screen), QRect(600, 500, 300, 200));
    EXPECT_EQ(besideRect(QRect(100, -30, 500, 400), QSize(300, 200), screen), QRect(600, 0, 300, 200));
}

TEST_F(PhrasesWindowTest, TheCommandSitsInTheServiceMenuAndOnTheToolBarBesideTheViewer)
{
    QMenu *service = menu("Service_mMenu");
    ASSERT_NE(service, nullptr);
    const QList<QAction *> items = service->actions();
    EXPECT_EQ(items.indexOf(action("EditPhrases")), items.indexOf(action("RunEdt")) + 1);
    const QList<QAction *> tools = main().findChild<QToolBar *>(QStringLiteral("ToolBar"))->actions();
    EXPECT_EQ(tools.indexOf(action("EditPhrases")), tools.indexOf(action("ShowEdt")) + 1);
    EXPECT_EQ(action("EditPhrases")->shortcut(), QKeySequence(QStringLiteral("F8")));
    EXPECT_EQ(action("EditPhrases")->toolTip(),
              QStringLiteral("Фразы:\nпоказать и изменить фразы EDT-файла текущего скрипта.\n "));
    EXPECT_FALSE(action("EditPhrases")->icon().isNull());
}

TEST_F(PhrasesWindowTest, AnEditShowsInTheMemoAtOnceAndIsOneStepOfTheHistory)
{
    openWindow();
    typeInto(0, QStringLiteral("Good day"));
    EXPECT_TRUE(memoText().startsWith(QStringLiteral("Good day")));
    EXPECT_EQ(action("Undo")->text(), QStringLiteral("Отменить: изменение фразы 0"));
    EXPECT_TRUE(main().windowTitle().endsWith(QLatin1Char('*')));

    trigger("Undo");
    EXPECT_TRUE(memoText().startsWith(QStringLiteral("Hello")));
    EXPECT_EQ(cell(0, 1), QStringLiteral("Hello"));
    trigger("Redo");
    EXPECT_EQ(cell(0, 1), QStringLiteral("Good day"));

    // A refused text is reported and comes back into the editor, not lost.
    typeInto(1, QString(241, QLatin1Char('x')));
    ASSERT_EQ(prompts().asked.size(), 1);
    EXPECT_EQ(prompts().asked[0].kind, PromptKind::Error);
    QApplication::processEvents();
    auto *editor = qobject_cast<PhraseLineEdit *>(table()->indexWidget(table()->model()->index(1, 1)));
    ASSERT_NE(editor, nullptr);
    EXPECT_EQ(editor->text().size(), 241);
    EXPECT_EQ(editor->lengthText(), QStringLiteral("241 / 240"));
    EXPECT_EQ(cell(1, 1), QStringLiteral("How are you"));
}

TEST_F(PhrasesWindowTest, AddingAPhraseToARecordWithAndWithoutPhrases)
{
    openWindow();
    main().selectGridRow(0);
    trigger("AddPhrase");
    EXPECT_EQ(table()->model()->rowCount(), 5);
    EXPECT_EQ(cell(2, 1), QString()) << "right after the record's last phrase";
    EXPECT_EQ(table()->currentIndex().row(), 2);
    EXPECT_NE(table()->indexWidget(table()->currentIndex()), nullptr) << "focus is on the new line's text";
    EXPECT_EQ(session().record(0).PhraseCnt, 3);
    EXPECT_EQ(session().record(1).Phrase, 3);
    QTest::keyClick(table()->indexWidget(table()->currentIndex()), Qt::Key_Escape);

    main().selectGridRow(2);
    trigger("AddPhrase");
    EXPECT_EQ(table()->model()->rowCount(), 6);
    EXPECT_EQ(session().record(2).Phrase, 5);
    EXPECT_EQ(session().record(2).PhraseCnt, 1);
    EXPECT_EQ(phraseField(), QStringLiteral("5"));
    EXPECT_EQ(action("Undo")->text(), QStringLiteral("Отменить: добавление фразы 5"));

    trigger("Undo");
    trigger("Undo");
    EXPECT_EQ(session().records(), speaking());
    EXPECT_EQ(table()->model()->rowCount(), 4);
}

TEST_F(PhrasesWindowTest, PhrasesNumberedBeforeTheTextAreMadeAndLeftInPlace)
{
    NpcRecords planned{};
    for (int i = 0; i < 3; ++i) {
        planned[i].initialise();
        planned[i].Phrase = quint8(i);
    }
    writeFile(QStringLiteral("npc/058.npc"), NpcWriter::encode(planned, NpcLayout::StandardLayout));
    writeFile(QStringLiteral("npc/058.edt"), QByteArray());
    prompts().files << pathIn(QStringLiteral("npc/058.npc"));
    trigger("Open");
    openWindow();
    prompts().clear();

    main().selectGridRow(1);
    trigger("AddPhrase");
    EXPECT_TRUE(prompts().asked.isEmpty()) << "not refused";
    EXPECT_EQ(table()->model()->rowCount(), 2);
    EXPECT_EQ(table()->currentIndex().row(), 1);
    EXPECT_EQ(session().records(), planned);
    EXPECT_EQ(main().statusBar()->currentMessage(), QStringLiteral("Текст дополнен пустыми фразами 0–1 до фраз записи 1."));
    QTest::keyClick(table()->indexWidget(table()->currentIndex()), Qt::Key_Escape);

    // The window's own command: a line at the end, which record 2 numbered already.
    EXPECT_TRUE(window().findChild<QToolBar *>()->actions().contains(action("AppendPhrase")));
    trigger("AppendPhrase");
    EXPECT_EQ(table()->model()->rowCount(), 3);
    EXPECT_EQ(session().records(), planned);
    EXPECT_EQ(cell(2, 2), QStringLiteral("2"));
}

TEST_F(PhrasesWindowTest, InsertAndDeleteRenumberTheOtherRecordsAndDeletingASpokenLineAsks)
{
    openWindow();
    main().selectGridRow(1);
    selectLine(0);
    QTest::keyClick(table(), Qt::Key_Escape); // leaves any editor
    trigger("InsertPhrase");
    EXPECT_EQ(phraseField(), QStringLiteral("3")) << "record 1's phrase, shown in the panel";
    EXPECT_EQ(cell(0, 1), QString());

    trigger("Undo");
    EXPECT_EQ(phraseField(), QStringLiteral("2"));
    trigger("Redo");
    EXPECT_EQ(phraseField(), QStringLiteral("3"));

    // Line 3 ("Bye") is record 1's: deleting it asks first, and No keeps it.
    selectLine(3);
    trigger("DeletePhrase");
    ASSERT_EQ(prompts().asked.size(), 1);
    EXPECT_EQ(prompts().asked[0].text, QStringLiteral("Фразу 3 произносят записи: 1.\r\nУдалить её?"));
    EXPECT_EQ(prompts().asked[0].buttons, QMessageBox::Yes | QMessageBox::No);
    EXPECT_EQ(table()->model()->rowCount(), 5);

    // A line nobody speaks goes without a question; the others move back.
    prompts().clear();
    selectLine(0);
    trigger("DeletePhrase");
    EXPECT_TRUE(prompts().asked.isEmpty());
    EXPECT_EQ(phraseField(), QStringLiteral("2"));
    EXPECT_EQ(action("Undo")->text(), QStringLiteral("Отменить: удаление фразы 0"));

    prompts().answers << QMessageBox::Yes;
    selectLine(2);
    trigger("DeletePhrase");
    EXPECT_EQ(session().record(1).Phrase, NoneByte) << "its only line is gone";
    trigger("Undo");
    EXPECT_EQ(phraseField(), QStringLiteral("2"));
}

TEST_F(PhrasesWindowTest, TheWindowOfAScriptWithoutText)
{
    trigger("New");
    openWindow();
    EXPECT_EQ(table()->model()->rowCount(), 0);
    EXPECT_TRUE(window().Lbl_PhrasesEmpty()->isVisible());
    EXPECT_FALSE(window().Lbl_PhrasesEmpty()->text().isEmpty());
    main().selectGridRow(0);
    trigger("AddPhrase");
    EXPECT_EQ(table()->model()->rowCount(), 1);
    EXPECT_FALSE(window().Lbl_PhrasesEmpty()->isVisible());
}

TEST_F(PhrasesWindowTest, SaveWritesBothFilesOnlyWhenTheTextChangedAndAFailureKeepsItModified)
{
    const QString edt = pathIn(QStringLiteral("npc/057.edt"));
    const QByteArray oldText = readFile(QStringLiteral("npc/057.edt"));
    const QDateTime stamp = QFileInfo(edt).lastModified();
    main().selectGridRow(1);
    session().commitField(NpcField::Leader, QStringLiteral("3"));
    trigger("Save");
    EXPECT_EQ(readFile(QStringLiteral("npc/057.edt")), oldText);
    EXPECT_EQ(QFileInfo(edt).lastModified(), stamp);

    FailingFileOps ops;
    ops.failWrite = 2;
    SessionTester::setFileOps(session(), ops);
    openWindow();
    typeInto(3, QStringLiteral("Later"));
    trigger("Save");
    ASSERT_EQ(prompts().asked.size(), 1);
    EXPECT_TRUE(prompts().asked[0].text.contains(QStringLiteral("057.edt")));
    EXPECT_TRUE(main().windowTitle().endsWith(QLatin1Char('*')));
    EXPECT_EQ(readFile(QStringLiteral("npc/057.edt")), oldText);

    ops.failWrite = 0;
    trigger("Save");
    EXPECT_FALSE(main().windowTitle().endsWith(QLatin1Char('*')));
    EXPECT_EQ(readFile(QStringLiteral("npc/057.edt")), dialogueFileBytes({"Hello", "How are you", "Bye", "Later"}));
}

TEST_F(PhrasesWindowTest, UnsavedTextAloneIsAskedAboutBeforeItIsReplacedOrLeft)
{
    openWindow();
    typeInto(3, QStringLiteral("Later"));

    // Reload: Cancel keeps the text, No drops it.
    prompts().answers << QMessageBox::Cancel;
    trigger("ReloadTxt");
    ASSERT_EQ(prompts().asked.size(), 1);
    EXPECT_TRUE(prompts().asked[0].text.contains(QStringLiteral("057.edt")));
    EXPECT_EQ(prompts().asked[0].buttons, QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
    EXPECT_EQ(cell(3, 1), QStringLiteral("Later"));

    // Yes saves first.
    prompts().answers << QMessageBox::Yes;
    trigger("ReloadTxt");
    EXPECT_EQ(readFile(QStringLiteral("npc/057.edt")), dialogueFileBytes({"Hello", "How are you", "Bye", "Later"}));

    typeInto(3, QStringLiteral("Again"));
    prompts().clear();
    prompts().answers << QMessageBox::No;
    trigger("ReloadTxt");
    EXPECT_EQ(cell(3, 1), QStringLiteral("Later"));
    EXPECT_FALSE(main().windowTitle().endsWith(QLatin1Char('*')));

    // Leaving the script asks the records' question for the text as well.
    typeInto(3, QStringLiteral("Once more"));
    prompts().clear();
    trigger("New");
    ASSERT_EQ(prompts().asked.size(), 1);
    EXPECT_TRUE(prompts().asked[0].text.startsWith(QStringLiteral("Текущие данные не сохранены.")));
}

TEST_F(PhrasesWindowTest, ImportFromTheToolBarReplacesTheWholeTextAsOneStepOrNamesTheBadLine)
{
    openWindow();
    QToolBar *bar = window().findChild<QToolBar *>();
    ASSERT_NE(bar, nullptr);
    auto *button = qobject_cast<QToolButton *>(bar->widgetForAction(action("ImportPhrases")));
    ASSERT_NE(button, nullptr);
    EXPECT_EQ(action("ImportPhrases")->text(), QStringLiteral("Загрузить фразы из TXT..."));

    // Numbers out of order: the line is named, nothing changes.
    writeFile(QStringLiteral("npc/bad.txt"), "#0\r\nA\r\n\r\n#2\r\nB\r\n\r\n");
    prompts().files << pathIn(QStringLiteral("npc/bad.txt"));
    button->click();
    ASSERT_EQ(prompts().asked.size(), 2);
    EXPECT_EQ(prompts().asked[0].type, AskedPrompt::OpenFile);
    EXPECT_EQ(prompts().asked[0].text, QStringLiteral("Загрузить фразы из TXT"));
    EXPECT_TRUE(prompts().asked[1].text.contains(QStringLiteral("строка 4: ")));
    EXPECT_EQ(cell(3, 1), QStringLiteral("Spare"));
    EXPECT_FALSE(main().windowTitle().endsWith(QLatin1Char('*')));

    writeFile(QStringLiteral("npc/new.txt"), toWindows1251(QStringLiteral("#0\r\nЗдравствуй\r\n\r\n#1\r\nПрощай\r\n\r\n")));
    prompts().clear();
    prompts().files << pathIn(QStringLiteral("npc/new.txt"));
    button->click();
    ASSERT_EQ(table()->model()->rowCount(), 2);
    EXPECT_EQ(cell(1, 1), QStringLiteral("Прощай"));
    EXPECT_TRUE(memoText().contains(QStringLiteral("Прощай"))); // record 0 speaks lines 0-1
    EXPECT_TRUE(main().windowTitle().endsWith(QLatin1Char('*')));
    EXPECT_EQ(action("Undo")->text(), QStringLiteral("Отменить: загрузка фраз из TXT"));

    trigger("Undo");
    EXPECT_EQ(table()->model()->rowCount(), 4);
    EXPECT_EQ(cell(3, 1), QStringLiteral("Spare"));
    EXPECT_FALSE(main().windowTitle().endsWith(QLatin1Char('*')));
}
