#include "support/AppFixture.h"

#include "app/Windows1251.h"
#include "document/NpcName.h"

#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QTableWidget>

#include <map>

namespace {

constexpr quint8 Own = 57;
constexpr quint8 OtherNpc = 12;

const std::map<int, QString> ActionNames = {
    {0, QStringLiteral("Ничего")},
    {1, QStringLiteral("Разговор")},
    {3, QStringLiteral("Подарок")},
    {7, QStringLiteral("Атака")},
};

NpcRecord used(quint8 action, quint8 npc = NoneByte, quint8 target = NoneByte)
{
    NpcRecord record;
    record.initialise();
    record.Action = action;
    record.ControlNpc = npc;
    record.ControlRec = target;
    return record;
}

QStringList latin(std::initializer_list<const char *> texts)
{
    QStringList list;
    for (const char *text : texts)
        list << QLatin1String(text);
    return list;
}

// Everything a refused command must leave alone.
struct Snapshot {
    NpcRecords records;
    QStringList grid;
    NpcRecord clipboard;
    bool modified;
    QString title;
    QString label;
    int curRec;
    bool pasteEnabled;

    bool operator==(const Snapshot &) const = default;
};

class RecordCommandsTest : public AppFixture
{
protected:
    void SetUp() override
    {
        AppFixture::SetUp();
        QString list;
        for (const auto &[number, name] : ActionNames)
            list += QString::number(number) + QLatin1Char('=') + name + QStringLiteral("\r\n");
        writeFile(QStringLiteral("Data/Action.txt"), toWindows1251(list));
        start();
        prompts().clear();
    }

    NpcRecords &records() { return main().document().records; }

    // Shows the records as a freshly opened script does, with `row` selected.
    void open(int row = 0, quint8 own = Own)
    {
        main().document().OwnNpcNumber = own;
        for (int r = 0; r < RecordCount; ++r)
            main().fillGridRow(r);
        select(row);
    }
    void select(int row)
    {
        main().selectGridRow(row);
        main().StringGridSelectCell(1, row);
    }

    QString expectedAction(int row)
    {
        const NpcRecord &record = records()[row];
        if (record.isEmpty())
            return {};
        const auto it = ActionNames.find(record.Action);
        return it == ActionNames.end() ? QString() : it->second;
    }
    // The grid shows every record as a loaded script would.
    void expectGridMatchesRecords()
    {
        for (int row = 0; row < RecordCount; ++row) {
            SCOPED_TRACE(row);
            EXPECT_EQ(main().gridText(row, 0), QString::number(row));
            EXPECT_EQ(main().gridText(row, 1), expectedAction(row));
            const NpcRecord &record = records()[row];
            EXPECT_EQ(main().gridText(row, 2),
                      record.isEmpty() ? QString() : linkText(record, main().document().OwnNpcNumber));
        }
    }

    Snapshot snapshot()
    {
        Snapshot s{records(), {}, main().RecordClipboard(), main().document().modified, main().windowTitle(),
                   main().Lbl_RecordNo()->text(), main().CurRec(), action("PasteRec")->isEnabled()};
        for (int row = 0; row < RecordCount; ++row)
            s.grid << main().gridText(row, 1) << main().gridText(row, 2);
        return s;
    }

    bool labelIsRed() { return main().Lbl_RecordNo()->palette().color(QPalette::WindowText) == QColor(Qt::red); }

    void expectModifiedAt(int row)
    {
        EXPECT_EQ(main().CurRec(), row);
        EXPECT_EQ(main().StringGrid()->currentRow(), row);
        EXPECT_TRUE(main().document().modified);
        EXPECT_EQ(main().windowTitle(), QStringLiteral("Scrivlet - *"));
        EXPECT_TRUE(action("Save")->isEnabled());
    }

