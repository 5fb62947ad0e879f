#include "editor/ListRenumbering.h"
#include "support/QtPrinters.h"

#include <gtest/gtest.h>

TEST(ListRenumbering, OnlyEntriesTheLookupsFindForTheNumberChangeAndEveryOtherByteStays)
{
    struct Case {
        QByteArray before;
        QByteArray after;
    };
    const Case cases[] = {
        {"57=a\r\n57=second\r\n", "112=a\r\n112=second\r\n"},
        {";57=comment\r\n57=a;b\r\n", ";57=comment\r\n57=a;b\r\n"}, // lines holding ";" are skipped
        {"057=a\n+57=b\n 57=c\n57 =d\n", "057=a\n+57=b\n 57=c\n57 =d\n"},
        {"570=a\n5=b\n57\n", "570=a\n5=b\n57\n"},
        {"1=x\n57=\n\n57=last", "1=x\n112=\n\n112=last"},
        {"57=a\x1a"
         "57=after the end",
         "112=a\x1a"
         "57=after the end"},
        {"57=a\r\r\n", "112=a\r\r\n"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.before.toStdString());
        EXPECT_EQ(renumberListEntries(c.before, 57, 112), c.after);
    }
    QList<ListLineChange> lines;
    renumberListEntries("; head\r\n\r\n57=\xcc\xe5\xf7\r\n1=x\r\n57=b", 57, 112, &lines);
    EXPECT_EQ(lines,
              (QList<ListLineChange>{{3, "57=\xcc\xe5\xf7", "112=\xcc\xe5\xf7"}, {5, "57=b", "112=b"}}));
    EXPECT_EQ(lineOfListEntry("; 112=no\r\n0112=no\r\n112=yes\r\n", 112), 3);
    EXPECT_EQ(lineOfListEntry("1=x", 112), 0);
}

TEST(ListRenumbering, ARenumberedEntryMovesWhereItsNumberBelongsAndTheOtherLinesStay)
{
    struct Case {
        const char *name;
        QByteArray before;
        qint64 number;
        QByteArray after;
    };
    const Case cases[] = {
        {"last line down", "1=a\r\n11=b\r\n13=c\r\n12=d\r\n", 12, "1=a\r\n11=b\r\n12=d\r\n13=c\r\n"},
        {"last line without ending", "1=a\r\n13=c\r\n12=d", 12, "1=a\r\n12=d\r\n13=c\r\n"},
        {"up to the end", "1=a\n99=z\n5=b\n", 99, "1=a\n5=b\n99=z\n"},
        {"to the end after a line without ending", "9=z\r\n1=a", 9, "1=a\r\n9=z\r\n"},
        {"first", "; head\r\n5=b\r\n0=a\r\n", 0, "; head\r\n0=a\r\n5=b\r\n"},
        {"comments and odd lines stay", "1=a\n;x\n3=c\n2=b\n07=p\n", 2, "1=a\n2=b\n;x\n3=c\n07=p\n"},
        {"in its place", "1=a\n2=b\n3=c\n", 2, "1=a\n2=b\n3=c\n"},
        {"two entries", "1=a\n5=b\n5=c\n3=d\n", 5, "1=a\n5=b\n5=c\n3=d\n"},
        {"after the end of the file",
         "5=a\x1a"
         "1=b\n",
         5,
         "5=a\x1a"
         "1=b\n"},
        {"only entry", ";c\n7=a\n", 7, ";c\n7=a\n"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(placeListEntry(c.before, c.number), c.after);
    }
}
