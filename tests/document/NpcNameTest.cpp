#include "document/NpcName.h"

#include <gtest/gtest.h>

TEST(NpcName, NumberFromTheFileName)
{
    const NpcName name = parseNpcName(QStringLiteral("/games/korvan/npc/057.npc"));
    EXPECT_TRUE(name.numeric);
    EXPECT_EQ(name.number, 57);
    EXPECT_EQ(parseNpcName(QStringLiteral("300.npc")).number, 44);
    EXPECT_EQ(parseNpcName(QStringLiteral("-1.npc")).number, 255);
    EXPECT_EQ(parseNpcName(QStringLiteral("12.NPC")).number, 12);
    // Every ".npc" goes, wherever it stands.
    EXPECT_EQ(parseNpcName(QStringLiteral("1.npc2.npc")).number, 12);
}

TEST(NpcName, OtherNamesBelongToNoNpc)
{
    const NpcName shop = parseNpcName(QStringLiteral("/x/Shop.npc"));
    EXPECT_FALSE(shop.numeric);
    EXPECT_EQ(shop.number, 255);
    EXPECT_EQ(shop.rest, QStringLiteral("Shop"));
    EXPECT_FALSE(parseNpcName(QStringLiteral("99999999999.npc")).numeric);
    EXPECT_FALSE(parseNpcName(QStringLiteral(".npc")).numeric);
}

TEST(NpcName, LinkTextNamesRecordsOfThisScriptAndNpcsOfOthers)
{
    NpcRecord record;
    record.ControlNpc = 57;
    record.ControlRec = 12;
    EXPECT_EQ(linkText(record, 57), QStringLiteral("12"));
    EXPECT_EQ(linkText(record, 58), QStringLiteral("#57"));
    record.ControlRec = 255;
    EXPECT_EQ(linkText(record, 57), QString());
    record.ControlNpc = 255;
    record.ControlRec = 3;
    EXPECT_EQ(linkText(record, 255), QStringLiteral("3"));
}
