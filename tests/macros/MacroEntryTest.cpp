#include "macros/MacroEntry.h"
#include "support/QtPrinters.h"

#include <gtest/gtest.h>

namespace
{

NpcRecord guardRecord()
{
    NpcRecord r;
    r.Mode = 1;
    r.TriggT = r.TriggF = r.Trigg2T = r.GoSect = NoneWord;
    r.Q_was = r.FDay = r.LDay = r.Q_Input = r.Q_Output = r.ControlNpc = r.ControlRec = NoneByte;
    r.Action = 4;
    r.Phrase = 2;
    r.PhraseCnt = 1;
    return r;
}

// Every field set to something no macro below writes.
NpcRecord markedRecord()
{
    NpcRecord r;
    for (int i = 0; i < NpcFieldCount; ++i)
        r.setValue(static_cast<NpcField>(i), 77 + i);
    return r;
}

QByteArray valuesFrom(int first, int count, const char *tail = "")
{
    QByteArray list;
    for (int i = 0; i < count; ++i)
        list += QByteArray::number(first + i) + ',';
    return list + tail;
}

} // namespace

TEST(MacroEntryTest, GuardIsSavedAsTheDocumentedLine)
{
    const QByteArray line = "Guard=1,0,65535,65535,255,255,255,4,0,2,1,255,255,255,255,0,65535,0,65535,0,0,0";
    EXPECT_EQ(MacroEntry::form("Guard", guardRecord()), line);
    EXPECT_EQ(MacroEntry::name(line), QByteArray("Guard"));

    NpcRecord target = markedRecord();
    ASSERT_TRUE(MacroEntry::apply(line, target));
    NpcRecord expected = guardRecord();
    expected.Spare28 = target.Spare28;
    expected.Spare30 = target.Spare30;
    EXPECT_EQ(target, expected);
}

TEST(MacroEntryTest, SavingAndApplyingKeepTheBitsOfEveryAppliedField)
{
    NpcRecord source;
    for (int i = 0; i < NpcFieldCount; ++i)
        source.setValue(static_cast<NpcField>(i), 0xFFFF - i);
    source.React = NoneWord; // shown as -1
    const QByteArray entry = MacroEntry::form("\xcd\xee\xf7\xfc, 1", source);
    EXPECT_TRUE(entry.endsWith(",65535,65515,65514")); // React, then both spares
    EXPECT_EQ(MacroEntry::name(entry), QByteArray("\xcd\xee\xf7\xfc, 1"));

    NpcRecord target = markedRecord();
    ASSERT_TRUE(MacroEntry::apply("x=" + MacroEntry::valueList(entry), target));
    for (int i = 0; i < MacroEntry::AppliedValueCount; ++i)
        EXPECT_EQ(target.value(static_cast<NpcField>(i)), source.value(static_cast<NpcField>(i))) << i;
    EXPECT_EQ(target.React, NoneWord);
    EXPECT_EQ(target.Spare19, source.Spare19);
    EXPECT_EQ(target.Spare28, markedRecord().Spare28);
    EXPECT_EQ(target.Spare30, markedRecord().Spare30);
}

TEST(MacroEntryTest, OutOfRangeValuesKeepTheirLowBits)
{
    // Mode gets 70000, Q_was (8 bits) 261, FDay -1, TriggT -2.
    const QByteArray entry = "m=70000,0,-2,0,261,-1,0,0,0,0,0,0,0,0,0,0,0,0,0,+65535,";
    NpcRecord target;
    ASSERT_TRUE(MacroEntry::apply(entry, target));
    EXPECT_EQ(target.Mode, 70000 & 0xFFFF);
    EXPECT_EQ(target.TriggT, 65534);
    EXPECT_EQ(target.Q_was, 5);
    EXPECT_EQ(target.FDay, 255);
    EXPECT_EQ(target.React, 65535);
    // Twenty values, each followed by ",", are all that applying needs.
    EXPECT_TRUE(MacroEntry::apply("m=" + valuesFrom(1, 20), target));
    EXPECT_EQ(target.React, 20);
}

TEST(MacroEntryTest, MalformedListsChangeNothingAndNameTheFirstBadValue)
{
    struct Case {
        QByteArray entry;
        QByteArray bad;
    };
    const Case cases[] = {
        {"", ""}, // the empty line of a file
        {"Name only=", ""},
        {"Short=1,2,3", ""},                       // runs out of values
        {"Twenty=" + valuesFrom(1, 19, "20"), ""}, // the last taken one has no ","
        {"Word=1,two,3,x," + valuesFrom(1, 20), "two"},
        {"Late=" + valuesFrom(1, 19, "1.5,0,0"), "1.5"},
        {"Blank=1, 2," + valuesFrom(1, 20), " 2"},
        {"Big=" + valuesFrom(1, 5, "2147483648,") + valuesFrom(1, 20), "2147483648"},
        {"Sign=-," + valuesFrom(1, 20), "-"},
        {"Name=with=equals=1," + valuesFrom(1, 20), "with=equals=1"},
        {"\xc8\xec\xff=\xe0\xe1\xe2," + valuesFrom(1, 20), "\xe0\xe1\xe2"},
    };
    for (const Case &c : cases) {
        NpcRecord target = markedRecord();
        QByteArray bad = "untouched";
        EXPECT_FALSE(MacroEntry::apply(c.entry, target, &bad)) << c.entry.constData();
        EXPECT_EQ(bad, c.bad) << c.entry.constData();
        EXPECT_EQ(target, markedRecord()) << c.entry.constData();
    }
    NpcRecord edge;
    EXPECT_TRUE(
        MacroEntry::apply("Edge=" + valuesFrom(1, 4, "2147483647,-2147483648,") + valuesFrom(1, 14), edge));
    EXPECT_EQ(edge.Q_was, 0xFF);
    EXPECT_EQ(edge.FDay, 0);
}

TEST(MacroEntryTest, ALineWithoutEqualsSignHasNoNameAndItsWholeTextAsValues)
{
    EXPECT_EQ(MacroEntry::name("1,2,3"), QByteArray());
    EXPECT_EQ(MacroEntry::valueList("1,2,3"), QByteArray("1,2,3"));
    NpcRecord target;
    EXPECT_TRUE(MacroEntry::apply(valuesFrom(1, 22), target));
    EXPECT_EQ(target.Mode, 1);
}
