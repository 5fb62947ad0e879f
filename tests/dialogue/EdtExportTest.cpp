#include "dialogue/EdtExport.h"
#include "support/FailingDevice.h"

#include <QBuffer>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace
{

QByteArray readAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

TEST(Edt2TxtTest, NumbersEveryLineWithExactBytes)
{
    EXPECT_EQ(Edt2Txt({QByteArray("A"), QByteArray("B")}), QByteArray("#0\r\nA\r\n\r\n#1\r\nB\r\n\r\n"));
    EXPECT_TRUE(Edt2Txt({}).isEmpty());
    // Empty lines, Windows-1251 bytes and a byte 0 are written as they are.
    EXPECT_EQ(Edt2Txt({QByteArray(), QByteArray("\xC4\xE0\0!", 4)}),
              QByteArray("#0\r\n\r\n\r\n#1\r\n\xC4\xE0\0!\r\n\r\n", 20));

    const EdtText many(QList<QByteArray>(300, "x"));
    const QByteArray text = Edt2Txt(many);
    EXPECT_TRUE(text.startsWith("#0\r\nx\r\n\r\n"));
    EXPECT_TRUE(text.endsWith("#299\r\nx\r\n\r\n"));
    EXPECT_EQ(text.count("#"), 300);
}

TEST(EdtTxtWriterTest, WritesAndReplacesFiles)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("057.txt"));
    EdtTxtWriter writer;
    ASSERT_TRUE(writer.write({QByteArray("A")}, path));
    EXPECT_EQ(readAll(path), QByteArray("#0\r\nA\r\n\r\n"));

    ASSERT_TRUE(writer.write({}, path));
    EXPECT_TRUE(QFile::exists(path));
    EXPECT_TRUE(readAll(path).isEmpty());
}

TEST(EdtTxtWriterTest, ReportsFailedWrites)
{
    FailingDevice device(5);
    EdtTxtWriter writer;
    EXPECT_FALSE(writer.write({QByteArray("Hello")}, &device));
    EXPECT_EQ(writer.errorString(), QStringLiteral("disk full"));

    QTemporaryDir dir;
    EXPECT_FALSE(writer.write({QByteArray("A")}, dir.filePath(QStringLiteral("no/such/folder/x.txt"))));
    EXPECT_FALSE(writer.errorString().isEmpty());
}
