#include "document/NpcName.h"
#include "editor/RecordList.h"

#include <gtest/gtest.h>

#include <map>
#include <random>

// Random command sequences on random scripts. Every record carries an identity tag in
// Spare28, which no command but clean changes and which does not count for emptiness,
// so a link can be followed to the record it meant.
namespace
{

constexpr quint8 OwnNumbers[] = {0, 12, 57, NoneByte};

class Script
{
public:
    explicit Script(std::mt19937 &rng) : m_rng(rng)
    {
        own = OwnNumbers[pick(0, 3)];
        for (int i = 0; i < RecordCount; ++i) {
            NpcRecord &record = records[i];
            if (pick(0, 9) >= 3) {
                record.initialise();
                record.Action = static_cast<quint8>(pick(1, 29)); // keeps it used for good
                const int npc = pick(0, 3);
                record.ControlNpc = npc < 2 ? own : npc == 2 ? quint8(own + 1) : NoneByte;
                const int kind = pick(0, 9);
                record.ControlRec = static_cast<quint8>(kind < 7   ? pick(0, 49)
                                                        : kind < 8 ? 255
                                                                   : pick(50, 254));
            }
            record.Spare28 = freshTag();
        }
        for (int i = 0; i < RecordCount; ++i)
            showRow(i);
    }

    int pick(int low, int high) { return std::uniform_int_distribution<int>(low, high)(m_rng); }
    quint16 freshTag() { return ++m_lastTag; }

    // The grid row as the window shows a record after ShowRec.
    void showRow(int row)
    {
        const NpcRecord &record = records[row];
        grid.action[row] = record.isEmpty() ? QString() : QStringLiteral("A%1").arg(record.Action);
        grid.link[row] = record.isEmpty() ? QString() : linkText(record, own);
    }

    NpcRecords records{};
    RecordGridTexts grid;
    quint8 own = NoneByte;
    int curRec = 0;
    NpcRecord clipboard;
    bool pasteEnabled = false;

private:
    std::mt19937 &m_rng;
    quint16 m_lastTag = 0;
};

enum Command { Cut, Copy, Paste, Delete, Clean, Initialise, MoveUp, MoveDown, CommandCount };

// Runs one command as the window does; returns the row whose record the command
// replaced or rewrote on purpose (-1 for none).
int run(Script &s, Command command)
{
    RecordList list(s.records, s.grid, s.curRec, s.own);
    switch (command) {
    case Cut:
    case Delete:
        if (command == Cut) {
            s.clipboard = s.records[s.curRec];
            s.pasteEnabled = true;
        }
        list.removeRecord();
        s.records[RecordCount - 1].Spare28 = s.freshTag();
        return -1;
    case Copy:
        s.clipboard = s.records[s.curRec];
        s.pasteEnabled = true;
        return -1;
    case Paste:
        if (!s.pasteEnabled)
            return -1;
        list.insertRecord(s.clipboard);
        s.records[s.curRec].Spare28 = s.freshTag();
        s.showRow(s.curRec);
        s.pasteEnabled = false;
        return s.curRec;
    case Clean: {
        const quint16 tag = s.records[s.curRec].Spare28;
        s.records[s.curRec] = NpcRecord{};
        s.records[s.curRec].Spare28 = tag;
        s.showRow(s.curRec);
        return s.curRec;
    }
    case Initialise:
        s.records[s.curRec].initialise();
        s.showRow(s.curRec);
        return s.curRec;
    case MoveUp:
    case MoveDown:
        list.moveRecord(command == MoveUp ? -1 : +1);
        s.curRec = list.CurRec();
        return -1;
    case CommandCount:
        break;
    }
    return -1;
}

std::map<quint16, int> indexByTag(const NpcRecords &records)
{
    std::map<quint16, int> index;
    for (int i = 0; i < RecordCount; ++i)
        index[records[i].Spare28] = i;
    return index;
}

TEST(RecordListPropertyTest, LinksFollowTheirRecordsThroughRandomCommands)
{
    std::mt19937 rng(20261208);
    int followedLinks = 0;
    for (int script = 0; script < 300; ++script) {
        Script s(rng);
        for (int step = 0; step < 60; ++step) {
            if (s.pick(0, 2) == 0)
                s.curRec = s.pick(0, RecordCount - 1);
            const auto command = static_cast<Command>(s.pick(0, CommandCount - 1));
            SCOPED_TRACE(testing::Message() << "script " << script << " step " << step << " command "
                                            << command << " at " << s.curRec << " own " << int(s.own));

            const NpcRecords before = s.records;
            const std::map<quint16, int> oldIndex = indexByTag(before);
            const int rewritten = run(s, command);
            const std::map<quint16, int> newIndex = indexByTag(s.records);

            for (int i = 0; i < RecordCount; ++i) {
                const NpcRecord &old = before[i];
                const auto moved = newIndex.find(old.Spare28);
                if (moved == newIndex.end() || moved->second == rewritten)
                    continue;
                NpcRecord now = s.records[moved->second];
                if (!linksIntoScript(old, s.own)) {
                    ASSERT_EQ(now, old) << "a record without a link into the script changed";
                    continue;
                }
                const quint8 oldTarget = old.ControlRec;
                now.ControlRec = old.ControlRec;
                ASSERT_EQ(now, old) << "only the link of a linking record may change";
                if (oldTarget >= RecordCount)
                    continue;
                const auto target = newIndex.find(before[oldTarget].Spare28);
                if (target == newIndex.end())
                    continue; // the target was removed or fell off the end
                ASSERT_EQ(s.records[moved->second].ControlRec, target->second)
                    << "record " << i << " linked to " << int(oldTarget);
                ++followedLinks;
            }
            ASSERT_EQ(oldIndex.size(), size_t(RecordCount));

            Script shown = s;
            for (int row = 0; row < RecordCount; ++row)
                shown.showRow(row);
            ASSERT_EQ(s.grid, shown.grid) << "grid texts no longer match their records";
        }
    }
    EXPECT_GT(followedLinks, 50000);
}

} // namespace
