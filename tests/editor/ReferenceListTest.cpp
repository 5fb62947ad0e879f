#include "editor/ReferenceLists.h"

#include <QDir>
#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

ReferenceList listOf(const QByteArray &bytes)
{
    ReferenceList list;
    list.appendText(bytes);
    return list;
}

void writeFile(const QString &path, const QByteArray &bytes)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

} // namespace

TEST(ReferenceListTest, KeepsEveryLineButEmptyOnesAndThoseWithASemicolon)
{
    const ReferenceList list = listOf("; header\r\n"
                                      "0=zero\r\n"
                                      "\r\n"
                                      "12=a;b\r\n"
                                      "1=one\n"           // a lone LF ends a line too
                                      "2=two\rstill two\r\n" // a lone CR does not
                                      " 3=x \r\n"         // kept as it stands
                                      "4=last");          // no line end at all
    ASSERT_EQ(list.count(), 5);
    EXPECT_EQ(list.entry(0), "0=zero");
    EXPECT_EQ(list.entry(1), "1=one");
    EXPECT_EQ(list.entry(2), "2=two\rstill two");
    EXPECT_EQ(list.entry(3), " 3=x ");
    EXPECT_EQ(list.entry(4), "4=last");
}

TEST(ReferenceListTest, CtrlZEndsTheFile)
{
    const ReferenceList list = listOf(QByteArray("1=a\r\n2=b\x1a\r\n3=c\r\n"));
    ASSERT_EQ(list.count(), 2);
    EXPECT_EQ(list.entry(1), "2=b");
}

TEST(ReferenceListTest, NumberIsTheTextBeforeTheFirstEqualsSign)
{
    const ReferenceList list = listOf("3=a=b\r\n7=\r\nno equals sign\r\n=nameless\r\n");
    EXPECT_EQ(list.numberText(0), "3");
    EXPECT_EQ(list.name(0), "a=b");
    EXPECT_EQ(list.comboText(0), "3. a=b");
    EXPECT_EQ(list.comboText(1), "7. ?");
    // A line without "=" is listed as it stands and has no number.
    EXPECT_EQ(list.numberText(2), "");
    EXPECT_EQ(list.name(2), "");
    EXPECT_EQ(list.comboText(2), "no equals sign");
    EXPECT_EQ(list.comboText(3), ". nameless");
}

TEST(ReferenceListTest, LookupsCompareTheNumberAsWrittenAndFindTheFirst)
{
    const ReferenceList list = listOf("07=padded\r\n 8=blank\r\n5=first\r\n5=second\r\nabc\r\n=empty\r\n");
    EXPECT_EQ(list.indexOf(7), -1);
    EXPECT_EQ(list.indexOf(8), -1);
    EXPECT_EQ(list.indexOfText("07"), 0);
    EXPECT_EQ(list.indexOf(5), 2);
    EXPECT_EQ(list.nameOf(5), "first");
    EXPECT_EQ(list.nameOf(6), "");
    EXPECT_EQ(list.indexOfText(""), -1);
    EXPECT_EQ(list.indexOfText("abc"), -1);
}

TEST(ReferenceListTest, MaxNumberIsTheLastEntryNotTheLargest)
{
    QByteArray bytes;
    for (int i = 0; i <= 29; ++i)
        bytes += QByteArray::number(i) + "=x\r\n";
    EXPECT_EQ(listOf(bytes).MaxNumber(0), 29);
    bytes += "5=again\r\n";
    EXPECT_EQ(listOf(bytes).MaxNumber(0), 5);
    EXPECT_EQ(listOf(bytes).lastNumber(), 5);

    EXPECT_EQ(listOf("").MaxNumber(77), 77);
    EXPECT_EQ(listOf("1=a\r\nabc=b\r\n").MaxNumber(77), 77);
    EXPECT_EQ(listOf("1=a\r\n+4=b\r\n").lastNumber(), 4);
    EXPECT_EQ(listOf("1=a\r\n-4=b\r\n").lastNumber(), -4);
    EXPECT_EQ(listOf("70000=big\r\n").lastNumber(), 70000);
    EXPECT_EQ(listOf("70000=big\r\n").MaxNumber(0), 70000 - 65536);
    EXPECT_FALSE(listOf("99999999999999999999=huge\r\n").lastNumber());
    EXPECT_FALSE(listOf("4 =b\r\n").lastNumber());
}

