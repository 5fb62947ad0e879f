#include "common/Windows1251.h"
#include "dialogue/EdtReader.h"
#include "dialogue/EdtWriter.h"
#include "translation/DialogueTemplate.h"
#include "translation/DialogueTranslation.h"
#include "translation/GettextTools.h"
#include "translation/PoReader.h"
#include "translation/PoWriter.h"
#include "support/QtPrinters.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace
{

QByteArray cp(const char *utf8)
{
    return toWindows1251(QString::fromUtf8(utf8));
}

PoCatalogue read(const QByteArray &bytes)
{
    PoReader reader;
    EXPECT_TRUE(reader.parse(bytes)) << reader.errorString().toStdString();
    return reader.takeCatalogue();
}

const QByteArray Header = "msgid \"\"\nmsgstr \"Content-Type: text/plain; charset=UTF-8\\n\"\n";

QByteArray entry(const char *context, const char *id, const char *str, bool fuzzy = false)
{
    return QByteArray("\n") + (fuzzy ? "#, fuzzy\n" : "") + "msgctxt \"" + context + "\"\nmsgid \"" + id +
           "\"\nmsgstr \"" + str + "\"\n";
}

} // namespace

TEST(DialogueTranslationTest, TheTemplateHasOneEntryPerDistinctLine)
{
    NpcRecords records{};
    records[3].Phrase = 0;
    records[3].PhraseCnt = 2;
    records[7].Phrase = 3;
    records[7].PhraseCnt = 1;
    const DialogueSource source{QStringLiteral("057.edt"),
                                EdtText{cp("Привет"), cp("Ну?"), "   ", cp("Привет"), QByteArray("a\0b", 3)},
                                &records, QStringLiteral("Кузнец")};
    const DialogueTemplate made = dialogueTemplate({source}, QStringLiteral("test"));
    EXPECT_EQ(made.leftOut, 1);
    const QByteArray bytes = PoWriter::encode(made.catalogue);
    EXPECT_TRUE(bytes.contains("\"Content-Type: text/plain; charset=UTF-8\\n\"\n")) << bytes.constData();
    EXPECT_TRUE(bytes.endsWith("\n\n"
                               "#. Кузнец: записи 3, 7\n"
                               "#: 057.edt:0 057.edt:3\n"
                               "msgctxt \"057.edt\"\n"
                               "msgid \"Привет\"\n"
                               "msgstr \"\"\n"
                               "\n"
                               "#. Кузнец: запись 3\n"
                               "#: 057.edt:1\n"
                               "msgctxt \"057.edt\"\n"
                               "msgid \"Ну?\"\n"
                               "msgstr \"\"\n"))
        << bytes.constData();
    EXPECT_EQ(read(bytes).entries.size(), 3);

    // Many phrases of one text: the references wrap as gettext's do.
    EdtText same;
    for (int k = 0; k < 40; ++k)
        same.insertLine(k, "x");
    const QByteArray wrapped = PoWriter::encode(dialogueTemplate({{QStringLiteral("1.edt"), same, nullptr, {}}}, {}).catalogue);
    for (const QByteArray &line : wrapped.split('\n'))
        EXPECT_LE(line.size(), 79) << line.constData();
}

TEST(DialogueTranslationTest, FinishedTranslationsReplaceTheirLinesAndTheRestStays)
{
    const PoCatalogue po = read(Header + entry("057.edt", "Привет", "Hello") + entry("057.edt", "Ну?", "Well?", true) +
                                entry("057.edt", "Пока", "") + entry("058.edt", "Да", "Yes"));
    // A record read with leftovers after its end keeps them while its line stays.
    QByteArray odd = EdtWriter::encodeRecord(cp("Да"));
    odd[100] = 'z';
    QByteArray file = EdtWriter::encodeRecord(cp("Привет")) + EdtWriter::encodeRecord(cp("Ну?")) + odd +
                      EdtWriter::encodeRecord(cp("Пока")) + EdtWriter::encodeRecord("") +
                      EdtWriter::encodeRecord(cp("Привет"));
    const EdtText text = EdtReader::decode(file);
    const TranslatedText done = translateText(po, QStringLiteral("057.edt"), text);
    EXPECT_TRUE(done.refusals.isEmpty());
    EXPECT_EQ(done.counts.text(), QStringLiteral("переведено 2, без перевода 2, неточных 1"));
    EXPECT_EQ(done.text.lines(), (QList<QByteArray>{"Hello", cp("Ну?"), cp("Да"), cp("Пока"), "", "Hello"}));
    EXPECT_EQ(EdtWriter::encode(done.text).mid(2 * 480, 480), odd) << "another file's entry is not this one's";
    EXPECT_EQ(countTranslation(po, QStringLiteral("057.edt"), text).text(), done.counts.text());
}

