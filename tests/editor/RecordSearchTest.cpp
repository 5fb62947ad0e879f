#include "editor/RecordSearch.h"

#include <gtest/gtest.h>

TEST(RecordSearchTest, TypedValuesStandForWhatTheFieldStores)
{
    EXPECT_EQ(storedValue(NpcField::FDay, -1), 255);
    EXPECT_EQ(storedValue(NpcField::TriggT, -1), 65535);
    EXPECT_EQ(storedValue(NpcField::ItemIn, -5), 65531);
    EXPECT_EQ(storedValue(NpcField::ItemIn, -32768), 32768);
    EXPECT_EQ(storedValue(NpcField::FDay, 255), 255);
    EXPECT_EQ(storedValue(NpcField::GoSect, 65535), 65535);
    EXPECT_FALSE(storedValue(NpcField::FDay, 256));
    EXPECT_FALSE(storedValue(NpcField::FDay, -129));
    EXPECT_FALSE(storedValue(NpcField::ItemIn, 65536));
    EXPECT_FALSE(storedValue(NpcField::ItemIn, -32769));
}

TEST(RecordSearchTest, EveryTermMustHoldInAnyOfItsFields)
{
    NpcRecords records{};
    for (int i = 0; i < 4; ++i)
        records[i].initialise();
    records[0].TriggT = 57;
    records[1].Trigg2T = 57;
    records[1].ItemOut = 3;
    records[2].TriggF = 57;
    records[2].ItemIn = 3;
    records[2].Trigg2T = 57;
    // records[3] has every fact at none; record 4 on are empty and never match.

    const auto matching = [&](const QList<SearchTerm> &terms) {
        QList<int> list;
        for (const SearchMatch &match : findRecords(records, terms))
            list << match.record;
        return list;
    };
    EXPECT_EQ(matching({SearchTerm::fact(57)}), QList<int>({0, 1, 2}));
    EXPECT_EQ(matching({SearchTerm::fact(57), SearchTerm::item(3)}), QList<int>({1, 2}));
    EXPECT_EQ(matching({SearchTerm::field(NpcField::TriggT, -1)}), QList<int>({1, 2, 3}));
    EXPECT_EQ(matching({SearchTerm::field(NpcField::Mode, 0)}), QList<int>({0, 1, 2, 3}));
    EXPECT_EQ(matching({SearchTerm::npc(12)}), QList<int>());

    const QList<SearchMatch> matches = findRecords(records, {SearchTerm::item(3), SearchTerm::fact(57)});
    ASSERT_EQ(matches.size(), 2);
    EXPECT_EQ(matches.at(1), (SearchMatch{2, {NpcField::ItemIn, NpcField::TriggF, NpcField::Trigg2T}}));
}