TEST(ReferenceListTest, ReadDecimalTakesASignAndDigitsOnly)
{
    EXPECT_EQ(readDecimal("-9223372036854775808"), std::numeric_limits<qint64>::min());
    EXPECT_EQ(readDecimal("9223372036854775807"), std::numeric_limits<qint64>::max());
    EXPECT_FALSE(readDecimal("9223372036854775808"));
    EXPECT_FALSE(readDecimal("-"));
    EXPECT_FALSE(readDecimal(""));
    EXPECT_FALSE(readDecimal("1e3"));
    EXPECT_FALSE(readDecimal("0x10"));
    EXPECT_EQ(readDecimal("007"), 7);
}

TEST(ReferenceListTest, FilesOfAnyShapeLoad)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    ReferenceList list;
    EXPECT_FALSE(list.readFile(dir.filePath(QStringLiteral("missing.txt"))));
    EXPECT_FALSE(list.readFile(dir.path()));
    EXPECT_TRUE(list.isEmpty());

    writeFile(dir.filePath(QStringLiteral("empty.txt")), {});
    EXPECT_TRUE(list.readFile(dir.filePath(QStringLiteral("empty.txt"))));
    EXPECT_TRUE(list.isEmpty());

    QByteArray binary(64 * 1024, Qt::Uninitialized);
    QRandomGenerator random(42);
    for (char &c : binary) {
        c = char(random.bounded(256));
        if (c == '\x1a')
            c = '\0';
    }
    const QByteArray longLine = "1=" + QByteArray(10000, 'x');
    writeFile(dir.filePath(QStringLiteral("odd.txt")), binary + "\r\n" + longLine + "\r\n2=two");
    EXPECT_TRUE(list.readFile(dir.filePath(QStringLiteral("odd.txt"))));
    ASSERT_FALSE(list.isEmpty());
    for (int i = 0; i < list.count(); ++i)
        (void)list.comboText(i);
    EXPECT_EQ(list.nameOf(1).size(), 10000);
    EXPECT_EQ(list.lastNumber(), 2);
}

TEST(ReferenceListsTest, EachListComesFromTheDataFolderOrElseTheStandardOne)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString standard = dir.filePath(QStringLiteral("Data"));
    const QString modified = dir.filePath(QStringLiteral("Mine"));
    for (const char *name : {"Action.txt", "Items.txt", "Npc.txt", "React.txt", "Trigg.txt", "Q_Input.txt"})
        writeFile(QDir(standard).filePath(QLatin1String(name)), "1=standard\r\n");
    writeFile(QDir(modified).filePath(QStringLiteral("Items.txt")), "1=mine\r\n");

    ReferenceLists lists;
    const QStringList failed = lists.load(modified, standard);
    EXPECT_EQ(lists.Items.nameOf(1), "mine");
    EXPECT_EQ(lists.Action.nameOf(1), "standard");
    EXPECT_EQ(lists.Q_Input.nameOf(1), "standard");
    // Missing files are reported in reading order, with the standard folder's path.
    EXPECT_EQ(failed, QStringList({QDir::toNativeSeparators(QDir(standard).filePath(QStringLiteral("Q_Output.txt"))),
                                   QDir::toNativeSeparators(QDir(standard).filePath(QStringLiteral("Modes.txt")))}));
    EXPECT_TRUE(lists.Modes.isEmpty());
    EXPECT_EQ(&lists.byId(ListId::Trigg), &lists.Trigg);
    EXPECT_TRUE(lists.byId(ListId::None).isEmpty());

    ReferenceLists withoutDataDir;
    withoutDataDir.load(QString(), standard);
    EXPECT_EQ(withoutDataDir.Items.nameOf(1), "standard");
}
