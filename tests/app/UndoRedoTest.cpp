#include "document/NpcFile.h"
#include "gui/records/EditorPanel.h"
#include "support/AppFixture.h"

#include <QComboBox>
#include <QDir>
#include <QMenuBar>
#include <QTableWidget>
#include <QTest>
#include <QToolBar>

class UndoRedoTest : public AppFixture
{
protected:
    void SetUp() override
    {
        AppFixture::SetUp();
        NpcRecords records{};
        records[1].initialise();
        records[1].ControlNpc = 57;
        records[1].ControlRec = 5;
        records[5].initialise();
        records[5].Action = 4;
        records[5].TriggT = 12;
        records[9].initialise();
        records[9].ControlNpc = 57;
        records[9].ControlRec = 7;
        writeFile(QStringLiteral("057.npc"), NpcWriter::encode(records, NpcLayout::StandardLayout));
        start();
        main().show();
        QApplication::setActiveWindow(&main());
        prompts().files << pathIn(QStringLiteral("057.npc"));
        trigger("Open");
        prompts().clear();
    }

    QStringList grid()
    {
        QStringList texts;
        for (int row = 0; row < RecordCount; ++row)
            texts << main().gridText(row, 1) << main().gridText(row, 2);
        return texts;
    }
    void press(QWidget *widget, Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::ControlModifier)
    {
        QTest::keyClick(widget, key, modifiers);
    }
    IntegerEdit *edit(NpcField field) { return main().editorPanel().edit(field); }
};

TEST_F(UndoRedoTest, TheCommandsStandFirstInTheEditMenuAndAfterSaveAsOnTheToolBar)
{
    start();
    QAction *undo = action("Undo");
    QAction *redo = action("Redo");
    ASSERT_NE(undo, nullptr);
    ASSERT_NE(redo, nullptr);
    EXPECT_EQ(undo->text(), QStringLiteral("Отменить"));
    EXPECT_EQ(redo->text(), QStringLiteral("Повторить"));
    EXPECT_FALSE(undo->isEnabled());
    EXPECT_FALSE(redo->isEnabled());
    EXPECT_EQ(undo->shortcut(), QKeySequence(QStringLiteral("Ctrl+Z")));
    EXPECT_EQ(redo->shortcuts(), (QList<QKeySequence>{QKeySequence(QStringLiteral("Ctrl+Y")),
                                                      QKeySequence(QStringLiteral("Ctrl+Shift+Z"))}));
    EXPECT_EQ(undo->toolTip(), QStringLiteral("Отменить:\nотменить последнее изменение записей.\n "));
    EXPECT_EQ(redo->toolTip(), QStringLiteral("Повторить:\nповторить отменённое изменение.\n "));
    EXPECT_FALSE(undo->icon().isNull());
    EXPECT_FALSE(redo->icon().isNull());

    QMenu *editMenu = nullptr;
    for (QAction *entry : main().menuBar()->actions()) {
        if (entry->objectName() == QLatin1String("Edit_mMenu"))
            editMenu = entry->menu();
    }
    ASSERT_NE(editMenu, nullptr);
    const QList<QAction *> items = editMenu->actions();
    ASSERT_GE(items.size(), 4);
    EXPECT_EQ(items.at(0), undo);
    EXPECT_EQ(items.at(1), redo);
    EXPECT_TRUE(items.at(2)->isSeparator());
    EXPECT_EQ(items.at(3), action("CutRec"));

    const QList<QAction *> bar = main().findChild<QToolBar *>(QStringLiteral("ToolBar"))->actions();
    const qsizetype saveAs = bar.indexOf(action("SaveAs"));
    ASSERT_GE(saveAs, 0);
    EXPECT_TRUE(bar.at(saveAs + 1)->isSeparator());
    EXPECT_EQ(bar.at(saveAs + 2), undo);
    EXPECT_EQ(bar.at(saveAs + 3), redo);
    EXPECT_TRUE(bar.at(saveAs + 4)->isSeparator());
    EXPECT_EQ(bar.at(saveAs + 5), action("OpenEdt"));
}

