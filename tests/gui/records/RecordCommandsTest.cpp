#include "support/AppFixture.h"
#include "support/UsedRecord.h"

#include "common/Windows1251.h"
#include "document/NpcName.h"

#include <QLabel>
#include <QTableWidget>

#include <map>

namespace
{

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
    return usedRecord(action, npc, target);
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

    // Shows the records as a freshly opened script does, with `row` selected.
    void open(int row = 0, quint8 own = Own)
    {
        SessionTester::takeAsOpened(session(), own);
        select(row);
    }
    void select(int row)
    {
        main().selectGridRow(row);
        main().StringGrid()->StringGridSelectCell(1, row);
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
                      record.isEmpty() ? QString() : linkText(record, session().document().OwnNpcNumber));
        }
    }

    Snapshot snapshot()
    {
        Snapshot s{records(),
                   {},
                   session().clipboard(),
                   session().isModified(),
                   main().windowTitle(),
                   main().Lbl_RecordNo()->text(),
                   session().CurRec(),
                   action("PasteRec")->isEnabled()};
        for (int row = 0; row < RecordCount; ++row)
            s.grid << main().gridText(row, 1) << main().gridText(row, 2);
        return s;
    }

    bool labelIsRed()
    {
        return main().Lbl_RecordNo()->palette().color(QPalette::WindowText) == QColor(Qt::red);
    }

    void expectModifiedAt(int row)
    {
        EXPECT_EQ(session().CurRec(), row);
        EXPECT_EQ(main().StringGrid()->currentRow(), row);
        EXPECT_TRUE(session().isModified());
        EXPECT_EQ(main().windowTitle(), QStringLiteral("Scrivlet - *"));
        EXPECT_TRUE(action("Save")->isEnabled());
    }

    void expectAsked(PromptKind kind, const QString &text, QMessageBox::StandardButtons buttons)
    {
        ASSERT_EQ(prompts().asked.size(), 1);
        EXPECT_EQ(prompts().asked.first().kind, kind);
        EXPECT_EQ(prompts().asked.first().text, text);
        EXPECT_EQ(prompts().asked.first().buttons, buttons);
        prompts().clear();
    }
};

TEST_F(RecordCommandsTest, CutMovesTheRecordsBelowUpAndFillsTheClipboard)
{
    records()[2] = used(1, Own, 5);
    records()[5] = used(3);
    records()[20] = used(1, Own, 30);
    records()[30] = used(2, OtherNpc, 40);
    records()[49] = used(0);
    open(5);
    SessionTester::setCaption(session(), 30, 1, QStringLiteral("moves along"));
    const NpcRecord cut = records()[5];

    trigger("CutRec");

    EXPECT_TRUE(prompts().asked.isEmpty());
    EXPECT_EQ(session().clipboard(), cut);
    EXPECT_TRUE(action("PasteRec")->isEnabled());
    EXPECT_EQ(records()[2].ControlRec, 4);
    EXPECT_EQ(records()[19].ControlRec, 29);
    EXPECT_TRUE(records()[49].isEmpty());
    EXPECT_EQ(main().gridText(29, 1), QStringLiteral("moves along"));
    SessionTester::setCaption(session(), 29, 1, QString());
    expectGridMatchesRecords();
    expectModifiedAt(5);
    EXPECT_EQ(main().Lbl_RecordNo()->text(), QStringLiteral("Запись: 5"));
}

TEST_F(RecordCommandsTest, DeleteAsksWithTheLinkingRecordsAndLeavesTheClipboard)
{
    records()[2] = used(1, Own, 5);
    records()[5] = used(3);
    records()[9] = used(7, Own, 5);
    open(6);
    trigger("CopyRec");
    EXPECT_FALSE(session().isModified()) << "copying changes no record";
    EXPECT_FALSE(action("Save")->isEnabled());
    const Snapshot before = snapshot();

    trigger("DeleteRec");
    expectAsked(PromptKind::Confirmation, QStringLiteral("Вы уверены, что хотите удалить текущую запись?"),
                QMessageBox::Yes | QMessageBox::Cancel);
    EXPECT_EQ(snapshot(), before);

    select(5);
    prompts().answers = {QMessageBox::Yes};
    trigger("DeleteRec");
    expectAsked(PromptKind::Confirmation,
                QStringLiteral("На удаляемую запись есть ссылка(ки) в записи(ях): 2, 9.\r\n\r\n"
                               "Вы уверены, что хотите удалить текущую запись?"),
                QMessageBox::Yes | QMessageBox::Cancel);
    EXPECT_EQ(records()[8].ControlRec, 4);
    EXPECT_EQ(session().clipboard(), before.clipboard);
    EXPECT_TRUE(action("PasteRec")->isEnabled());
    expectGridMatchesRecords();
    expectModifiedAt(5);
    // The record now current is empty, but MarkModified runs last and names it a record.
    EXPECT_EQ(main().Lbl_RecordNo()->text(), QStringLiteral("Запись: 5"));
    EXPECT_FALSE(labelIsRed());
}

