#include "translation/GettextTools.h"
#include "translation/PoReader.h"
#include "translation/PoString.h"
#include "translation/PoWriter.h"
#include "support/QtPrinters.h"

#include <QRandomGenerator>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace
{

// What translators' tools leave: a header, every kind of comment, a fuzzy entry with the
// earlier text, a plural, an obsolete entry, an entry without context, CR LF in places
// and no line break at the very end.
const QByteArray Sample = "# Перевод диалогов\n"
                          "msgid \"\"\n"
                          "msgstr \"\"\n"
                          "\"Content-Type: text/plain; charset=UTF-8\\n\"\n"
                          "\"Language: en\\n\"\n"
                          "\n"
                          "#. Кузнец: записи 3, 7\n"
                          "#: 057.edt:0 057.edt:4\n"
                          "msgctxt \"057.edt\"\n"
                          "msgid \"Здравствуй, путник!\"\n"
                          "msgstr \"Hello, traveller!\"\n"
                          "\n\n"
                          "#: 057.edt:1\n"
                          "#, fuzzy, c-format\n"
                          "#| msgid \"Что надо?\"\n"
                          "msgctxt \"057.edt\"\n"
                          "msgid \"Чего надо?\"\n"
                          "msgstr \"What do you want?\"\r\n"
                          "\n"
                          "msgctxt \"057.edt\"\n"
                          "msgid \"\"\n"
                          "\"Длинная \"\n"
                          "\"строка\"\n"
                          "msgstr \"\"\n"
                          "\n"
                          "msgid \"one\"\n"
                          "msgid_plural \"many\"\n"
                          "msgstr[0] \"один\"\n"
                          "msgstr[1] \"много\"\n"
                          "\n"
                          "#~ msgctxt \"057.edt\"\n"
                          "#~ msgid \"Прощай\"\n"
                          "#~ msgstr \"Farewell\"";

PoCatalogue read(const QByteArray &bytes)
{
    PoReader reader;
    EXPECT_TRUE(reader.parse(bytes)) << reader.errorString().toStdString();
    return reader.takeCatalogue();
}

} // namespace

TEST(PoFileTest, ReadsEveryPartAndWritesAnUntouchedFileBackByteForByte)
{
    const PoCatalogue po = read(Sample);
    ASSERT_EQ(po.entries.size(), 6);
    EXPECT_TRUE(po.entries[0].isHeader());
    const qsizetype hello = po.find(QStringLiteral("057.EDT"), QStringLiteral("Здравствуй, путник!"));
    ASSERT_EQ(hello, 1) << "contexts are file names, in any letter case";
    EXPECT_EQ(po.entries[hello].translation(), QStringLiteral("Hello, traveller!"));
    EXPECT_EQ(po.entries[hello].stringLine, 11);
    const PoEntry &fuzzy = po.entries[2];
    EXPECT_TRUE(fuzzy.isFuzzy());
    EXPECT_EQ(fuzzy.flags, (QStringList{QStringLiteral("fuzzy"), QStringLiteral("c-format")}));
    EXPECT_EQ(fuzzy.line, 17);
    EXPECT_EQ(po.entries[3].id, QStringLiteral("Длинная строка"));
    EXPECT_EQ(po.entries[4].strings, (QStringList{QStringLiteral("один"), QStringLiteral("много")}));
    EXPECT_TRUE(po.entries[5].commentsOnly);
    EXPECT_EQ(po.find(QStringLiteral("057.edt"), QStringLiteral("Прощай")), -1) << "obsolete";

    EXPECT_EQ(PoWriter::encode(po), Sample);
    const QByteArray withBom = "\xEF\xBB\xBF" + Sample + "\n\n";
    EXPECT_EQ(PoWriter::encode(read(withBom)), withBom);
}

TEST(PoFileTest, ATranslationChangesItsEntryAlone)
{
    PoCatalogue po = read(Sample);
    po.setTranslation(2, QStringLiteral("What now?"));
    const QByteArray written = PoWriter::encode(po);
    const QByteArray expected = QByteArray(Sample).replace("#, fuzzy, c-format\n#| msgid \"Что надо?\"\n",
                                                           "#, c-format\n")
                                    .replace("msgstr \"What do you want?\"\r\n", "msgstr \"What now?\"\n");
    EXPECT_EQ(written, expected);

    // A new entry comes last, a blank line apart, even after a file without a last line break.
    PoEntry added;
    added.hasContext = true;
    added.context = QStringLiteral("058.edt");
    added.id = QStringLiteral("Да \"нет\"\tи \\");
    added.strings << QStringLiteral("Yes");
    po.append(added);
    EXPECT_TRUE(PoWriter::encode(po).endsWith(
        "#~ msgstr \"Farewell\"\n\nmsgctxt \"058.edt\"\nmsgid \"Да \\\"нет\\\"\\tи \\\\\"\nmsgstr \"Yes\"\n"));
    EXPECT_EQ(read(PoWriter::encode(po)).entries.last().id, added.id);
}

