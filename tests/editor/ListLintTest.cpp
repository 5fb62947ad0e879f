#include "editor/ListLint.h"
#include "support/QtPrinters.h"

#include <gtest/gtest.h>

TEST(ListLint, LinesTheReadingTakesButNoFieldCanUse)
{
    const QByteArray bytes = "0=none\r\n"
                             "abc\r\n"
                             "\r\n"
                             "; a comment=\r\n"
                             "=no number\r\n"
                             "12x=bent\r\n"
                             "-5=minus\r\n"
                             "07=leading zero\r\n"
                             "3=\xd0\x9c\xd0\xb5\xd1\x87\r\n" // "Меч" saved as UTF-8
                             "4=\xcc\xe5\xf7\r\n"             // "Меч" in Windows-1251
                             "5=\xd0\xb0\xd0\r\n"             // cut short: no UTF-8
                             "70000=too big\r\n";
    const QList<UnclearListLine> found = unclearListLines(QStringLiteral("Data/Items.txt"), bytes, 32767);
    QStringList seen;
    for (const UnclearListLine &line : found)
        seen << QString::number(line.line) + QLatin1Char(' ') + line.reason;
    EXPECT_EQ(seen, utf8List({"2 нет знака «=»", "5 нет номера", "6 номер «12x» — не число", "7 отрицательный номер",
                              "9 имя записано в UTF-8 (кириллица), а списки пишутся в Windows-1251",
                              "12 номер больше, чем вмещает поле (32767)"}));
    ASSERT_EQ(found.size(), 6);
    EXPECT_EQ(found.at(0).text, QByteArray("abc"));
    EXPECT_EQ(unclearLineText(found.at(2)), QStringLiteral("Items.txt, строка 6 «12x=bent»: номер «12x» — не число"));
}

TEST(ListLint, TheStatusLineCountsEachFile)
{
    EXPECT_EQ(unclearListsSummary({}), QString());
    const auto file = [](const char *path, qsizetype count) {
        return UnclearListCount{QString::fromUtf8(path), count};
    };
    EXPECT_EQ(unclearListsSummary({file("D/Items.txt", 3)}),
              QStringLiteral("Items.txt: 3 строки не поняты, см. Проверка скрипта"));
    EXPECT_EQ(
        unclearListsSummary({file("D/Npc.txt", 1), file("D/Trigg.txt", 11), file("D/React.txt", 22)}),
        QStringLiteral("Npc.txt: 1 строка не понята; Trigg.txt: 11 строк не поняты; React.txt: 22 строки не "
                       "поняты, см. Проверка скрипта"));
}

TEST(ListLint, EachListIsMeasuredAgainstItsFields)
{
    ReferenceLists lists;
    lists.Npc.appendText("254=a\r\n255=b\r\n");        // NPC No is a byte, 255 its none
    lists.Items.appendText("32767=a\r\n32768=b\r\n"); // items are signed words
    lists.Trigg.appendText("65534=a\r\n65535=b\r\n");
    QStringList seen;
    for (const UnclearListLine &line : unclearListLines(lists))
        seen << QString::fromLatin1(line.text) + QLatin1Char(' ') + line.reason;
    EXPECT_EQ(seen, utf8List({"32768=b номер больше, чем вмещает поле (32767)",
                              "255=b номер больше, чем вмещает поле (254)",
                              "65535=b номер больше, чем вмещает поле (65534)"}));
    // The start only counts them, file by file.
    lists.Items.appendText("abc\r\n");
    EXPECT_EQ(unclearListCounts(listFileTexts(lists)),
              (QList<UnclearListCount>{{{}, 1}, {{}, 1}, {{}, 1}, {{}, 1}}));
}

TEST(ListLint, ListsOfMegabytesAreCountedSideBySide)
{
    ReferenceLists lists;
    QByteArray text;
    for (int number = 0; number < 40000; ++number)
        text += QByteArray::number(number) + "=name\r\n";
    lists.Npc.appendText(text);
    lists.Items.appendText(text);
    lists.Trigg.appendText(text);
    EXPECT_EQ(unclearListCounts(listFileTexts(lists)),
              (QList<UnclearListCount>{{{}, 40000 - 32768}, {{}, 40000 - 255}}));
    EXPECT_EQ(unclearListLines(lists).size(), 40000 - 32768 + 40000 - 255);
}
