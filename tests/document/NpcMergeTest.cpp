#include "document/NpcMerge.h"
#include "document/NpcFile.h"
#include "support/QtPrinters.h"

#include <gtest/gtest.h>

namespace
{

NpcMergeSide side(const NpcRecords &records, NpcLayout layout = NpcLayout::StandardLayout)
{
    return {records, layout, NpcWriter::encode(records, layout)};
}

NpcRecords baseRecords()
{
    NpcRecords records{};
    for (int i = 0; i < 4; ++i) {
        records[i].initialise();
        records[i].FDay = quint8(i);
    }
    records[1].ControlNpc = 57;
    records[1].ControlRec = 2;
    return records;
}

NpcRecords readBack(const QByteArray &bytes)
{
    NpcReader reader;
    EXPECT_TRUE(reader.readBytes(bytes)) << reader.reason().toStdString();
    return reader.records();
}

} // namespace

TEST(NpcMerge, TakesEachSidesOwnChangesAndKeepsOursWhereBothDiffer)
{
    const NpcRecords base = baseRecords();
    NpcRecords ours = base;
    NpcRecords theirs = base;
    ours[0].LDay = 9;      // ours only
    theirs[2].Leader = 40; // theirs only
    ours[3].Phrase = 7;    // alike on both
    theirs[3].Phrase = 7;
    ours[1].ControlRec = 3; // differently on both
    theirs[1].ControlRec = 0;
    theirs[5].Spare28 = 11; // spare fields are data too

    const NpcMergeResult result = mergeNpc(side(base), side(ours), side(theirs));
    NpcRecords expected = ours;
    expected[2].Leader = 40;
    expected[5].Spare28 = 11;
    EXPECT_EQ(readBack(result.bytes), expected);
    EXPECT_EQ(result.conflicts, (QList<NpcFieldConflict>{{1, NpcField::ControlRec, 2, 3, 0}}));
    EXPECT_FALSE(result.layoutConflict);
}

TEST(NpcMerge, ARecordMovedOnOneSideAgainstAChangeOnTheOtherIsAConflictNotAGuess)
{
    const NpcRecords base = baseRecords();
    NpcRecords ours = base;
    std::swap(ours[2], ours[3]); // moved down
    NpcRecords theirs = base;
    theirs[2].Leader = 40;

    NpcMergeResult result = mergeNpc(side(base), side(ours), side(theirs));
    EXPECT_EQ(readBack(result.bytes), ours);
    EXPECT_EQ(result.conflicts, (QList<NpcFieldConflict>{{2, NpcField::Leader, 0, 0, 40}}));
    // The same from the other side, and with the moved records' links rewritten.
    ours[1].ControlRec = 3;
    ours[3].ControlRec = 1;
    result = mergeNpc(side(base), side(theirs), side(ours));
    EXPECT_EQ(result.conflicts, (QList<NpcFieldConflict>{{2, NpcField::Leader, 0, 40, 0}}));
    EXPECT_EQ(readBack(result.bytes)[1].ControlRec, 3);
    EXPECT_EQ(readBack(result.bytes)[2].Leader, 40);
}

