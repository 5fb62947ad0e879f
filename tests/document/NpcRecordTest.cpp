#include "document/NpcRecord.h"

#include <gtest/gtest.h>

#include <random>

TEST(NpcRecord, InitialisedRecordHasTheGameDefaultsByteForByte)
{
    NpcRecord record;
    record.initialise();
    const NpcRecord::Bytes expected = {0x00, 0x00, 0x00, 0x00, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x00, 0xFF,
                                       0x00, 0x00, 0xFF, 0x01, 0xFF, 0xFF, 0xFF, 0xFF, 0x00, 0xFF, 0xFF,
                                       0x00, 0x00, 0xFF, 0xFF, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00};
    EXPECT_EQ(record.toBytes(), expected);
    EXPECT_FALSE(record.isEmpty());
}

TEST(NpcRecord, InitialiseKeepsTheSpareFields)
{
    NpcRecord record;
    record.Spare19 = 7;
    record.Spare28 = 0x1234;
    record.Spare30 = 0xBEEF;
    record.initialise();
    EXPECT_EQ(record.Spare19, 7);
    EXPECT_EQ(record.Spare28, 0x1234);
    EXPECT_EQ(record.Spare30, 0xBEEF);
}

TEST(NpcRecord, AnyThirtyTwoBytesRoundTripExactly)
{
    std::mt19937 random(1234);
    for (int round = 0; round < 200; ++round) {
        NpcRecord::Bytes bytes;
        for (auto &b : bytes)
            b = static_cast<quint8>(random());
        EXPECT_EQ(NpcRecord::decode(bytes.data()).toBytes(), bytes);
    }
}

TEST(NpcRecord, FieldsAreLittleEndianAtTheirOffsets)
{
    NpcRecord::Bytes bytes{};
    bytes[2] = 0xFF; // ItemIn low
    bytes[3] = 0xFF;
    bytes[20] = 0x34; // Trigg2T
    bytes[21] = 0x12;
    bytes[18] = 49; // ControlRec
    const NpcRecord record = NpcRecord::decode(bytes.data());
    EXPECT_EQ(record.ItemIn, 65535);
    EXPECT_EQ(static_cast<qint16>(record.ItemIn), -1);
    EXPECT_EQ(record.Trigg2T, 0x1234);
    EXPECT_EQ(record.ControlRec, 49);
}

TEST(NpcRecord, SpareFieldsDoNotCountForEmptiness)
{
    NpcRecord record;
    record.Spare19 = 1;
    record.Spare28 = 5;
    record.Spare30 = 9;
    EXPECT_TRUE(record.isEmpty());
    for (int i = 0; i < NpcFieldCount; ++i) {
        const auto field = static_cast<NpcField>(i);
        if (field == NpcField::Spare19 || field == NpcField::Spare28 || field == NpcField::Spare30)
            continue;
        NpcRecord one;
        one.setValue(field, 1);
        EXPECT_FALSE(one.isEmpty()) << i;
    }
}

TEST(NpcRecord, SetValueKeepsTheFieldWidth)
{
    NpcRecord record;
    record.setValue(NpcField::Action, 0x1FF);
    record.setValue(NpcField::GoSect, 0x12345);
    EXPECT_EQ(record.Action, 0xFF);
    EXPECT_EQ(record.GoSect, 0x2345);
    EXPECT_TRUE(NpcRecord::isWordField(NpcField::Mode));
    EXPECT_FALSE(NpcRecord::isWordField(NpcField::Spare19));
}

// Each field, written by name, lands in its own bytes and nowhere else, and reads back
// through the member of the same name.
TEST(NpcRecord, EveryFieldOwnsExactlyItsBytes)
{
    const std::array<std::pair<NpcField, quint16 NpcRecord::*>, 3> someWords = {
        {{NpcField::ItemIn, &NpcRecord::ItemIn}, {NpcField::React, &NpcRecord::React},
         {NpcField::ItemOut, &NpcRecord::ItemOut}}};
    int covered = 0;
    for (int i = 0; i < NpcFieldCount; ++i) {
        const auto field = static_cast<NpcField>(i);
        const int width = NpcRecord::isWordField(field) ? 2 : 1;
        NpcRecord record;
        record.setValue(field, 0xA5C3);
        const NpcRecord::Bytes bytes = record.toBytes();
        for (int b = 0; b < NpcRecord::Size; ++b) {
            const int at = b - NpcRecord::fieldOffset(field);
            const int expected = at == 0 ? 0xC3 : (at == 1 && width == 2 ? 0xA5 : 0);
            EXPECT_EQ(bytes[b], expected) << NpcRecord::fieldName(field).data() << " byte " << b;
        }
        EXPECT_EQ(NpcRecord::decode(bytes.data()).value(field), width == 2 ? 0xA5C3 : 0xC3);
        covered += width;
    }
    EXPECT_EQ(covered, NpcRecord::Size);
    for (const auto &[field, member] : someWords) {
        NpcRecord record;
        record.setValue(field, 40000);
        EXPECT_EQ(record.*member, 40000);
        EXPECT_TRUE(NpcRecord::isSignedField(field));
    }
    EXPECT_FALSE(NpcRecord::isSignedField(NpcField::Mode));
}
