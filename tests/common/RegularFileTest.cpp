#include "common/RegularFile.h"

#include <gtest/gtest.h>

#include <random>

namespace
{

// The lines as a reader splits them: CR LF, CR or LF end one.
qsizetype linesOneByOne(const QByteArray &bytes)
{
    qsizetype lines = 1;
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        if (bytes[i] == '\n' || (bytes[i] == '\r' && (i + 1 == bytes.size() || bytes[i + 1] != '\n')))
            ++lines;
    }
    return lines;
}

} // namespace

// Counted a block at a time, so across and inside blocks, with ends of every kind.
TEST(RegularFileTest, LinesAndBytesCountAsOneByOne)
{
    std::mt19937 rng(20261210);
    const char alphabet[] = {'\r', '\n', 'a', '\xC0'};
    for (const int size : {0, 1, 2, 63, 64, 65, 127, 128, 129, 300, 1000}) {
        for (int round = 0; round < 20; ++round) {
            QByteArray bytes(size, Qt::Uninitialized);
            for (char &c : bytes)
                c = alphabet[rng() % 4];
            const qsizetype lines = linesOneByOne(bytes);
            EXPECT_EQ(RegularFile::countOf(bytes, '\n'), bytes.count('\n')) << size;
            EXPECT_EQ(RegularFile::countOf(bytes, '\xC0'), bytes.count('\xC0')) << size;
            QString error;
            EXPECT_TRUE(RegularFile::withinLines(bytes, lines, error)) << size;
            EXPECT_FALSE(RegularFile::withinLines(bytes, lines - 1, error)) << size;
            EXPECT_EQ(error, QStringLiteral("В файле больше %1 строк").arg(lines - 1));
        }
    }
    // Every byte an end, in whole blocks.
    QString error;
    EXPECT_EQ(RegularFile::countOf(QByteArray(64 * 5, '\n'), '\n'), 320);
    EXPECT_TRUE(RegularFile::withinLines(QByteArray(64 * 5, '\r'), 321, error));
    EXPECT_FALSE(RegularFile::withinLines(QByteArray(64 * 5, '\r'), 320, error));
}
