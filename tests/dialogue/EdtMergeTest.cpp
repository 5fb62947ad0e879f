#include "dialogue/EdtMerge.h"
#include "dialogue/EdtReader.h"
#include "support/QtPrinters.h"

#include <gtest/gtest.h>

namespace
{

// One record per word; a record's bytes past its end are not all zero, as a tool may
// leave them, so that only a byte-for-byte copy keeps them.
QByteArray dialogue(const QList<QByteArray> &phrases)
{
    QByteArray bytes;
    for (const QByteArray &phrase : phrases) {
        QByteArray record(EdtReader::RecordSize, '\0');
        for (qsizetype i = 0; i < phrase.size(); ++i)
            record[2 * i] = char(phrase.at(i) + 1);
        record[EdtReader::RecordSize - 1] = char(phrase.size());
        bytes += record;
    }
    return bytes;
}

} // namespace

TEST(EdtMerge, PhrasesInsertedAndChangedOnEachSideAreFollowedByteForByte)
{
    const QByteArray base = dialogue({"hello", "how", "bye"});
    const QByteArray ours = dialogue({"hello", "new", "how", "bye"});
    const QByteArray theirs = dialogue({"hello", "how", "farewell"}) + "tail";
    const EdtMergeResult merged = mergeEdt(base, ours, theirs);
    EXPECT_EQ(merged.bytes, dialogue({"hello", "new", "how", "farewell"}));
    EXPECT_TRUE(merged.conflicts.isEmpty());
    EXPECT_EQ(EdtReader::decode(merged.bytes).lines(), (QList<QByteArray>{"hello", "new", "how", "farewell"}));
}

TEST(EdtMerge, APhraseChangedDifferentlyKeepsOursAndIsListedAsItsRecords)
{
    const QByteArray base = dialogue({"hello", "how", "bye"});
    const QByteArray ours = dialogue({"hello", "what", "bye"}) + "xy";
    const QByteArray theirs = dialogue({"hello", "bye"});
    const EdtMergeResult merged = mergeEdt(base, ours, theirs);
    EXPECT_EQ(merged.bytes, ours); // ours' short tail stays at the end
    ASSERT_EQ(merged.conflicts.size(), 1);
    const LineConflict &conflict = merged.conflicts[0];
    EXPECT_EQ(conflict.resultStart, 1);
    EXPECT_EQ(conflict.base, QList<QByteArray>{dialogue({"how"})});
    EXPECT_EQ(conflict.ours, QList<QByteArray>{dialogue({"what"})});
    EXPECT_TRUE(conflict.theirs.isEmpty());
}