TEST(PoFileTest, RefusesWhatGettextRefusesWithTheLine)
{
    const QByteArray header = "msgid \"\"\nmsgstr \"Content-Type: text/plain; charset=UTF-8\\n\"\n\n";
    const struct {
        QByteArray text;
        const char *error;
    } cases[] = {
        {header + "msgid \"open\nmsgstr \"\"\n", "строка 4: нарушены кавычки строки"},
        {header + "msgid \"a\" b\nmsgstr \"\"\n", "строка 4: нарушены кавычки строки"},
        {header + "msgid \"a\\q\"\nmsgstr \"\"\n", "строка 4: нарушены кавычки строки"},
        {header + "msgid a\nmsgstr \"\"\n", "строка 4: нарушены кавычки строки"},
        {header + "msgid \"a\"\n\nmsgid \"b\"\nmsgstr \"\"\n", "строка 4: у записи нет msgstr"},
        {header + "\"stray\"\n", "строка 4: строка в кавычках без msgid или msgstr перед ней"},
        {header + "msgid \"a\"\n# note\nmsgstr \"\"\n", "строка 5: комментарий внутри записи, до её msgstr"},
        {header + "msgctxt \"x\"\nmsgid \"a\"\nmsgstr \"1\"\n\nmsgctxt \"X\"\nmsgid \"a\"\nmsgstr \"2\"\n",
         "строка 8: запись повторяет запись строки 4 (тот же msgctxt и msgid)"},
        {"msgid \"\"\nmsgstr \"Content-Type: text/plain; charset=KOI8-R\\n\"\n",
         "строка 1: неизвестная кодировка «koi8-r» (читаются UTF-8 и Windows-1251)"},
        {header + "msgid \"\xFF\"\nmsgstr \"\"\n", "строка 4: текст не в кодировке UTF-8, которую объявляет заголовок"},
        {header + "msgstr[0] \"\"\n", "строка 4: msgstr без msgid перед ним"},
        {header + "hello\n", "строка 4: непонятная строка: ожидается msgctxt, msgid, msgstr или комментарий"},
    };
    for (const auto &one : cases) {
        PoReader reader;
        EXPECT_FALSE(reader.parse(one.text)) << one.text.constData();
        EXPECT_EQ(reader.errorString(), QString::fromUtf8(one.error)) << one.text.constData();
        EXPECT_TRUE(reader.catalogue().entries.isEmpty());
    }
}

TEST(PoFileTest, ReadsWindows1251AndWritesChangesInIt)
{
    PoCatalogue po = read("msgid \"\"\nmsgstr \"Content-Type: text/plain; charset=windows-1251\\n\"\n\n"
                          "msgctxt \"1.edt\"\nmsgid \"\xc4\xe0\"\nmsgstr \"\"\n");
    const qsizetype yes = po.find(QStringLiteral("1.edt"), QStringLiteral("Да"));
    ASSERT_EQ(yes, 1);
    po.setTranslation(yes, QStringLiteral("Ага"));
    EXPECT_TRUE(PoWriter::encode(po).endsWith("msgstr \"\xc0\xe3\xe0\"\n"));
}

// Only the header names the charset: a translation that says "charset=" is a translation,
// and changing it must not change how the file reads.
TEST(PoFileTest, OnlyTheHeaderNamesTheCharset)
{
    const QByteArray translated = "msgid \"Content\"\nmsgstr \"charset=windows-1251\"\n\n"
                                  "msgctxt \"1.edt\"\nmsgid \"\xd0\x94\xd0\xb0\"\nmsgstr \"\"\n";
    PoCatalogue po = read(translated);
    EXPECT_EQ(po.charset, PoCatalogue::Charset::Utf8);
    EXPECT_EQ(po.find(QStringLiteral("1.edt"), QStringLiteral("Да")), 1);
    po.setTranslation(0, QStringLiteral("Содержание"));
    EXPECT_EQ(read(PoWriter::encode(po)).entries.at(0).translation(), QStringLiteral("Содержание"));

    PoReader reader;
    EXPECT_FALSE(reader.parse("msgid \"\xff\"\nmsgstr \"charset=windows-1251\"\n"));
    EXPECT_EQ(reader.errorString(), QStringLiteral("строка 1: текст не в кодировке UTF-8, которую объявляет заголовок"));
}

