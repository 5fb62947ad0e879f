#include "dialogue/EdtReader.h"
#include "common/FileStamp.h"
#include "dialogue/EdtPath.h"
#include "support/EdtRecord.h"

#include <QBuffer>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <vector>

namespace
{

QByteArray decodeOne(const std::vector<quint16> &units)
{
    return EdtReader::decodeRecord(edtRecord(units).constData());
}

} // namespace

TEST(EdtReaderTest, DecodesUnitsToBytes)
{
    EXPECT_EQ(decodeOne({0x0049, 0x006A, 0x0020, 0x0022, 0x0000}), QByteArray("Hi !"));
    // Both 0x0020 and 0x0021 are blanks: the first by exception, the second by the decrement.
    EXPECT_EQ(decodeOne({0x0021, 0x0020}), QByteArray("  "));
    // Cyrillic "Да" in Windows-1251 is C4 E0.
    EXPECT_EQ(decodeOne({0x00C5, 0x00E1}), QByteArray("\xC4\xE0"));
    // Units above a byte keep the low 8 bits after the decrement.
    EXPECT_EQ(decodeOne({0x0411}), QByteArray("\x10"));
    EXPECT_EQ(decodeOne({0x0100}), QByteArray("\xFF"));
    EXPECT_EQ(decodeOne({0xFFFF}), QByteArray("\xFE"));
    // The unit 1 gives a byte 0 that stays in the line.
    EXPECT_EQ(decodeOne({0x0042, 0x0001, 0x0042}), QByteArray("A\0A", 3));
}

TEST(EdtReaderTest, LineEndsAtTheFirstZeroUnit)
{
    EXPECT_EQ(decodeOne({0x0042, 0x0000, 0x0043, 0x0044}), QByteArray("A"));
    EXPECT_TRUE(decodeOne({0x0000, 0x0042}).isEmpty());
    EXPECT_TRUE(decodeOne({}).isEmpty());

    const QByteArray full = EdtReader::decodeRecord(edtRecord(std::vector<quint16>(240, 0x0062)).constData());
    EXPECT_EQ(full, QByteArray(240, 'a'));
}

TEST(EdtReaderTest, OneLinePerWholeRecordTailIgnored)
{
    const QByteArray twoRecords = edtRecord({0x0042}) + edtRecord({}) + QByteArray(1, 'x');
    ASSERT_EQ(twoRecords.size(), 961);
    const EdtText text = EdtReader::decode(twoRecords);
    ASSERT_EQ(text.size(), 2);
    EXPECT_EQ(text[0], QByteArray("A"));
    EXPECT_TRUE(text[1].isEmpty()); // an empty record keeps its place in the numbering

    EXPECT_TRUE(EdtReader::decode(QByteArray(479, 'x')).isEmpty());
    EXPECT_TRUE(EdtReader::decode({}).isEmpty());
}

TEST(EdtReaderTest, ReadsDevicesAcrossChunkBoundaries)
{
    // More records than one read takes, with a tail, so records straddle the reads.
    QByteArray bytes;
    for (int k = 0; k < 1300; ++k)
        bytes += edtRecord({quint16(0x0031 + k % 10), quint16(0x0031 + k / 10 % 10)});
    bytes += QByteArray(100, '\x05');
    QBuffer buffer(&bytes);
    ASSERT_TRUE(buffer.open(QIODevice::ReadOnly));
    EdtReader reader;
    ASSERT_TRUE(reader.read(&buffer));
    ASSERT_EQ(reader.text().size(), 1300);
    EXPECT_EQ(reader.text()[0], QByteArray("00"));
    EXPECT_EQ(reader.text()[1299], QByteArray("99"));
    EXPECT_EQ(reader.text()[517], QByteArray("71"));
}

TEST(EdtReaderTest, ReadsFilesAndReportsMissingOnes)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("057.edt"));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(edtRecord({0x0042}) + QByteArray(10, '\0'));
    file.close();

    EdtReader reader;
    ASSERT_TRUE(reader.read(path));
    EXPECT_EQ(reader.text().lines(), QList<QByteArray>{"A"});
    EXPECT_EQ(reader.text().tail(), QByteArray(10, '\0'));
    const EdtText read = reader.text();

    // Stamped from the one reading, the file is the one a stamp taken apart describes.
    for (const QByteArray &bytes : {QByteArray(edtRecord({0x0042}) + QByteArray(10, '\0')), QByteArray(40000, 'x')}) {
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        file.close();
        FileStamp stamp;
        ASSERT_TRUE(EdtReader().read(path, &stamp));
        const FileStamp apart = FileStamp::of(path);
        EXPECT_TRUE(stamp.sameContent(apart));
        EXPECT_EQ(stamp.modifiedMs, apart.modifiedMs);
    }

    // A failed read keeps what was read before.
    EXPECT_FALSE(reader.read(dir.filePath(QStringLiteral("missing.edt"))));
    EXPECT_FALSE(reader.errorString().isEmpty());
    EXPECT_FALSE(reader.read(dir.path()));
    EXPECT_EQ(reader.text(), read);
}

TEST(EdtPathTest, ReplacesOrAppendsTheExtension)
{
    EXPECT_EQ(withExtension(QStringLiteral("/g/npc/057.npc"), QStringLiteral(".edt")),
              QStringLiteral("/g/npc/057.edt"));
    EXPECT_EQ(withExtension(QStringLiteral("/g/npc/a.b.NPC"), QStringLiteral(".edt")),
              QStringLiteral("/g/npc/a.b.edt"));
    EXPECT_EQ(withExtension(QStringLiteral("/g/npc/057"), QStringLiteral(".edt")),
              QStringLiteral("/g/npc/057.edt"));
    EXPECT_EQ(withExtension(QStringLiteral("/g/npc.d/057"), QStringLiteral(".txt")),
              QStringLiteral("/g/npc.d/057.txt"));
    EXPECT_EQ(withExtension(QString(), QStringLiteral(".txt")), QStringLiteral(".txt"));
}