TEST_F(UndoRedoTest, CtrlZAfterACutRestoresTheRecordItsLinksAndTheCaptions)
{
    const NpcRecords before = session().document().records;
    const QStringList gridBefore = grid();
    main().selectGridRow(5);
    trigger("CutRec");
    ASSERT_EQ(session().document().records[1].ControlRec, 4);
    EXPECT_EQ(action("Undo")->text(), QStringLiteral("Отменить: вырезать запись"));

    main().selectGridRow(20);
    press(main().StringGrid(), Qt::Key_Z);
    EXPECT_EQ(session().document().records, before);
    EXPECT_EQ(grid(), gridBefore);
    EXPECT_EQ(session().CurRec(), 5);
    EXPECT_EQ(main().StringGrid()->currentRow(), 5);
    EXPECT_EQ(edit(NpcField::Action)->text(), QStringLiteral("4"));
    EXPECT_EQ(action("Redo")->text(), QStringLiteral("Повторить: вырезать запись"));

    press(main().StringGrid(), Qt::Key_Y);
    EXPECT_EQ(session().document().records[1].ControlRec, 4);
    EXPECT_EQ(main().gridText(1, 2), QStringLiteral("4"));
}

TEST_F(UndoRedoTest, TypingAValueThenCtrlZShowsTheOldValueInTheEditAndComboBox)
{
    main().selectGridRow(5);
    QComboBox *combo = main().editorPanel().combo(NpcField::TriggT);
    const int oldItem = combo->currentIndex();
    ASSERT_GE(oldItem, 0);
    IntegerEdit *triggT = edit(NpcField::TriggT);
    triggT->setFocus();
    triggT->selectAll();
    QTest::keyClicks(triggT, QStringLiteral("-1"));
    press(triggT, Qt::Key_Return, Qt::NoModifier);
    ASSERT_EQ(session().currentRecord().TriggT, NoneWord);
    ASSERT_EQ(combo->currentIndex(), -1);
    EXPECT_EQ(action("Undo")->text(), QStringLiteral("Отменить: значение поля «Триггер - ИСТИНА»"));

    // The focus is still in the edit; with nothing typed left to undo, the record goes back.
    ASSERT_TRUE(triggT->hasFocus());
    press(triggT, Qt::Key_Z);
    EXPECT_EQ(session().currentRecord().TriggT, 12);
    EXPECT_EQ(triggT->text(), QStringLiteral("12"));
    EXPECT_EQ(combo->currentIndex(), oldItem);
}

TEST_F(UndoRedoTest, UndoingBackToTheSavedPointClearsTheMarkAndDisablesSave)
{
    main().selectGridRow(9);
    prompts().answers = {QMessageBox::Ok, QMessageBox::Ok};
    trigger("Inicial");
    trigger("CleanRec");
    ASSERT_TRUE(main().windowTitle().endsWith(QLatin1Char('*')));
    EXPECT_EQ(action("Undo")->text(), QStringLiteral("Отменить: очистить запись"));

    trigger("Undo");
    EXPECT_EQ(action("Undo")->text(), QStringLiteral("Отменить: инициализировать запись"));
    EXPECT_TRUE(action("Save")->isEnabled());
    trigger("Undo");
    EXPECT_EQ(main().windowTitle(), QStringLiteral("Scrivlet - ") + QDir::toNativeSeparators(pathIn(QStringLiteral("057.npc"))));
    EXPECT_FALSE(action("Save")->isEnabled());
    EXPECT_FALSE(action("Undo")->isEnabled());
    EXPECT_EQ(action("Undo")->text(), QStringLiteral("Отменить"));
    EXPECT_TRUE(action("Redo")->isEnabled());

    trigger("Redo");
    EXPECT_TRUE(main().windowTitle().endsWith(QLatin1Char('*')));
    EXPECT_TRUE(action("Save")->isEnabled());

    // Saving makes this the point to come back to; closing asks nothing there.
    trigger("Save");
    EXPECT_FALSE(action("Save")->isEnabled());
    trigger("Undo");
    trigger("Redo");
    EXPECT_FALSE(main().windowTitle().endsWith(QLatin1Char('*')));
    prompts().clear();
    EXPECT_TRUE(main().close());
    EXPECT_TRUE(prompts().asked.isEmpty());
}
