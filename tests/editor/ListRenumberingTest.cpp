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
