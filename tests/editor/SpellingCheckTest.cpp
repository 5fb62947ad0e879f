#include "common/Windows1251.h"
#include "editor/ReferenceLists.h"
#include "editor/SpellingCheck.h"
#include "spelling/SpellChecker.h"
#include "support/QtPrinters.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

TEST(SpellingCheckTest, NotesTheUnknownWordsOfEachLineInStepsAsAtOnce)
{
    ReferenceLists lists;
    lists.Npc.appendText(toWindows1251(QStringLiteral("1=Гронбальд\r\n")));
    lists.Items.appendText(toWindows1251(QStringLiteral("5=Сквирл-трава\r\n")));
    QTemporaryDir dir;
    QString error;
    QString warning;
    const auto checker = openSpellChecker(QStringLiteral("ru_RU"), lists, dir.filePath(QStringLiteral("none.txt")),
                                          error, warning);
    ASSERT_TRUE(checker) << error.toStdString();
    EXPECT_EQ(warning, QString());

    const EdtText text{toWindows1251(QStringLiteral("Превет, Гронбальд")), "",
                       toWindows1251(QStringLiteral("Возьми сквирл-траву и 3 монеты")),
                       toWindows1251(QStringLiteral("Дабро пожаловать"))};
    SpellingScan scan(*checker, text, true);
    EXPECT_FALSE(scan.step(2));
    EXPECT_EQ(scan.notes().size(), 1);
    while (!scan.step(1)) {
    }
    ASSERT_EQ(scan.notes().size(), 2) << "сквирл is a name of the lists, 3 a number";
    EXPECT_EQ(scan.notes(), SpellingScan::all(*checker, text, true));
    EXPECT_EQ(scan.notes().at(0).phrase, 0);
    EXPECT_EQ(scan.notes().at(1).phrase, 3);
    EXPECT_EQ(scan.notes().at(1).word, QStringLiteral("Дабро"));
    EXPECT_LE(scan.notes().at(0).suggestions.size(), 3);
    EXPECT_TRUE(spellingNoteText(scan.notes().at(0)).startsWith(QStringLiteral("неизвестное слово «Превет»; может быть: ")));
    EXPECT_TRUE(SpellingScan::all(*checker, text, false).at(0).suggestions.isEmpty());

    EXPECT_FALSE(openSpellChecker(QStringLiteral("zz_ZZ"), lists, {}, error, warning));
    EXPECT_TRUE(error.startsWith(QStringLiteral("Нет словаря zz_ZZ"))) << error.toStdString();
}
