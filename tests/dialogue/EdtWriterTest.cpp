#include "dialogue/EdtWriter.h"
#include "dialogue/EdtReader.h"
#include "dialogue/PhraseLine.h"
#include "support/EdtRecord.h"
#include "support/FailingDevice.h"
#include "support/QtPrinters.h"

#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <vector>

TEST(EdtWriterTest, EncodesBlanksAsThemselvesAndOtherBytesAsOneMore)
{
    EXPECT_EQ(EdtWriter::encodeRecord("Hi !"), edtRecord({0x0049, 0x006A, 0x0020, 0x0022, 0}));
    // "Да", and the top byte, which needs the high byte of its unit.
    EXPECT_EQ(EdtWriter::encodeRecord("\xC4\xE0\xFF"), edtRecord({0x00C5, 0x00E1, 0x0100}));
    EXPECT_EQ(EdtWriter::encodeRecord(""), edtRecord({}));
    // A full line has no terminating unit.
    EXPECT_EQ(EdtWriter::encodeRecord(QByteArray(240, 'a')), edtRecord(std::vector<quint16>(240, 0x0062)));
}

TEST(EdtWriterTest, DecodingAnEncodedLineGivesItBackAndSoDoesEncodingADecodedRecord)
{
    QRandomGenerator random(20);
    for (int round = 0; round < 500; ++round) {
        QByteArray line(random.bounded(241), Qt::Uninitialized);
        for (char &c : line)
            c = char(0x20 + random.bounded(0xE0));
        const QByteArray record = EdtWriter::encodeRecord(line);
        ASSERT_EQ(EdtReader::decodeRecord(record.constData()), line);
        ASSERT_EQ(EdtWriter::encodeRecord(EdtReader::decodeRecord(record.constData())), record);
    }
}

TEST(EdtWriterTest, UntouchedRecordsAndTheTailAreWrittenBackByteForByte)
{
    const QByteArray plain = edtRecord({0x0042, 0x0043});
    const QByteArray leftovers =
        edtRecord({0x0042, 0, 0x0055, 0x0056});              // an older, longer text after the end
    const QByteArray oddBlank = edtRecord({0x0021, 0x0042}); // a blank written as 0x0021
    const QByteArray wide = edtRecord({0x0411});             // a unit beyond a byte
    const QByteArray tail("\x01\x02\x03", 3);
    const QByteArray file = plain + leftovers + oddBlank + wide + tail;

    const EdtText read = EdtReader::decode(file);
    EXPECT_EQ(read.lines(), (QList<QByteArray>{"AB", "A", " A", "\x10"}));
    EXPECT_EQ(EdtWriter::encode(read), file);

    // Changing one phrase changes its record only; the same text again changes nothing.
    EdtText changed = read;
    changed.setLine(1, "A");
    changed.setLine(2, "xy");
    EXPECT_EQ(EdtWriter::encode(changed), plain + leftovers + edtRecord({0x0079, 0x007A}) + wide + tail);

    // Lines move with the bytes they were read from.
    EdtText moved = read;
    moved.swapLines(0);
    moved.insertLine(0, "C");
    moved.removeLine(4);
    EXPECT_EQ(EdtWriter::encode(moved), edtRecord({0x0044}) + leftovers + plain + oddBlank + tail);
}

TEST(EdtWriterTest, WritesThroughATemporaryFileAndReportsFailures)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("057.edt"));
    EdtWriter writer;
    ASSERT_TRUE(writer.write(EdtText{"A", ""}, path));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), edtRecord({0x0042}) + edtRecord({}));

    FailingDevice full(EdtReader::RecordSize);
    EXPECT_FALSE(writer.write(EdtText{"A", "B"}, &full));
    EXPECT_EQ(writer.errorString(), QStringLiteral("disk full"));
}

TEST(PhraseLineTest, RefusesWhatCannotBeAPhraseAndSaysWhy)
{
    EXPECT_EQ(PhraseLine::problem(QByteArray(240, '\xE0')), QString());
    EXPECT_EQ(PhraseLine::problem(""), QString());
    EXPECT_EQ(PhraseLine::problem(QByteArray(241, 'a')), QStringLiteral("Фраза длиннее 240 знаков: 241."));
    EXPECT_EQ(PhraseLine::problem("a\r\nb"),
              QStringLiteral("Фраза занимает одну строку: перевод строки в ней не записать."));
    EXPECT_EQ(PhraseLine::problem("ab\tc"),
              QStringLiteral("Знак 3 фразы — управляющий (код 9): игра его не покажет."));
    EXPECT_FALSE(PhraseLine::problem(QByteArray("\x1F", 1)).isEmpty());
    EXPECT_FALSE(PhraseLine::problem(QByteArray("\0", 1)).isEmpty());
    // 0x85 is an ellipsis in Windows-1251, not a line break.
    EXPECT_EQ(PhraseLine::problem("\x85"), QString());

    QString why;
    EXPECT_EQ(PhraseLine::fromText(QStringLiteral("Привет… «да»"), why),
              QByteArray("\xCF\xF0\xE8\xE2\xE5\xF2\x85 \xAB\xE4\xE0\xBB"));
    EXPECT_EQ(why, QString());
    EXPECT_EQ(PhraseLine::fromText(QStringLiteral("a€b"), why), QByteArray("a\x88"
                                                                           "b"));
    EXPECT_FALSE(PhraseLine::fromText(QStringLiteral("日本"), why));
    EXPECT_EQ(why,
              QStringLiteral("Знака «日» (U+65E5) нет в кодировке Windows-1251: в фразу его не записать."));
    EXPECT_FALSE(PhraseLine::fromText(QStringLiteral("a\U0001F600"), why));
    EXPECT_TRUE(why.contains(QStringLiteral("U+1F600"))) << why.toStdString();
    // Invisible characters the code page drops are refused, not lost silently.
    EXPECT_FALSE(PhraseLine::fromText(QStringLiteral("a\u200Bb"), why));
    EXPECT_FALSE(PhraseLine::fromText(QStringLiteral("one\u2028two"), why));
    EXPECT_EQ(why, QStringLiteral("Фраза занимает одну строку: перевод строки в ней не записать."));
    EXPECT_FALSE(PhraseLine::fromText(QString(241, u'я'), why));
    EXPECT_EQ(why, QStringLiteral("Фраза длиннее 240 знаков: 241."));
}
