#include "editor/ReferenceLists.h"

#include <QDir>
#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace
{

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

TEST(ReferenceListTest, KeepsLinesAsTheyStandButEmptyOnesCommentsAndWhatFollowsCtrlZ)
{
    const ReferenceList list = listOf("; header\r\n0=zero\r\n\r\n12=a;b\r\n1=one\n2=two\rstill two\r\n"
                                      " 3=x \r\n4=last\x1a\r\n5=after end");
    QList<QByteArray> entries;
    for (int i = 0; i < list.count(); ++i)
        entries << list.entry(i).toByteArray();
    EXPECT_EQ(entries, QList<QByteArray>({"0=zero", "1=one", "2=two\rstill two", " 3=x ", "4=last"}));
    EXPECT_EQ(listOf("1=a\r\n2=no line end").entry(1), "2=no line end");
}

TEST(ReferenceListTest, NumberNameAndComboText)
{
    const ReferenceList list = listOf("3=a=b\r\n7=\r\nno equals sign\r\n");
    EXPECT_EQ(list.numberText(0), "3");
    EXPECT_EQ(list.name(0), "a=b");
    EXPECT_EQ(list.comboText(0), "3. a=b");
    EXPECT_EQ(list.comboText(1), "7. ?");
    // A line without "=" has no number and is listed as it stands.
    EXPECT_EQ(list.numberText(2), "");
    EXPECT_EQ(list.comboText(2), "no equals sign");
    // Cut to a size, whichever part the cut falls in.
    EXPECT_EQ(list.comboText(0, 4), "3. a");
    EXPECT_EQ(list.comboText(0, 2), "3.");
    EXPECT_EQ(list.comboText(1, 100), "7. ?");
    EXPECT_EQ(list.comboText(2, 5), "no eq");
    EXPECT_EQ(list.comboText(0, 0), "");
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
    EXPECT_EQ(listOf(bytes + "5=again\r\n").MaxNumber(0), 5);

    EXPECT_EQ(listOf("").MaxNumber(77), 77);
    EXPECT_EQ(listOf("1=a\r\nabc=b\r\n").MaxNumber(77), 77);
    EXPECT_EQ(listOf("70000=big\r\n").MaxNumber(0), 70000 - 65536);
    EXPECT_EQ(listOf("70000=big\r\n").lastNumber(), 70000);
    EXPECT_EQ(listOf("+4=b\r\n").lastNumber(), 4);
    EXPECT_EQ(listOf("-4=b\r\n").lastNumber(), -4);
    for (const QByteArray &odd : {QByteArray("99999999999999999999=huge"), QByteArray("4 =b"),
                                  QByteArray("-=c"), QByteArray("0x10=d"), QByteArray("=e")})
        EXPECT_FALSE(listOf(odd).lastNumber()) << odd.constData();
    EXPECT_EQ(readDecimal("-9223372036854775808"), std::numeric_limits<qint64>::min());
    EXPECT_FALSE(readDecimal("9223372036854775808"));
    EXPECT_EQ(readDecimal("9223372036854775807"), std::numeric_limits<qint64>::max());
    EXPECT_EQ(readDecimal("999999999999999999"), 999999999999999999LL); // the longest read digit by digit
    EXPECT_EQ(readDecimal("007"), 7);
    for (const char *odd :
         {"", "-", "12a", "1 2", "\xff\xff\xff\xff\xff\xff\xff\xff\xff\xff\xff\xff\xff\xff\xff\xff\xff\xff"})
        EXPECT_FALSE(readDecimal(odd)) << odd;
}

TEST(ReferenceListTest, FilesOfAnyShapeLoad)
{
    QTemporaryDir dir;
    ReferenceList list;
    EXPECT_FALSE(list.readFile(dir.filePath(QStringLiteral("missing.txt"))));
    EXPECT_FALSE(list.readFile(dir.path()));
    writeFile(dir.filePath(QStringLiteral("empty.txt")), {});
    EXPECT_TRUE(list.readFile(dir.filePath(QStringLiteral("empty.txt"))));
    EXPECT_TRUE(list.isEmpty());

    QByteArray binary(64 * 1024, Qt::Uninitialized);
    QRandomGenerator random(42);
    for (char &c : binary)
        c = char(random.bounded(256));
    binary.replace('\x1a', '\0'); // so that the lines after it are read too
    writeFile(dir.filePath(QStringLiteral("odd.txt")),
              binary + "\r\n1=" + QByteArray(10000, 'x') + "\r\n2=two");
    EXPECT_TRUE(list.readFile(dir.filePath(QStringLiteral("odd.txt"))));
    for (int i = 0; i < list.count(); ++i)
        (void)list.comboText(i);
    EXPECT_EQ(list.nameOf(1).size(), 10000);
    EXPECT_EQ(list.lastNumber(), 2);
}

TEST(ReferenceListsTest, EachListComesFromTheDataFolderOrElseTheStandardOne)
{
    QTemporaryDir dir;
    const QString standard = dir.filePath(QStringLiteral("Data"));
    const QString modified = dir.filePath(QStringLiteral("Mine"));
    for (const char *name : {"Action.txt", "Items.txt", "Npc.txt", "React.txt", "Trigg.txt", "Q_Input.txt"})
        writeFile(QDir(standard).filePath(QLatin1String(name)), "1=standard\r\n");
    writeFile(QDir(modified).filePath(QStringLiteral("Items.txt")), "1=mine\r\n");

    ReferenceLists lists;
    const QStringList failed = lists.load(modified, standard);
    EXPECT_EQ(lists.Items.nameOf(1), "mine");
    EXPECT_EQ(lists.Action.nameOf(1), "standard");
    // Missing files are reported in reading order, with the standard folder's path.
    const auto path = [&](const char *name) {
        return QDir::toNativeSeparators(QDir(standard).filePath(QLatin1String(name)));
    };
    EXPECT_EQ(failed, QStringList({path("Q_Output.txt"), path("Modes.txt")}));
    EXPECT_TRUE(lists.Modes.isEmpty());
    EXPECT_EQ(&lists.byId(ListId::Trigg), &lists.Trigg);

    ReferenceLists withoutDataDir;
    withoutDataDir.load(QString(), standard);
    EXPECT_EQ(withoutDataDir.Items.nameOf(1), "standard");
}

TEST(ReferenceListsTest, DataFolderThenStandardFolderThenShippedFolderThenTheErrorBox)
{
    QTemporaryDir dir;
    const QString mine = dir.filePath(QStringLiteral("Mine"));
    const QString standard = dir.filePath(QStringLiteral("start/Data"));
    const QString shipped = dir.filePath(QStringLiteral("share/scrivlet/Data"));
    const auto write = [](const QString &folder, const char *name, const QByteArray &bytes) {
        writeFile(QDir(folder).filePath(QLatin1String(name)), bytes);
    };
    for (const char *name : {"Action.txt", "Items.txt", "Npc.txt", "React.txt", "Trigg.txt", "Q_Input.txt"})
        write(shipped, name, "1=shipped\r\n");
    write(standard, "Items.txt", "1=standard\r\n");
    write(standard, "Npc.txt", "1=standard\r\n");
    write(mine, "Npc.txt", "1=mine\r\n");

    ReferenceLists lists;
    const QStringList failed = lists.load(mine, standard, shipped);
    EXPECT_EQ(lists.Npc.nameOf(1), "mine");
    EXPECT_EQ(lists.Items.nameOf(1), "standard");
    EXPECT_EQ(lists.Action.nameOf(1), "shipped");
    EXPECT_EQ(lists.Q_Input.nameOf(1), "shipped");
    // Found nowhere: named where the user would put it.
    EXPECT_EQ(failed,
              (QStringList{QDir::toNativeSeparators(QDir(standard).filePath(QStringLiteral("Q_Output.txt"))),
                           QDir::toNativeSeparators(QDir(standard).filePath(QStringLiteral("Modes.txt")))}));

    EXPECT_EQ(lists.sourceOf(ListId::Npc), QDir(mine).filePath(QStringLiteral("Npc.txt")));
    EXPECT_EQ(lists.sourceOf(ListId::Action), QDir(shipped).filePath(QStringLiteral("Action.txt")));
    EXPECT_EQ(lists.sourceOf(ListId::Modes), QString());
    EXPECT_EQ(lists.sourceOf(ListId::None), QString());
    EXPECT_EQ(lists.sourceFolders(), (QStringList{shipped, standard, mine}));

    // The same files without a shipped folder: the lists it gave are missing now.
    ReferenceLists withoutShipped;
    EXPECT_EQ(withoutShipped.load(mine, standard).size(), 6);
    EXPECT_EQ(withoutShipped.sourceFolders(), (QStringList{standard, mine}));
}

TEST(ReferenceListsTest, AFolderInPlaceOfAListIsPassedOver)
{
    QTemporaryDir dir;
    const QString standard = dir.filePath(QStringLiteral("Data"));
    const QString shipped = dir.filePath(QStringLiteral("shipped"));
    for (const char *name : {"Action.txt", "Items.txt", "Npc.txt", "React.txt", "Trigg.txt", "Q_Input.txt",
                             "Q_Output.txt", "Modes.txt"})
        writeFile(QDir(shipped).filePath(QLatin1String(name)), "1=shipped\r\n");
    // A folder where the standard Action list belongs is not a list, so the next one counts.
    QDir().mkpath(QDir(standard).filePath(QStringLiteral("Action.txt")));
    ReferenceLists lists;
    EXPECT_TRUE(lists.load(dir.filePath(QStringLiteral("missing")), standard, shipped).isEmpty());
    EXPECT_EQ(lists.Action.nameOf(1), "shipped");
    EXPECT_EQ(lists.sourceFolders(), QStringList{shipped});
}

TEST(ReferenceListTest, NamesHoldingATextInAnyLetterCase)
{
    const ReferenceList list = listOf(QByteArray("1=\xcc\xe5\xf7 \xf0\xfb\xf6\xe0\xf0\xff\r\n" // Меч рыцаря
                                                 "2=\xd9\xe8\xf2\r\n"                          // Щит
                                                 "3=Sword\r\nno name\r\n4=\xec\xc5\xd7\r\n" // мЕЧ
                                                 "5=\r\n"));
    EXPECT_EQ(list.indexesWithName(QStringLiteral("меч")), QList<int>({0, 4}));
    EXPECT_EQ(list.indexesWithName(QStringLiteral("SWO")), QList<int>({2}));
    // The number and the line without a name are not names.
    EXPECT_EQ(list.indexesWithName(QStringLiteral("no")), QList<int>());
    EXPECT_EQ(list.indexesWithName(QStringLiteral("1")), QList<int>());
    EXPECT_EQ(list.indexesWithName(QStringLiteral("剣")), QList<int>());
    EXPECT_EQ(list.indexesWithName(QString()), QList<int>({0, 1, 2, 3, 4, 5}));
}

TEST(ReferenceListTest, NumbersWrittenOddlyAreFoundOnlyAsWritten)
{
    const ReferenceList list = listOf("-0=a\r\n0=b\r\n+5=c\r\n5=d\r\n-12=e\r\n-012=f\r\n007=g\r\n=h\r\n");
    EXPECT_EQ(list.indexOf(0), 1);
    EXPECT_EQ(list.indexOfText("-0"), 0);
    EXPECT_EQ(list.indexOf(5), 3);
    EXPECT_EQ(list.indexOfText("+5"), 2);
    EXPECT_EQ(list.indexOf(-12), 4);
    EXPECT_EQ(list.indexOfText("-012"), 5);
    EXPECT_EQ(list.indexOfText("007"), 6);
    EXPECT_EQ(list.indexOf(7), -1);

    const ReferenceList wide = listOf("65535=a\r\n65536=b\r\n9000000000=c\r\n-32768=d\r\n65536=e\r\n");
    EXPECT_EQ(wide.indexOf(65535), 0);
    EXPECT_EQ(wide.indexOf(65536), 1);
    EXPECT_EQ(wide.indexOfText("9000000000"), 2);
    EXPECT_EQ(wide.indexOf(-32768), 3);
    EXPECT_EQ(wide.indexOf(65534), -1);
    EXPECT_EQ(wide.indexOf(-1), -1);
}