TEST(NpcMerge, KeepsOursLayoutUnlessOnlyTheirsChangedItAndNeverDropsRecord49)
{
    const NpcRecords base = baseRecords();
    using L = NpcLayout;
    // A layout change on one side is taken; ours wins where both changed.
    EXPECT_EQ(mergeNpc(side(base), side(base), side(base, L::VestaLayout)).layout, L::VestaLayout);
    EXPECT_EQ(mergeNpc(side(base), side(base, L::VestaLayout), side(base)).layout, L::VestaLayout);
    EXPECT_EQ(mergeNpc(side(base, L::VestaLayout), side(base), side(base)).layout, L::StandardLayout);
    const NpcMergeResult switched = mergeNpc(side(base), side(base), side(base, L::VestaLayout));
    EXPECT_EQ(switched.bytes, NpcWriter::encode(base, L::VestaLayout));
    EXPECT_TRUE(switched.isClean());

    // Theirs switches to Vesta while ours fills record 49: ours' layout stays.
    NpcRecords ours = base;
    ours[49].initialise();
    const NpcMergeResult kept = mergeNpc(side(base), side(ours), side(base, L::VestaLayout));
    EXPECT_EQ(kept.layout, L::StandardLayout);
    EXPECT_TRUE(kept.layoutConflict);
    EXPECT_EQ(readBack(kept.bytes), ours);

    // Ours is Vesta and theirs fills record 49: it has no place, so it is listed.
    NpcRecords theirs = base;
    theirs[49].Spare30 = 5;
    const NpcMergeResult dropped = mergeNpc(side(base), side(base, L::VestaLayout), side(theirs));
    EXPECT_EQ(dropped.layout, L::VestaLayout);
    EXPECT_EQ(dropped.conflicts, (QList<NpcFieldConflict>{{49, NpcField::Spare30, 0, 0, 5}}));
}

TEST(NpcMerge, OursBytesBeyondTheRecordsStayAndWithoutABaseEveryDifferenceIsAConflict)
{
    NpcRecords ours = baseRecords();
    NpcMergeSide oursSide = side(ours, NpcLayout::VestaLayout);
    oursSide.bytes[1590] = 'v'; // the tail of a Vesta file
    oursSide.bytes += "beyond";
    NpcRecords theirs = ours;
    theirs[7].initialise();
    const NpcMergeResult result =
        mergeNpc(side(ours, NpcLayout::VestaLayout), oursSide, side(theirs, NpcLayout::VestaLayout));
    EXPECT_EQ(result.bytes.size(), 1606);
    EXPECT_EQ(result.bytes[1590], 'v');
    EXPECT_TRUE(result.bytes.endsWith("beyond"));
    EXPECT_EQ(readBack(result.bytes), theirs);

    NpcRecords other = ours;
    other[0].FDay = 30;
    const NpcMergeResult both = mergeNpc(std::nullopt, side(ours), side(other));
    EXPECT_EQ(both.conflicts, (QList<NpcFieldConflict>{{0, NpcField::FDay, 0, 0, 30}}));
    EXPECT_EQ(readBack(both.bytes), ours);
}

// The bytes after the records are one block: one side's change is taken, both sides'
// different changes are a conflict that keeps ours, and a layout switch keeps them too.
TEST(NpcMerge, MergesTheBytesAfterTheRecordsAsOneBlock)
{
    const NpcRecords records = baseRecords();
    const auto withTail = [&](const QByteArray &tail, NpcLayout layout = NpcLayout::StandardLayout) {
        NpcMergeSide result = side(records, layout);
        result.bytes += tail;
        return result;
    };
    struct Case {
        const char *base, *ours, *theirs, *merged;
        bool conflict;
    };
    const Case cases[] = {
        {"old", "old", "new", "new", false}, {"old", "mine", "old", "mine", false},
        {"old", "same", "same", "same", false}, {"old", "mine", "new", "mine", true},
        {"", "", "added", "added", false},
    };
    for (const Case &c : cases) {
        const NpcMergeResult result = mergeNpc(withTail(c.base), withTail(c.ours), withTail(c.theirs));
        EXPECT_EQ(result.bytes.mid(NpcReader::FileSize), QByteArray(c.merged)) << c.theirs;
        EXPECT_EQ(result.tailConflict, c.conflict) << c.theirs;
        EXPECT_EQ(readBack(result.bytes), records);
    }
    EXPECT_TRUE(mergeNpc(std::nullopt, withTail("a"), withTail("b")).tailConflict);
    const NpcMergeResult switched =
        mergeNpc(withTail("t"), withTail("t"), withTail("t", NpcLayout::VestaLayout));
    EXPECT_EQ(switched.layout, NpcLayout::VestaLayout);
    EXPECT_EQ(switched.bytes.mid(NpcReader::FileSize), QByteArray("t"));
}