    const AskedPrompt &onlyPrompt()
    {
        EXPECT_EQ(prompts().asked.size(), 1);
        return prompts().asked.first();
    }
};

TEST_F(RecordCommandsTest, CutMovesTheRecordsBelowUpAndFillsTheClipboard)
{
    records()[2] = used(1, Own, 5);
    records()[5] = used(3);
    records()[9] = used(7, Own, 5);
    records()[20] = used(1, Own, 30);
    records()[30] = used(2, OtherNpc, 40);
    records()[49] = used(0);
    open(5);
    main().setGridText(30, 1, QStringLiteral("moves along"));
    const NpcRecord cut = records()[5];

    trigger("CutRec");

    EXPECT_TRUE(prompts().asked.isEmpty());
    EXPECT_EQ(main().RecordClipboard(), cut);
    EXPECT_TRUE(action("PasteRec")->isEnabled());
    EXPECT_EQ(records()[2].ControlRec, 4);
    EXPECT_EQ(records()[8].ControlRec, 4);
    EXPECT_EQ(records()[19].ControlRec, 29);
    EXPECT_EQ(records()[29].ControlRec, 40);
    EXPECT_TRUE(records()[49].isEmpty());
    EXPECT_EQ(main().gridText(29, 1), QStringLiteral("moves along"));
    main().setGridText(29, 1, QString());
    expectGridMatchesRecords();
    expectModifiedAt(5);
    EXPECT_EQ(main().Lbl_RecordNo()->text(), QStringLiteral("Запись: 5"));
}

TEST_F(RecordCommandsTest, DeleteNamesTheLinkingRecordsAndCanBeRefused)
{
    records()[2] = used(1, Own, 5);
    records()[5] = used(3);
    records()[9] = used(7, Own, 5);
    records()[20] = used(1, Own, 30);
    open(5);
    trigger("CopyRec");
    main().RecordClipboard().Spare30 = 99; // the clipboard must survive a delete
    const Snapshot before = snapshot();
    const QString question = QStringLiteral("На удаляемую запись есть ссылка(ки) в записи(ях): 2, 9.\r\n\r\n"
                                            "Вы уверены, что хотите удалить текущую запись?");

    trigger("DeleteRec");
    const AskedPrompt &asked = onlyPrompt();
    EXPECT_EQ(asked.kind, PromptKind::Confirmation);
    EXPECT_EQ(asked.text, question);
    EXPECT_EQ(asked.buttons, QMessageBox::Yes | QMessageBox::Cancel);
    EXPECT_EQ(snapshot(), before);

    prompts().clear();
    prompts().answers = {QMessageBox::Yes};
    trigger("DeleteRec");
    EXPECT_EQ(prompts().messageTexts(), QStringList{question});
    EXPECT_EQ(records()[2].ControlRec, 4);
    EXPECT_EQ(records()[8].ControlRec, 4);
    EXPECT_EQ(records()[19].ControlRec, 29);
    EXPECT_EQ(main().RecordClipboard().Spare30, 99);
    EXPECT_TRUE(action("PasteRec")->isEnabled());
    expectGridMatchesRecords();
    expectModifiedAt(5);
}

TEST_F(RecordCommandsTest, DeleteWithoutLinksAsksTheBareQuestionEvenForAnEmptyRecord)
{
    records()[0] = used(1);
    records()[1] = used(3);
    records()[5] = used(7, Own, 0);
    open(3);
    prompts().answers = {QMessageBox::Yes};
    trigger("DeleteRec");
    EXPECT_EQ(prompts().messageTexts(), QStringList{QStringLiteral("Вы уверены, что хотите удалить текущую запись?")});
    EXPECT_EQ(records()[4].Action, 7);
    EXPECT_FALSE(action("PasteRec")->isEnabled());
    // An empty record moved up, but MarkModified runs last and names it a record.
    EXPECT_EQ(main().Lbl_RecordNo()->text(), QStringLiteral("Запись: 3"));
    EXPECT_FALSE(labelIsRed());

    // Deleting record 0 keeps a link to 0, now meaning the record that moved up.
    select(0);
    prompts().clear();
    prompts().answers = {QMessageBox::Yes};
    trigger("DeleteRec");
    EXPECT_EQ(prompts().messageTexts(),
              QStringList{QStringLiteral("На удаляемую запись есть ссылка(ки) в записи(ях): 4.\r\n\r\n"
                                         "Вы уверены, что хотите удалить текущую запись?")});
    EXPECT_EQ(records()[0].Action, 3);
    EXPECT_EQ(records()[3].ControlRec, 0);
    EXPECT_TRUE(records()[4].isEmpty());
    expectGridMatchesRecords();
}

TEST_F(RecordCommandsTest, PasteAsksWhenTheLastRecordIsUsedAndPastesOnce)
{
    records()[0] = used(1, Own, 49);
    records()[1] = used(1, Own, 10);
    records()[2] = used(1, Own, 9);
    records()[3] = used(7, Own, 3);
    records()[10] = used(0);
    records()[49] = used(3);
    open(3);
    trigger("CopyRec");
    EXPECT_FALSE(main().document().modified) << "copying changes no record";
    EXPECT_EQ(main().windowTitle(), QStringLiteral("Scrivlet"));
    EXPECT_FALSE(action("Save")->isEnabled());
    select(10);
    const Snapshot before = snapshot();
    const QString question = QStringLiteral("При вставке, последняя запись будет удалена.\r\nПродолжить вставку?");

    trigger("PasteRec");
    const AskedPrompt &asked = onlyPrompt();
    EXPECT_EQ(asked.kind, PromptKind::Confirmation);
    EXPECT_EQ(asked.text, question);
    EXPECT_EQ(asked.buttons, QMessageBox::Yes | QMessageBox::Cancel);
    EXPECT_EQ(snapshot(), before);
    EXPECT_TRUE(action("PasteRec")->isEnabled());

    prompts().answers = {QMessageBox::Yes};
    trigger("PasteRec");
    EXPECT_EQ(records()[10], used(7, Own, 3)) << "pasted unchanged";
    EXPECT_EQ(records()[11].Action, 0);
    EXPECT_EQ(records()[0].ControlRec, 49);
    EXPECT_EQ(records()[1].ControlRec, 11);
    EXPECT_EQ(records()[2].ControlRec, 9);
    EXPECT_EQ(main().gridText(10, 1), QStringLiteral("Атака"));
    expectGridMatchesRecords();
    expectModifiedAt(10);
    EXPECT_EQ(main().Lbl_RecordNo()->text(), QStringLiteral("Запись: 10"));
    EXPECT_FALSE(action("PasteRec")->isEnabled());
}

TEST_F(RecordCommandsTest, PasteWithAnEmptyLastRecordAsksNothing)
{
    records()[0] = used(1);
    records()[48] = used(3);
    open(0);
    trigger("CutRec"); // record 48 moves to 47, 49 stays empty
    select(49);
    trigger("PasteRec");
    EXPECT_TRUE(prompts().asked.isEmpty());
    EXPECT_EQ(records()[49].Action, 1);
    EXPECT_EQ(records()[47].Action, 3);
    expectGridMatchesRecords();
    expectModifiedAt(49);

    // Pasting an empty record inserts it and leaves its row blank.
    select(20);
    trigger("CopyRec");
    select(0);
    prompts().answers = {QMessageBox::Yes};
    trigger("PasteRec");
    EXPECT_EQ(prompts().asked.size(), 1);
    EXPECT_TRUE(records()[0].isEmpty());
    EXPECT_EQ(records()[48].Action, 3);
    expectGridMatchesRecords();
}

TEST_F(RecordCommandsTest, MoveCarriesTheRecordTheSelectionAndTheLinks)
{
    records()[3] = used(1, Own, 7);
    records()[4] = used(1, Own, 8);
    records()[7] = used(7, Own, 7);
    records()[8] = used(3);
    open(7);

    trigger("MoveDown");
    EXPECT_TRUE(prompts().asked.isEmpty());
    EXPECT_EQ(records()[3].ControlRec, 8);
    EXPECT_EQ(records()[4].ControlRec, 7);
    EXPECT_EQ(records()[8], used(7, Own, 8));
    EXPECT_EQ(records()[7].Action, 3);
    expectGridMatchesRecords();
    expectModifiedAt(8);
    EXPECT_EQ(main().Lbl_RecordNo()->text(), QStringLiteral("Запись: 8"));
    EXPECT_TRUE(action("MoveUp")->isEnabled());
    EXPECT_TRUE(action("MoveDown")->isEnabled());

    trigger("MoveUp");
    EXPECT_EQ(records()[7], used(7, Own, 7));
    EXPECT_EQ(records()[3].ControlRec, 7);
    expectModifiedAt(7);

    select(1);
    trigger("MoveUp");
    EXPECT_EQ(main().CurRec(), 0);
    EXPECT_FALSE(action("MoveUp")->isEnabled());
    EXPECT_TRUE(action("MoveDown")->isEnabled());

    select(48);
    trigger("MoveDown");
    EXPECT_EQ(main().CurRec(), 49);
    EXPECT_EQ(main().StringGrid()->currentRow(), 49);
    EXPECT_FALSE(action("MoveDown")->isEnabled());
    EXPECT_TRUE(action("MoveUp")->isEnabled());
    expectGridMatchesRecords();
}

TEST_F(RecordCommandsTest, InitialiseWarnsForAUsedRecord)
{
    records()[4] = used(3, Own, 6);
    records()[4].Spare19 = 5;
    open(6);

    trigger("Inicial");
    EXPECT_TRUE(prompts().asked.isEmpty()) << "an empty record is initialised without a question";
    NpcRecord initialised;
    initialised.initialise();
    EXPECT_EQ(records()[6], initialised);
    EXPECT_EQ(main().gridText(6, 1), QStringLiteral("Ничего"));
    EXPECT_EQ(records()[4].ControlRec, 6) << "no link rule runs";
    expectModifiedAt(6);
    EXPECT_EQ(main().Lbl_RecordNo()->text(), QStringLiteral("Запись: 6"));
    EXPECT_FALSE(labelIsRed());
    EXPECT_TRUE(action("SaveAsMacr")->isEnabled());

    select(4);
    const Snapshot before = snapshot();
    trigger("Inicial");
    const AskedPrompt &asked = onlyPrompt();
    EXPECT_EQ(asked.kind, PromptKind::Warning);
    EXPECT_EQ(asked.text, QStringLiteral("Текущая запись будет инициализирована!"));
    EXPECT_EQ(asked.buttons, QMessageBox::Ok | QMessageBox::Cancel);
    prompts().answers = {QMessageBox::Cancel};
    trigger("Inicial");
    EXPECT_EQ(snapshot(), before);

    prompts().answers = {QMessageBox::Ok};
    trigger("Inicial");
    EXPECT_EQ(records()[4].Spare19, 5) << "spare fields are kept";
    records()[4].Spare19 = 0;
    EXPECT_EQ(records()[4], initialised);
    expectGridMatchesRecords();
}

TEST_F(RecordCommandsTest, CleanWarnsForAUsedRecordAndEmptiesItWhole)
{
    records()[4] = used(3, Own, 6);
    records()[4].Spare28 = 1234;
    records()[6] = used(1);
    open(6);
    const Snapshot before = snapshot();

    trigger("CleanRec");
    const AskedPrompt &asked = onlyPrompt();
    EXPECT_EQ(asked.kind, PromptKind::Warning);
    EXPECT_EQ(asked.text, QStringLiteral("Текущая запись будет очищена!"));
    EXPECT_EQ(asked.buttons, QMessageBox::Ok | QMessageBox::Cancel);
    EXPECT_EQ(snapshot(), before);

    prompts().answers = {QMessageBox::Ok};
    trigger("CleanRec");
    EXPECT_TRUE(records()[6].isEmpty());
    EXPECT_EQ(records()[4].ControlRec, 6) << "links to a cleaned record stay";
    expectGridMatchesRecords();
    expectModifiedAt(6);
    // ShowRec runs last here, so the label ends in the empty-record form.
    EXPECT_EQ(main().Lbl_RecordNo()->text(), QStringLiteral("Пустая запись: 6"));
    EXPECT_TRUE(labelIsRed());
    EXPECT_FALSE(action("SaveAsMacr")->isEnabled());

    // The Edit menu's own item cleans too, without a question for a record that only
    // holds spare values, and zeroes those as well.
    select(4);
    records()[4] = NpcRecord{};
    records()[4].Spare28 = 1234;
    QAction *menuItem = main().findChild<QAction *>(QStringLiteral("N_CleanRec"));
    ASSERT_NE(menuItem, nullptr);
    EXPECT_EQ(menuItem->shortcut(), QKeySequence(QStringLiteral("Ctrl+Space")));
    prompts().clear();
    menuItem->trigger();
    EXPECT_TRUE(prompts().asked.isEmpty());
    EXPECT_EQ(records()[4].toBytes(), NpcRecord{}.toBytes());
}

TEST_F(RecordCommandsTest, CommandsSitInTheEditMenuAndTheGridMenu)
{
    auto names = [](const QList<QAction *> &actions) {
        QStringList list;
        for (const QAction *a : actions)
            list << (a->isSeparator() ? QStringLiteral("-") : a->objectName());
        return list;
    };
    const auto *gridMenu = main().findChild<QMenu *>(QStringLiteral("P_Menu_Grid"));
    ASSERT_NE(gridMenu, nullptr);
    EXPECT_EQ(names(gridMenu->actions()),
              latin({"CutRec", "CopyRec", "PasteRec", "DeleteRec", "-", "MoveUp", "MoveDown", "-", "MacrManager",
                     "-", "Inicial"}));
    QMenu *editMenu = nullptr;
    for (QAction *a : main().menuBar()->actions()) {
        if (a->objectName() == QStringLiteral("Edit_mMenu"))
            editMenu = a->menu();
    }
    ASSERT_NE(editMenu, nullptr);
    EXPECT_EQ(names(editMenu->actions()), latin({"CutRec", "CopyRec", "PasteRec", "N_CleanRec", "DeleteRec", "-",
                                                 "Inicial", "-", "MoveUp", "MoveDown"}));
}

} // namespace
