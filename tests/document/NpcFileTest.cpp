#include "document/NpcFile.h"
#include "support/FailingDevice.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <random>

namespace
{

QByteArray randomBytes(int size, unsigned seed)
{
    std::mt19937 random(seed);
    QByteArray bytes(size, '\0');
    for (auto &b : bytes)
        b = static_cast<char>(random());
    return bytes;
}

// A standard file with random records whose first bytes pass the layout check.
QByteArray standardFile(unsigned seed, int size = 1600)
{
    QByteArray bytes = randomBytes(size, seed);
    bytes[0] = 2;
    bytes[1] = 0;
    return bytes;
}

QByteArray vestaFile(unsigned seed)
{
    QByteArray bytes = randomBytes(1600, seed);
    bytes[0] = 0x39;
    bytes[1] = 0;
    bytes[2] = 0x35;
    bytes[3] = 0;
    return bytes;
}

bool readBytes(NpcReader &reader, QByteArray bytes)
{
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    return reader.read(&buffer);
}

} // namespace

TEST(NpcLayoutDetection, AcceptsOnlyTheKnownFirstBytes)
{
    auto detect = [](qint64 size, QByteArray head) { return NpcReader::detectLayout(size, head); };
    EXPECT_EQ(detect(1600, QByteArray("\x00\x00\x00\x00", 4)), NpcLayout::StandardLayout);
    EXPECT_EQ(detect(1600, QByteArray("\x02\x00\x05\x00", 4)), NpcLayout::StandardLayout);
    EXPECT_EQ(detect(1600, QByteArray("\x04\x00\x00\x00", 4)), NpcLayout::StandardLayout);
    EXPECT_EQ(detect(1600, QByteArray("\x39\x00\x35\x00", 4)), NpcLayout::VestaLayout);
    // 57 without the rest of the header is a standard record 0 with Mode 57.
    EXPECT_EQ(detect(1600, QByteArray("\x39\x00\x36\x00", 4)), NpcLayout::StandardLayout);
    EXPECT_EQ(detect(5'000'000, QByteArray("\x00\x00\x00\x00", 4)), NpcLayout::StandardLayout);

    EXPECT_FALSE(detect(1599, QByteArray("\x00\x00\x00\x00", 4)));
    EXPECT_FALSE(detect(3, QByteArray("\x00\x00\x00", 3)));
    EXPECT_FALSE(detect(1600, QByteArray("\x00\x01\x00\x00", 4)));
    EXPECT_FALSE(detect(1600, QByteArray("\x01\x00\x00\x00", 4)));
    EXPECT_FALSE(detect(1600, QByteArray("\x03\x00\x00\x00", 4)));
}

TEST(NpcFileFormat, StandardRoundTripKeepsEveryByte)
{
    const QByteArray file = standardFile(7);
    NpcReader reader;
    ASSERT_TRUE(readBytes(reader, file));
    EXPECT_EQ(reader.layout(), NpcLayout::StandardLayout);
    EXPECT_EQ(NpcWriter::encode(reader.records(), NpcLayout::StandardLayout), file);
}

TEST(NpcFileFormat, LongerFileReadsItsFirst1600Bytes)
{
    const QByteArray file = standardFile(8, 1700);
    NpcReader reader;
    ASSERT_TRUE(readBytes(reader, file));
    EXPECT_EQ(NpcWriter::encode(reader.records(), NpcLayout::StandardLayout), file.left(1600));
}

TEST(NpcFileFormat, VestaRoundTripKeepsRecordsAndZeroesTheTail)
{
    const QByteArray file = vestaFile(9);
    NpcReader reader;
    ASSERT_TRUE(readBytes(reader, file));
    EXPECT_EQ(reader.layout(), NpcLayout::VestaLayout);
    EXPECT_TRUE(reader.records()[49].isEmpty());
    EXPECT_EQ(reader.records()[49].toBytes(), NpcRecord::Bytes{});
    const QByteArray written = NpcWriter::encode(reader.records(), NpcLayout::VestaLayout);
    ASSERT_EQ(written.size(), 1600);
    EXPECT_EQ(written.left(1572), file.left(1572));
    EXPECT_EQ(written.mid(1572), QByteArray(28, '\0'));
}

TEST(NpcFileFormat, LayoutSwitchWritesOrDropsRecord49)
{
    const QByteArray vesta = vestaFile(10);
    NpcReader reader;
    ASSERT_TRUE(readBytes(reader, vesta));
    const QByteArray standard = NpcWriter::encode(reader.records(), NpcLayout::StandardLayout);
    EXPECT_EQ(standard.left(1568), vesta.mid(4, 1568));
    EXPECT_EQ(standard.mid(1568), QByteArray(32, '\0'));

    NpcRecords records{};
    records[48].Leader = 48;
    records[49].Leader = 49;
    const QByteArray asVesta = NpcWriter::encode(records, NpcLayout::VestaLayout);
    EXPECT_EQ(static_cast<quint8>(asVesta.at(4 + 48 * 32 + 12)), 48);
    EXPECT_EQ(asVesta.mid(1572), QByteArray(28, '\0'));
}

