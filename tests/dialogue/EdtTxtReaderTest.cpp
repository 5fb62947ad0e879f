#include "dialogue/EdtTxtReader.h"
#include "dialogue/EdtExport.h"
#include "support/QtPrinters.h"

#include <QRandomGenerator>

#include <gtest/gtest.h>

using Encoding = EdtTxtReader::Encoding;

TEST(EdtTxtReaderTest, ReadsBackWhatTheExportWrites)
{
    QRandomGenerator random(7);
    for (int round = 0; round < 200; ++round) {
        QList<QByteArray> lines(random.bounded(6));
        for (QByteArray &line : lines) {
            line.resize(random.bounded(241));
            for (char &c : line)
                c = char(0x20 + random.bounded(0xE0)); // 0x98 too, which no letter uses
        }
        const EdtText text(lines);
        EdtTxtReader reader;
        ASSERT_TRUE(reader.parse(Edt2Txt(text), Encoding::Windows1251)) << reader.errorString().toStdString();
        ASSERT_EQ(reader.text(), text);
    }
}

TEST(EdtTxtReaderTest, TakesUtf8AndTheLineEndsEditorsLeave)
{
    EdtTxtReader reader;
    ASSERT_TRUE(
        reader.parse(QStringLiteral("\uFEFF#0\r\nДа…\r\n\r\n#1\r\n\r\n\r\n").toUtf8(), Encoding::Utf8));
    EXPECT_EQ(reader.text(), (EdtText{"\xC4\xE0\x85", ""}));
    // LF alone, no empty line after the last phrase, empty lines at the end.
    for (const char *form :
         {"#0\nA\n\n#1\nB", "#0\nA\n\n#1\nB\n", "#0\r\nA\r\n\r\n#1\r\nB\r\n\r\n\r\n\r\n"}) {
        ASSERT_TRUE(reader.parse(form, Encoding::Windows1251)) << form;
        EXPECT_EQ(reader.text(), (EdtText{"A", "B"})) << form;
    }
    // A file cut right after the last number ends in an empty phrase; nothing is no line.
    ASSERT_TRUE(reader.parse("#0\r\nA\r\n\r\n#1", Encoding::Windows1251));
    EXPECT_EQ(reader.text(), (EdtText{"A", ""}));
    ASSERT_TRUE(reader.parse("", Encoding::Windows1251));
    EXPECT_TRUE(reader.text().isEmpty());
}

TEST(EdtTxtReaderTest, AnErrorNamesTheLineAndKeepsTheTextReadBefore)
{
    struct Bad {
        QByteArray bytes;
        Encoding encoding;
        const char *error;
    };
    const Bad cases[] = {
        {"#0\r\nA\r\n\r\n#2\r\nB\r\n\r\n", Encoding::Windows1251,
         "строка 4: ожидалась строка «#1»: номера фраз идут по порядку с 0"},
        {"A\r\n", Encoding::Windows1251, "строка 1: ожидалась строка «#0»"},
        {"#0\r\nA\r\nB\r\n", Encoding::Windows1251, "строка 3: после фразы 0 ожидалась пустая строка"},
        {"#0\r\n" + QByteArray(241, 'a') + "\r\n\r\n", Encoding::Windows1251,
         "строка 2: фраза 0: Фраза длиннее 240 знаков: 241."},
        {"#0\r\na\tb\r\n\r\n", Encoding::Windows1251,
         "строка 2: фраза 0: Знак 2 фразы — управляющий (код 9): игра его не покажет."},
        {"#0\r\n\xE6\x97\xA5\r\n\r\n", Encoding::Utf8,
         "строка 2: фраза 0: Знака «日» (U+65E5) нет в кодировке Windows-1251: в фразу его не записать."},
        {"#0\r\n\xC4\xE0\r\n\r\n", Encoding::Utf8, "строка 2: текст не в UTF-8"},
        {"\xEF\xBB\xBF#0\r\nA\r\n\r\n", Encoding::Windows1251,
         "строка 1: ожидалась строка «#0» (файл начинается с метки UTF-8: он в UTF-8, а не в Windows-1251)"},
    };
    EdtTxtReader reader;
    ASSERT_TRUE(reader.parse("#0\r\nkept\r\n\r\n", Encoding::Windows1251));
    for (const Bad &bad : cases) {
        EXPECT_FALSE(reader.parse(bad.bytes, bad.encoding));
        EXPECT_EQ(reader.errorString(), QString::fromUtf8(bad.error));
        EXPECT_EQ(reader.text(), EdtText{"kept"});
    }
}