TEST(DialogueTranslationTest, ATranslationThatDoesNotFitALineIsRefusedWithItsPoLine)
{
    const QByteArray tooLong(241, 'w');
    const PoCatalogue po = read(Header + entry("1.edt", "a", tooLong.constData()) + entry("1.edt", "b", "日本") +
                                entry("1.edt", "c", "two\\nlines") + entry("1.edt", "d", "bell\\a") +
                                entry("1.edt", "e", "fits"));
    const TranslatedText done = translateText(po, QStringLiteral("1.edt"), EdtText{"a", "b", "c", "d", "e", "a"});
    ASSERT_EQ(done.refusals.size(), 4) << "each entry once";
    EXPECT_EQ(done.refusals[0].poLine, 6);
    EXPECT_EQ(done.refusals[0].reason, QStringLiteral("Фраза длиннее 240 знаков: 241."));
    EXPECT_EQ(done.refusals[1].poLine, 10);
    EXPECT_EQ(done.refusals[1].reason,
              QStringLiteral("Знака «日» (U+65E5) нет в кодировке Windows-1251: в фразу его не записать."));
    EXPECT_EQ(done.refusals[2].reason,
              QStringLiteral("Фраза занимает одну строку: перевод строки в ней не записать."));
    EXPECT_EQ(done.refusals[3].reason, QStringLiteral("Знак 5 фразы — управляющий (код 7): игра его не покажет."));
}

TEST(DialogueTranslationTest, AnOldTranslationMergedByMsgmergeKeepsWhatStillHolds)
{
    REQUIRE_GETTEXT();
    QTemporaryDir dir;
    auto save = [&](const QString &name, const QByteArray &bytes) {
        QFile file(dir.filePath(name));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        return file.fileName();
    };
    const EdtText before{cp("Привет, путник"), cp("Куда идёшь?"), cp("Прощай")};
    PoCatalogue old = dialogueTemplate({{QStringLiteral("9.edt"), before, nullptr, {}}}, {}).catalogue;
    old.setTranslation(1, QStringLiteral("Hello, traveller"));
    old.setTranslation(2, QStringLiteral("Where are you going?"));
    old.setTranslation(3, QStringLiteral("Farewell"));
    const QString oldPath = save(QStringLiteral("en.po"), PoWriter::encode(old));

    // The text changed: one line a little, one gone, one new.
    const EdtText after{cp("Привет, путник!"), cp("Куда идёшь?"), cp("Совсем другое")};
    const QString potPath =
        save(QStringLiteral("new.pot"), PoWriter::encode(dialogueTemplate({{QStringLiteral("9.edt"), after, nullptr, {}}}, {}).catalogue));
    EXPECT_EQ(gettext(QStringLiteral("msgfmt"), {QStringLiteral("--check"), QStringLiteral("-o"),
                                                 QStringLiteral("/dev/null"), potPath})
                  .code,
              0);
    const GettextRun merged = gettext(QStringLiteral("msgmerge"), {QStringLiteral("--quiet"), oldPath, potPath});
    ASSERT_EQ(merged.code, 0) << merged.err.constData();
    const PoCatalogue po = read(merged.out);
    const TranslatedText done = translateText(po, QStringLiteral("9.edt"), after);
    EXPECT_EQ(done.counts.done, 1);
    EXPECT_EQ(done.text.at(1), "Where are you going?");
    EXPECT_EQ(done.text.at(0), cp("Привет, путник!")) << "a fuzzy match is not used";
    EXPECT_EQ(lookUpLine(po, QStringLiteral("9.edt"), after.at(0)).state, LineTranslation::Fuzzy);
    EXPECT_EQ(PoWriter::encode(po), merged.out);
}
