#include "editor/ListLines.h"

#include <QByteArray>
#include <QList>

#include <gtest/gtest.h>

#include <random>
#include <tuple>

namespace
{

using Entry = std::tuple<QByteArray, qsizetype, qsizetype>; // text, line number, first "="

// The rule said plainly: split at LF up to the first Ctrl-Z, a CR before the LF dropped,
// empty lines and lines with ";" left out.
QList<Entry> entriesSplitOneByOne(const QByteArray &bytes)
{
    const qsizetype eof = bytes.indexOf('\x1a');
    const QByteArray text = eof < 0 ? bytes : bytes.left(eof);
    QList<Entry> entries;
    qsizetype number = 0;
    for (qsizetype start = 0; start < text.size();) {
        ++number;
        const qsizetype newline = text.indexOf('\n', start);
        const qsizetype end = newline < 0 ? text.size() : newline;
        QByteArray line = text.mid(start, end - start);
        if (line.endsWith('\r'))
            line.chop(1);
        if (!line.isEmpty() && !line.contains(';'))
            entries.append({line, number, line.indexOf('=')});
        start = end + 1;
    }
    return entries;
}

QList<Entry> entriesOf(const QByteArray &bytes)
{
    QList<Entry> entries;
    forEachListEntry(bytes.constData(), bytes.size(),
                     [&](const char *line, qsizetype size, qsizetype number, qsizetype equals) {
                         entries.append({QByteArray(line, size), number, equals});
                     });
    return entries;
}

} // namespace

TEST(ListLinesTest, EntriesAreTheLinesTheRuleGivesWhereverTheBlocksOfSixtyFourBytesFall)
{
    // Few kinds of bytes, so that line ends, comments, signs and Ctrl-Z fall at every
    // place of a block, lines long and short, the text ending anywhere.
    const char kinds[] = {'1', '2', '=', '\n', '\r', ';', '\x1a', 'a', '\xe0', '\0', ' '};
    const int weights[] = {8, 8, 4, 5, 2, 1, 0, 6, 3, 1, 2};
    std::mt19937 random(20261211);
    std::discrete_distribution<int> kind(std::begin(weights), std::end(weights));
    for (int round = 0; round < 3000; ++round) {
        QByteArray bytes;
        const int size = int(random() % 300);
        for (int i = 0; i < size; ++i)
            bytes += kinds[kind(random)];
        if (round % 10 == 0)
            bytes.insert(qsizetype(random() % (bytes.size() + 1)), '\x1a');
        ASSERT_EQ(entriesOf(bytes), entriesSplitOneByOne(bytes)) << bytes.toHex().constData();
    }
    const QByteArray longLine = QByteArray(200, 'x') + "=;" + QByteArray(70, 'y') + "\r\n7=" + QByteArray(130, 'z');
    EXPECT_EQ(entriesOf(longLine), entriesSplitOneByOne(longLine));
    EXPECT_EQ(entriesOf(longLine).size(), 1);
}

TEST(ListLinesTest, TheVectorCompareFindsTheBytesThatOneByOneFinds)
{
    std::mt19937 random(11);
    char block[64];
    for (int round = 0; round < 200; ++round) {
        for (char &c : block)
            c = char(random() % 4 == 0 ? '\n' : random());
        for (const char c : {'\n', ';', '=', '\0', '\xff'})
            ASSERT_EQ(bytesEqualTo(block, c), bytesEqualToEachByte(block, c));
    }
}