TEST(PoFileTest, StringsComeBackAsTheyWere)
{
    QRandomGenerator random(33);
    for (int round = 0; round < 500; ++round) {
        QByteArray text(random.bounded(200), '\0');
        for (char &c : text)
            c = char(1 + random.bounded(255));
        const QByteArray field = PoString::field("msgid", text);
        // Every line of the field is one quoted string; together they are the text.
        QByteArray back;
        for (QByteArray line : field.split('\n')) {
            if (line.isEmpty())
                continue;
            if (line.startsWith("msgid"))
                line = line.mid(5);
            const auto piece = PoString::unquote(line);
            ASSERT_TRUE(piece) << line.toHex().constData();
            back += *piece;
        }
        ASSERT_EQ(back, text);
    }
}

TEST(PoFileTest, WhatItWritesPassesGettextsChecks)
{
    REQUIRE_GETTEXT();
    QTemporaryDir dir;
    PoCatalogue po = read("msgid \"\"\nmsgstr \"\"\n\"Content-Type: text/plain; charset=UTF-8\\n\"\n"
                          "\"Content-Transfer-Encoding: 8bit\\n\"\n\n"
                          "#, fuzzy\n#| msgid \"Ну\"\nmsgctxt \"1.edt\"\nmsgid \"Ну?\"\nmsgstr \"Well\"\n\n"
                          "msgctxt \"1.edt\"\nmsgid \"Очень длинная строка диалога, которая не помещается в "
                          "одну строку файла перевода никак\"\nmsgstr \"\"\n");
    po.setTranslation(1, QStringLiteral("Well?"));
    po.setTranslation(2, QString(120, QLatin1Char('w')) + QStringLiteral(" \"quoted\" \\ ") + QString(90, QLatin1Char('v')));
    const QString path = dir.filePath(QStringLiteral("ru.po"));
    PoWriter writer;
    ASSERT_TRUE(writer.write(po, path));
    const GettextRun check = gettext(QStringLiteral("msgfmt"), {QStringLiteral("--check"), QStringLiteral("-o"),
                                                                QStringLiteral("/dev/null"), path});
    EXPECT_EQ(check.code, 0) << check.err.constData();

    // gettext reads it as we do: msgcat rewrites it in its own layout, which we read back
    // to the same entries.
    const GettextRun cat = gettext(QStringLiteral("msgcat"), {path});
    ASSERT_EQ(cat.code, 0) << cat.err.constData();
    const PoCatalogue back = read(cat.out);
    ASSERT_EQ(back.entries.size(), po.entries.size());
    for (qsizetype k = 1; k < po.entries.size(); ++k) {
        EXPECT_EQ(back.entries[k].id, po.entries[k].id);
        EXPECT_EQ(back.entries[k].translation(), po.entries[k].translation());
        EXPECT_EQ(back.entries[k].isFuzzy(), po.entries[k].isFuzzy());
    }
    EXPECT_EQ(PoWriter::encode(back), cat.out) << "gettext's own layout is kept too";
}

// Flags are written back as they were read, whatever the file's charset: a stray byte in
// one never turns it into another flag.
TEST(PoFileTest, FlagsKeepTheirBytesWhenTheEntryChanges)
{
    for (const QByteArray &charset : {QByteArray("UTF-8"), QByteArray("windows-1251")}) {
        PoCatalogue po = read("msgid \"\"\nmsgstr \"Content-Type: text/plain; charset=" + charset +
                              "\\n\"\n\n#, fu\xef\xbb\xbfzzy, c-format\nmsgid \"a\"\nmsgstr \"\"\n");
        po.setTranslation(1, QStringLiteral("b"));
        const PoCatalogue back = read(PoWriter::encode(po));
        EXPECT_FALSE(back.entries.at(1).isFuzzy()) << charset.constData();
        EXPECT_TRUE(PoWriter::encode(po).contains("#, fu\xef\xbb\xbfzzy, c-format\n")) << charset.constData();
    }
}
