#include "common/LineMerge.h"
#include "support/QtPrinters.h"

#include <QRandomGenerator>

#include <gtest/gtest.h>

namespace
{

// "abc" is the lines a, b, c.
Lines lines(const char *letters)
{
    Lines result;
    for (const char *c = letters; *c; ++c)
        result.append(QByteArray(1, *c));
    return result;
}

QByteArray joined(const Lines &lines)
{
    QByteArray text;
    for (const QByteArray &line : lines)
        text += line;
    return text;
}

Lines randomEdit(const Lines &base, QRandomGenerator &random)
{
    Lines edited = base;
    for (int edits = random.bounded(4); edits > 0; --edits) {
        const qsizetype at = random.bounded(int(edited.size()) + 1);
        switch (random.bounded(3)) {
        case 0:
            edited.insert(at, QByteArray(1, char('A' + random.bounded(26))));
            break;
        case 1:
            if (at < edited.size())
                edited.removeAt(at);
            break;
        default:
            if (at < edited.size())
                edited[at] = QByteArray(1, char('A' + random.bounded(26)));
        }
    }
    return edited;
}

} // namespace

TEST(LineMerge, FollowsEachSidesInsertionsDeletionsAndChanges)
{
    struct Case {
        const char *base, *ours, *theirs, *merged;
        int conflicts;
    };
    const Case cases[] = {
        {"abcde", "aXbcde", "abcdY", "aXbcdY", 0}, // insertion here, change there
        {"abcde", "acde", "abcdeZ", "acdeZ", 0},   // deletion here, appended there
        {"abcde", "abXde", "abXde", "abXde", 0},   // the same change on both
        {"abcde", "abXde", "abYde", "abXde", 1},   // changed differently: ours kept
        {"abcde", "abde", "abYde", "abde", 1},     // deleted here, changed there
        {"", "ab", "ab", "ab", 0},                 // made alike on both sides
        {"", "ab", "cd", "ab", 1},                 //   and differently
        {"abc", "", "abc", "", 0},                 // emptied on one side
        {"aaaa", "aaXaa", "aaaa", "aaXaa", 0},     // equal lines around
        {"abcabc", "abcXabc", "abcabcY", "abcXabcY", 0},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(std::string(c.base) + " / " + c.ours + " / " + c.theirs);
        const LineMergeResult result = mergeLines(lines(c.base), lines(c.ours), lines(c.theirs));
        EXPECT_EQ(joined(result.lines), QByteArray(c.merged));
        EXPECT_EQ(result.conflicts.size(), c.conflicts);
    }
    const LineMergeResult conflict = mergeLines(lines("abcde"), lines("abXXde"), lines("abYde"));
    ASSERT_EQ(conflict.conflicts.size(), 1);
    EXPECT_EQ(conflict.conflicts[0], (LineConflict{2, 2, 2, 2, lines("c"), lines("XX"), lines("Y")}));
}

// Whatever the edits: a side left as the base gives the other side, the same edit on
// both gives it, and the merge of two edits keeps every conflict's ours in place.
TEST(LineMerge, OneSidedAndAlikeEditsComeThroughWhole)
{
    QRandomGenerator random(3);
    for (int round = 0; round < 500; ++round) {
        Lines base;
        for (int i = random.bounded(12); i > 0; --i)
            base.append(QByteArray(1, char('a' + random.bounded(4))));
        const Lines edited = randomEdit(base, random);
        const Lines other = randomEdit(base, random);
        SCOPED_TRACE(joined(base).toStdString() + " / " + joined(edited).toStdString() + " / " +
                     joined(other).toStdString());
        EXPECT_EQ(mergeLines(base, edited, base).lines, edited);
        EXPECT_EQ(mergeLines(base, base, edited).lines, edited);
        EXPECT_EQ(mergeLines(base, edited, edited).lines, edited);
        EXPECT_TRUE(mergeLines(base, edited, base).conflicts.isEmpty());
        const LineMergeResult both = mergeLines(base, edited, other);
        for (const LineConflict &conflict : both.conflicts)
            EXPECT_EQ(both.lines.mid(conflict.resultStart, conflict.ours.size()), conflict.ours);
    }
}

TEST(LineMerge, MatchesAreAShortestEditAndAFarOffOneStillMatchesTheEnds)
{
    const auto matches = matchLines(lines("abcabba"), lines("cbabac"));
    EXPECT_EQ(matches.size(), 4); // the longest common subsequence
    for (qsizetype i = 1; i < matches.size(); ++i)
        EXPECT_TRUE(matches[i].first > matches[i - 1].first && matches[i].second > matches[i - 1].second);

    Lines a = lines("start");
    Lines b = lines("start");
    for (int i = 0; i < 300; ++i) {
        a.append(QByteArray::number(i));
        b.append(QByteArray::number(-i - 1));
    }
    a += lines("end");
    b += lines("end");
    EXPECT_EQ(matchLines(a, b, 100).size(), 8); // "start" and "end"
}
