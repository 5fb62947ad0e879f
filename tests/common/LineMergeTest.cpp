#include "common/LineMerge.h"
#include "support/QtPrinters.h"

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