TEST(NpcFileFormat, ZeroFileIsAStandardScriptOfEmptyRecords)
{
    NpcReader reader;
    ASSERT_TRUE(readBytes(reader, QByteArray(1600, '\0')));
    EXPECT_EQ(reader.layout(), NpcLayout::StandardLayout);
    for (const NpcRecord &record : reader.records())
        EXPECT_TRUE(record.isEmpty());
}

TEST(NpcFileFormat, WrittenModeOneCannotBeReadBack)
{
    NpcRecords records{};
    records[0].Mode = 1;
    NpcReader reader;
    EXPECT_FALSE(readBytes(reader, NpcWriter::encode(records, NpcLayout::StandardLayout)));
    EXPECT_EQ(reader.errorString(),
              QStringLiteral("Выбранный файл не является NPC-скриптом\r\n"
                             "файл начинается с 01 00, а скрипт NPC — с 00, 02, 04 или 39, затем 00"));
}

TEST(NpcFileFormat, SpareOnlyRecordIsEmptyButWrittenBack)
{
    NpcRecords records{};
    records[3].Spare28 = 0xABCD;
    EXPECT_TRUE(records[3].isEmpty());
    const QByteArray bytes = NpcWriter::encode(records, NpcLayout::StandardLayout);
    EXPECT_EQ(static_cast<quint8>(bytes.at(3 * 32 + 28)), 0xCD);
    EXPECT_EQ(static_cast<quint8>(bytes.at(3 * 32 + 29)), 0xAB);
}

TEST(NpcFileFiles, RefusedAndUnreadableFilesSayWhy)
{
    QTemporaryDir dir;
    auto write = [&](const QString &name, const QByteArray &bytes) {
        QFile file(dir.filePath(name));
        file.open(QIODevice::WriteOnly);
        file.write(bytes);
        return file.fileName();
    };
    // The first line as it always was, then the file and why.
    const auto notScript = [&](const char *name, const QString &why) {
        return QStringLiteral("Выбранный файл не является NPC-скриптом\r\n") +
               QDir::toNativeSeparators(dir.filePath(QLatin1String(name))) + QStringLiteral(": ") + why;
    };
    const QString cut = QStringLiteral("размер файла %1, а нужно не меньше 1600 байт");
    const struct {
        QString path;
        QString error;
    } cases[] = {
        {write(QStringLiteral("short.npc"), QByteArray(1599, '\0')), notScript("short.npc", cut.arg(1599))},
        {write(QStringLiteral("tiny.npc"), QByteArray(3, '\0')), notScript("tiny.npc", cut.arg(3))},
        {write(QStringLiteral("empty.npc"), QByteArray()), notScript("empty.npc", cut.arg(0))},
        {write(QStringLiteral("b1.npc"), QByteArray("\x07\x00", 2) + QByteArray(1598, '\0')),
         notScript("b1.npc", QStringLiteral("файл начинается с 07 00, а скрипт NPC — с 00, 02, 04 или 39, затем 00"))},
        {dir.filePath(QStringLiteral("missing.npc")),
         QStringLiteral("Проблема чтения файла ") + dir.filePath(QStringLiteral("missing.npc"))},
        {dir.path(), QStringLiteral("Проблема чтения файла ") + dir.path()},
    };
    for (const auto &c : cases) {
        NpcReader reader;
        EXPECT_FALSE(reader.read(c.path)) << qPrintable(c.path);
        EXPECT_EQ(reader.errorString(), c.error);
    }
    NpcReader cutReader;
    cutReader.read(dir.filePath(QStringLiteral("tiny.npc")));
    EXPECT_EQ(cutReader.reason(), QStringLiteral("Выбранный файл не является NPC-скриптом (") + cut.arg(3) +
                                      QLatin1Char(')'))
        << "the command line prints the path before it";

    NpcReader reader;
    EXPECT_TRUE(reader.read(write(QStringLiteral("big.npc"), standardFile(3, 4 * 1024 * 1024))));
}

TEST(NpcFileFiles, FailedWriteKeepsTheOldFile)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("057.npc"));
    const QByteArray old = standardFile(11);
    {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(old);
    }
    NpcRecords records{};
    records[0].Leader = 77;

    FailingDevice device(100);
    NpcWriter writer;
    EXPECT_FALSE(writer.write(records, NpcLayout::StandardLayout, &device));
    EXPECT_EQ(writer.errorString(), QStringLiteral("disk full"));

    // A folder that cannot take the temporary file.
    EXPECT_FALSE(
        writer.write(records, NpcLayout::StandardLayout, dir.filePath(QStringLiteral("no/such/x.npc"))));
    EXPECT_FALSE(writer.errorString().isEmpty());

    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), old);
    file.close();

    ASSERT_TRUE(writer.write(records, NpcLayout::StandardLayout, path));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), NpcWriter::encode(records, NpcLayout::StandardLayout));
}
