#include "macros/MacroFile.h"
#include "macros/MacroStore.h"
#include "support/FailingDevice.h"
#include "support/QtPrinters.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace
{

using Entries = QList<QByteArray>;

QByteArray readAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

} // namespace

TEST(MacroFileTest, LinesEndAtCrLfOrCrLfAndEveryLineIsAnEntry)
{
    EXPECT_EQ(MacroFile::parse(""), Entries{});
    EXPECT_EQ(MacroFile::parse("a=1\r\nb=2\r\n"), (Entries{"a=1", "b=2"}));
    EXPECT_EQ(MacroFile::parse("a=1\nb=2"), (Entries{"a=1", "b=2"}));
    EXPECT_EQ(MacroFile::parse("a=1\rb=2\r"), (Entries{"a=1", "b=2"}));
    // LF CR is two line ends, CR LF one.
    EXPECT_EQ(MacroFile::parse("a\n\rb"), (Entries{"a", "", "b"}));
    EXPECT_EQ(MacroFile::parse("a\r\n\r\nb\r\n"), (Entries{"a", "", "b"}));
    EXPECT_EQ(MacroFile::parse("\r\n"), (Entries{""}));
    EXPECT_EQ(MacroFile::parse("no equals sign\r\n"), (Entries{"no equals sign"}));
}

TEST(MacroFileTest, ANulEndsTheText)
{
    EXPECT_EQ(MacroFile::parse(QByteArrayView("a=1\r\nb=2\0c=3\r\nd=4\r\n", 20)), (Entries{"a=1", "b=2"}));
    EXPECT_EQ(MacroFile::parse(QByteArrayView("a=1\r\n\0b=2\r\n", 11)), (Entries{"a=1"}));
    EXPECT_EQ(MacroFile::parse(QByteArrayView("\0a=1\r\n", 6)), Entries{});
}

TEST(MacroFileTest, WritesEveryEntryWithCrLfAndReadsTheSameBytesBack)
{
    // Windows-1251 names, a blank name, a name of blanks, bytes above 127.
    const Entries entries = {"\xc3\xe2\xe0\xf0\xe4\xe8\xff=1,2", "=0,0", "   =5", "A&B, c=7", "\xff\xfe"};
    const QByteArray bytes = MacroFile::encode(entries);
    EXPECT_EQ(bytes,
              QByteArray("\xc3\xe2\xe0\xf0\xe4\xe8\xff=1,2\r\n=0,0\r\n   =5\r\nA&B, c=7\r\n\xff\xfe\r\n"));
    EXPECT_EQ(MacroFile::parse(bytes), entries);

    QBuffer buffer;
    buffer.open(QIODevice::ReadWrite);
    MacroWriter writer;
    ASSERT_TRUE(writer.write(entries, &buffer));
    buffer.seek(0);
    MacroReader reader;
    ASSERT_TRUE(reader.read(&buffer));
    EXPECT_EQ(reader.entries(), entries);
}

TEST(MacroFileTest, EmptyStoreIsAnEmptyFileThatReplacesTheOldOne)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("macros.mcr"));
    MacroWriter writer;
    ASSERT_TRUE(writer.write({"Long=1,2,3", "Longer=4,5,6"}, path));
    ASSERT_TRUE(writer.write({"S=1"}, path));
    EXPECT_EQ(readAll(path), QByteArray("S=1\r\n"));
    ASSERT_TRUE(writer.write({}, path));
    EXPECT_EQ(readAll(path), QByteArray());
}

TEST(MacroFileTest, AMissingFolderIsMadeForTheFirstMacro)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("start/Data/macros.mcr"));
    MacroWriter writer;
    ASSERT_TRUE(writer.write({"a=1"}, path)) << writer.errorString().toStdString();
    EXPECT_EQ(readAll(path), QByteArray("a=1\r\n"));
}

TEST(MacroFileTest, FailuresAreReportedAndLeaveTheOldFile)
{
    QTemporaryDir dir;
    MacroWriter writer;
    // A file where the folder belongs.
    QFile notAFolder(dir.filePath(QStringLiteral("Data")));
    ASSERT_TRUE(notAFolder.open(QIODevice::WriteOnly));
    notAFolder.close();
    EXPECT_FALSE(writer.write({"a=1"}, dir.filePath(QStringLiteral("Data/macros.mcr"))));
    EXPECT_FALSE(writer.errorString().isEmpty());

    FailingDevice device(10);
    EXPECT_FALSE(writer.write({"Guard=1,0,65535,65535,255"}, &device));
    EXPECT_EQ(writer.errorString(), QStringLiteral("disk full"));

    // A folder in the file's place cannot be replaced; nothing of it is lost.
    const QString blocked = dir.filePath(QStringLiteral("blocked.mcr"));
    ASSERT_TRUE(QDir().mkpath(blocked + QStringLiteral("/keep")));
    EXPECT_FALSE(writer.write({"a=1"}, blocked));
    EXPECT_TRUE(QDir(blocked + QStringLiteral("/keep")).exists());

    MacroReader reader;
    EXPECT_FALSE(reader.read(dir.filePath(QStringLiteral("missing.mcr"))));
    EXPECT_FALSE(reader.errorString().isEmpty());
    EXPECT_FALSE(reader.read(blocked));
}

TEST(MacroStoreTest, RenameDeleteAndExchangeWorkOnPositions)
{
    MacroStore store;
    store.setEntries({"A=1,2", "B=3,4", "A=5,6", "no equals"});
    EXPECT_EQ(store.name(2), QByteArray("A"));
    EXPECT_EQ(store.name(3), QByteArray());

    store.rename(0, "Guard, night");
    EXPECT_EQ(store.entry(0), QByteArray("Guard, night=1,2"));
    store.rename(1, "");
    EXPECT_EQ(store.entry(1), QByteArray("=3,4"));
    // A line without "=" keeps the whole line as its values.
    store.rename(3, "Named");
    EXPECT_EQ(store.entry(3), QByteArray("Named=no equals"));

    store.exchange(0, 1);
    EXPECT_EQ(store.entries(), (Entries{"=3,4", "Guard, night=1,2", "A=5,6", "Named=no equals"}));
    store.removeAt(2);
    store.removeLast();
    EXPECT_EQ(store.entries(), (Entries{"=3,4", "Guard, night=1,2"}));
}
