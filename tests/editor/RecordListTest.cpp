#include "editor/RecordList.h"
#include "document/NpcName.h"
#include "support/QtPrinters.h"
#include "support/UsedRecord.h"

#include <gtest/gtest.h>

namespace
{

constexpr quint8 Own = 57;
constexpr quint8 OtherNpc = 12;

// A used record that hands control to record `target` of NPC `npc`.
NpcRecord linkRecord(quint8 npc, quint8 target, quint8 action = 3)
{
    return usedRecord(action, npc, target);
}

NpcRecord plainRecord(quint8 action)
{
    NpcRecord record;
    record.initialise();
    record.Action = action;
    return record;
}

// A script whose grid shows every row as a loaded script would; column 1 carries a
// marker per row so that moved texts can be told from recomputed ones.
class RecordListTest : public ::testing::Test
{
protected:
    void fillGrid()
    {
        for (int i = 0; i < RecordCount; ++i) {
            const bool empty = records[i].isEmpty();
            grid.action[i] = empty ? QString() : QStringLiteral("row%1").arg(i);
            grid.link[i] = empty ? QString() : linkText(records[i], own);
        }
    }
    RecordList at(int curRec) { return RecordList(records, grid, curRec, own); }

    NpcRecords records{};
    RecordGridTexts grid;
    quint8 own = Own;
};

TEST_F(RecordListTest, CheckLinkDelListsLinkingRecordsInOrder)
{
    records[12] = linkRecord(Own, 5);
    records[3] = linkRecord(Own, 5);
    records[5] = linkRecord(Own, 5); // self-link
    records[7] = linkRecord(Own, 6);
    records[8] = linkRecord(OtherNpc, 5);
    records[9] = linkRecord(Own, NoneByte);
    EXPECT_EQ(at(5).CheckLinkDel(), QStringLiteral("3, 5, 12"));
    EXPECT_EQ(at(6).CheckLinkDel(), QStringLiteral("7"));
    EXPECT_EQ(at(4).CheckLinkDel(), QString());
}

TEST_F(RecordListTest, OwnNumber255CountsNoneNpcAsThisScript)
{
    own = NoneByte;
    records[1] = linkRecord(NoneByte, 4);
    records[2] = plainRecord(1); // ControlNpc and ControlRec both none: no link
    records[3] = linkRecord(Own, 4);
    fillGrid();
    EXPECT_EQ(at(4).CheckLinkDel(), QStringLiteral("1"));
    at(0).removeRecord();
    EXPECT_EQ(records[0].ControlRec, 3);
    EXPECT_EQ(grid.link[0], QStringLiteral("3"));
    EXPECT_EQ(records[1].ControlRec, NoneByte);
    EXPECT_EQ(records[2].ControlRec, 4);
    EXPECT_EQ(grid.link[2], QStringLiteral("#57"));
}

TEST_F(RecordListTest, RemoveInTheMiddle)
{
    records[2] = linkRecord(Own, 5);
    records[5] = plainRecord(7);
    records[9] = linkRecord(Own, 5);
    records[20] = linkRecord(Own, 30);
    records[30] = plainRecord(8);
    records[40] = linkRecord(Own, 3);
    records[49] = plainRecord(9);
    fillGrid();
    EXPECT_EQ(at(5).CheckLinkDel(), QStringLiteral("2, 9"));

    at(5).removeRecord();

    EXPECT_EQ(records[2].ControlRec, 4);
    EXPECT_EQ(grid.link[2], QStringLiteral("4"));
    EXPECT_EQ(records[8].ControlRec, 4);
    EXPECT_EQ(grid.link[8], QStringLiteral("4"));
    EXPECT_EQ(grid.action[8], QStringLiteral("row9"));
    EXPECT_EQ(records[19].ControlRec, 29);
    EXPECT_EQ(grid.link[19], QStringLiteral("29"));
    EXPECT_EQ(records[29].Action, 8);
    EXPECT_EQ(grid.action[29], QStringLiteral("row30"));
    EXPECT_EQ(records[39].ControlRec, 3); // below the removed record
    EXPECT_EQ(records[48].Action, 9);
    EXPECT_TRUE(records[49].isEmpty());
    EXPECT_EQ(records[49].toBytes(), NpcRecord{}.toBytes());
    EXPECT_EQ(grid.action[49], QString());
    EXPECT_EQ(grid.link[49], QString());
}

TEST_F(RecordListTest, RemoveAtTheEnds)
{
    records[0] = plainRecord(1);
    records[1] = plainRecord(2);
    records[10] = linkRecord(Own, 0);
    records[11] = linkRecord(Own, 1);
    records[12] = linkRecord(Own, 49);
    records[49] = linkRecord(Own, 49, 5);
    records[49].Spare28 = 77;
    fillGrid();

    at(49).removeRecord();
    EXPECT_TRUE(records[49].isEmpty());
    EXPECT_EQ(records[49].Spare28, 0) << "the last slot is zeroed whole";
    EXPECT_EQ(records[12].ControlRec, 48);
    EXPECT_EQ(records[10].ControlRec, 0);

    at(0).removeRecord();
    EXPECT_EQ(records[0].Action, 2);
    EXPECT_EQ(records[9].ControlRec, 0) << "a link to the removed record 0 stays 0";
    EXPECT_EQ(records[10].ControlRec, 0);
    EXPECT_EQ(records[11].ControlRec, 47);
    EXPECT_EQ(grid.link[11], QStringLiteral("47"));
}

TEST_F(RecordListTest, InsertInTheMiddleAndAtTheEnds)
{
    records[0] = linkRecord(Own, 49);
    records[1] = linkRecord(Own, 10);
    records[2] = linkRecord(Own, 9);
    records[10] = plainRecord(4);
    records[48] = plainRecord(5);
    records[49] = plainRecord(6);
    fillGrid();
    const NpcRecord pasted = linkRecord(Own, 10, 11);

    at(10).insertRecord(pasted);
    EXPECT_EQ(records[0].ControlRec, 49);
    EXPECT_EQ(records[1].ControlRec, 11);
    EXPECT_EQ(grid.link[1], QStringLiteral("11"));
    EXPECT_EQ(records[2].ControlRec, 9);
    EXPECT_EQ(records[10], pasted) << "the pasted record's own link is not adjusted";
    EXPECT_EQ(records[11].Action, 4);
    EXPECT_EQ(grid.action[11], QStringLiteral("row10"));
    EXPECT_EQ(records[49].Action, 5) << "the old record 49 falls off the end";
    EXPECT_EQ(grid.action[49], QStringLiteral("row48"));

    at(0).insertRecord(pasted);
    EXPECT_EQ(records[0], pasted);
    EXPECT_EQ(records[1].ControlRec, 49);
    EXPECT_EQ(records[2].ControlRec, 12);
    EXPECT_EQ(records[3].ControlRec, 10);

    const NpcRecord before48 = records[48];
    at(49).insertRecord(plainRecord(20));
    EXPECT_EQ(records[48], before48) << "nothing moves when pasting at 49";
    EXPECT_EQ(records[49].Action, 20);
    EXPECT_EQ(records[1].ControlRec, 49);
}

TEST_F(RecordListTest, OtherNpcsLinksAndNoneLinksAreNeverTouched)
{
    for (quint8 target : {0, 5, 49, 100, 254}) {
        SCOPED_TRACE(target);
        records.fill(NpcRecord{});
        records[0] = plainRecord(1);
        records[5] = plainRecord(2);
        records[20] = linkRecord(OtherNpc, target);
        records[21] = linkRecord(Own, NoneByte);
        fillGrid();
        RecordList list = at(5);
        list.ChangeLink2Rec(+1);
        list.ChangeLink2Rec(-1);
        list.ChangeLinksPlace(-1);
        list.ChangeLinksPlace(+1);
        EXPECT_EQ(records[20].ControlRec, target);
        EXPECT_EQ(grid.link[20], QStringLiteral("#12"));
        EXPECT_EQ(records[21].ControlRec, NoneByte);
        EXPECT_EQ(grid.link[21], QString());
    }
}

TEST_F(RecordListTest, OutOfRangeLinksShiftWithByteArithmetic)
{
    records[0] = plainRecord(1);
    records[1] = linkRecord(Own, 50);
    records[2] = linkRecord(Own, 200);
    records[3] = linkRecord(Own, 254);
    fillGrid();

    at(10).ChangeLink2Rec(-1);
    EXPECT_EQ(records[1].ControlRec, 49);
    EXPECT_EQ(records[2].ControlRec, 199);
    EXPECT_EQ(records[3].ControlRec, 253);
    EXPECT_EQ(grid.link[3], QStringLiteral("253"));

    at(10).ChangeLink2Rec(+1);
    at(10).ChangeLink2Rec(+1);
    EXPECT_EQ(records[1].ControlRec, 49) << "49 is the last record and stays";
    EXPECT_EQ(records[2].ControlRec, 201);
    EXPECT_EQ(records[3].ControlRec, NoneByte) << "254 + 1 is the none value";
    EXPECT_EQ(grid.link[3], QString());
    EXPECT_EQ(at(3).CheckLinkDel(), QString());
}

TEST_F(RecordListTest, MoveSwapsNeighboursAndTheirLinks)
{
    records[3] = linkRecord(Own, 7);
    records[4] = linkRecord(Own, 8);
    records[7] = linkRecord(Own, 7, 21); // self-link follows the record
    records[8] = plainRecord(22);
    records[9] = linkRecord(Own, 9);
    fillGrid();

    RecordList list = at(7);
    ASSERT_TRUE(list.moveRecord(+1));
    EXPECT_EQ(list.CurRec(), 8);
    EXPECT_EQ(records[3].ControlRec, 8);
    EXPECT_EQ(records[4].ControlRec, 7);
    EXPECT_EQ(records[8].Action, 21);
    EXPECT_EQ(records[8].ControlRec, 8);
    EXPECT_EQ(records[7].Action, 22);
    EXPECT_EQ(records[9].ControlRec, 9);
    EXPECT_EQ(grid.action[8], QStringLiteral("row7"));
    EXPECT_EQ(grid.link[8], QStringLiteral("8"));
    EXPECT_EQ(grid.action[7], QStringLiteral("row8"));
    EXPECT_EQ(grid.link[7], QString());
    EXPECT_EQ(grid.link[3], QStringLiteral("8"));
    EXPECT_EQ(grid.link[4], QStringLiteral("7"));

    ASSERT_TRUE(list.moveRecord(-1));
    EXPECT_EQ(list.CurRec(), 7);
    EXPECT_EQ(records[3].ControlRec, 7);
    EXPECT_EQ(records[4].ControlRec, 8);
    EXPECT_EQ(records[7].ControlRec, 7);
}

TEST_F(RecordListTest, MoveStopsAtTheEnds)
{
    records[0] = linkRecord(Own, 0);
    records[49] = linkRecord(Own, 49);
    fillGrid();
    const NpcRecords before = records;
    const RecordGridTexts gridBefore = grid;
    RecordList first = at(0);
    RecordList last = at(49);
    EXPECT_FALSE(first.moveRecord(-1));
    EXPECT_FALSE(last.moveRecord(+1));
    EXPECT_EQ(first.CurRec(), 0);
    EXPECT_EQ(last.CurRec(), 49);
    EXPECT_EQ(records, before);
    EXPECT_EQ(grid, gridBefore);
}

TEST_F(RecordListTest, PasteAfterCutOrCopyDoesNotCarryLinks)
{
    records[3] = plainRecord(1);
    records[5] = plainRecord(2);
    records[20] = linkRecord(Own, 5);
    records[21] = linkRecord(Own, 12);
    records[30] = linkRecord(Own, 3);
    fillGrid();
    const NpcRecord cut = records[5];
    at(5).removeRecord();
    EXPECT_EQ(records[19].ControlRec, 4);
    EXPECT_EQ(records[20].ControlRec, 11);
    at(10).insertRecord(cut);
    EXPECT_EQ(records[20].ControlRec, 4);
    EXPECT_EQ(records[21].ControlRec, 12);

    // A copy pasted in place pushes the original down; links follow the original.
    at(3).insertRecord(records[3]);
    EXPECT_EQ(records[4].Action, 1);
    EXPECT_EQ(records[31].ControlRec, 4);
}

TEST_F(RecordListTest, EmptyRecordsOfScriptZeroAreNoLinks)
{
    // In script 0 every empty record reads as "NPC 0, record 0".
    own = 0;
    records[1] = linkRecord(0, 0);
    fillGrid();
    EXPECT_EQ(at(0).CheckLinkDel(), QStringLiteral("1"));
    at(0).insertRecord(plainRecord(2));
    EXPECT_EQ(records[2].ControlRec, 1);
    for (int i = 3; i < RecordCount; ++i) {
        EXPECT_TRUE(records[i].isEmpty()) << i;
        EXPECT_EQ(grid.link[i], QString()) << i;
    }
    RecordList list = at(5);
    list.moveRecord(-1);
    EXPECT_TRUE(records[5].isEmpty());
    EXPECT_EQ(records[5].toBytes(), NpcRecord{}.toBytes());
}

} // namespace