TEST_F(RecordCommandsTest, PasteAsksWhenTheLastRecordIsUsedAndPastesOnce)
{
    records()[1] = used(1, Own, 10);
    records()[3] = used(7, Own, 3);
    records()[10] = used(0);
    records()[49] = used(3);
    open(3);
    trigger("CopyRec");
    select(10);
    const Snapshot before = snapshot();
    const QString question =
        QStringLiteral("При вставке, последняя запись будет удалена.\r\nПродолжить вставку?");

    trigger("PasteRec");
    expectAsked(PromptKind::Confirmation, question, QMessageBox::Yes | QMessageBox::Cancel);
    EXPECT_EQ(snapshot(), before);

    prompts().answers = {QMessageBox::Yes};
    trigger("PasteRec");
    EXPECT_EQ(records()[10], used(7, Own, 3)) << "pasted unchanged";
    EXPECT_EQ(records()[11].Action, 0);
    EXPECT_EQ(records()[1].ControlRec, 11);
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
    expectModifiedAt(49);

    // A pasted empty record leaves its row blank.
    select(20);
    trigger("CopyRec");
    select(0);
    prompts().answers = {QMessageBox::Yes};
    trigger("PasteRec");
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
    expectGridMatchesRecords();
    expectModifiedAt(8);
    EXPECT_EQ(main().Lbl_RecordNo()->text(), QStringLiteral("Запись: 8"));
    EXPECT_TRUE(action("MoveUp")->isEnabled());

    trigger("MoveUp");
    EXPECT_EQ(records()[7], used(7, Own, 7));
    expectModifiedAt(7);

    select(1);
    trigger("MoveUp");
    EXPECT_FALSE(action("MoveUp")->isEnabled());
    EXPECT_TRUE(action("MoveDown")->isEnabled());
    select(48);
    trigger("MoveDown");
    expectModifiedAt(49);
    EXPECT_FALSE(action("MoveDown")->isEnabled());
    EXPECT_TRUE(action("MoveUp")->isEnabled());
}

TEST_F(RecordCommandsTest, InitialiseWarnsForAUsedRecord)
{
    records()[4] = used(3, Own, 6);
    records()[4].Spare19 = 5;
    open(6);
    NpcRecord initialised;
    initialised.initialise();

    trigger("Inicial");
    EXPECT_TRUE(prompts().asked.isEmpty()) << "an empty record is initialised without a question";
    EXPECT_EQ(records()[6], initialised);
    EXPECT_EQ(main().gridText(6, 1), QStringLiteral("Ничего"));
    EXPECT_EQ(records()[4].ControlRec, 6) << "no link rule runs";
    expectModifiedAt(6);
    EXPECT_EQ(main().Lbl_RecordNo()->text(), QStringLiteral("Запись: 6"));
    EXPECT_FALSE(labelIsRed());

    select(4);
    const Snapshot before = snapshot();
    trigger("Inicial");
    expectAsked(PromptKind::Warning, QStringLiteral("Текущая запись будет инициализирована!"),
                QMessageBox::Ok | QMessageBox::Cancel);
    EXPECT_EQ(snapshot(), before);

    prompts().answers = {QMessageBox::Ok};
    trigger("Inicial");
    initialised.Spare19 = 5;
    EXPECT_EQ(records()[4], initialised) << "spare fields are kept";
    expectGridMatchesRecords();
}

TEST_F(RecordCommandsTest, CleanWarnsForAUsedRecordAndEmptiesItWhole)
{
    records()[4] = used(3, Own, 6);
    records()[6] = used(1);
    open(6);
    const Snapshot before = snapshot();

    trigger("CleanRec");
    expectAsked(PromptKind::Warning, QStringLiteral("Текущая запись будет очищена!"),
                QMessageBox::Ok | QMessageBox::Cancel);
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

    // The Edit menu's Ctrl+Space item asks nothing for a record that only holds
    // spare values, and zeroes those too.
    records()[6].Spare28 = 1234;
    prompts().clear();
    QAction *menuItem = main().findChild<QAction *>(QStringLiteral("N_CleanRec"));
    ASSERT_NE(menuItem, nullptr);
    EXPECT_EQ(menuItem->shortcut(), QKeySequence(QStringLiteral("Ctrl+Space")));
    menuItem->trigger();
    EXPECT_TRUE(prompts().asked.isEmpty());
    EXPECT_EQ(records()[6].toBytes(), NpcRecord{}.toBytes());
}

} // namespace
