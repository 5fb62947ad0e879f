#include "common/Windows1251.h"
#include "dialogue/TextReplace.h"
#include "support/QtPrinters.h"

#include <gtest/gtest.h>

namespace
{

QByteArray cp(const QString &text)
{
    return toWindows1251(text);
}

struct Case {
    const char *name;
    ReplaceOptions options;
    QString line;
    QString after; // empty: the line does not change
};

} // namespace

TEST(TextReplaceTest, ReplacesEveryMatchAsAsked)
{
    const Case cases[] = {
        {"plain, each match", {QStringLiteral("Иван"), QStringLiteral("Пётр")}, QStringLiteral("Иван и Иванко"), QStringLiteral("Пётр и Пётрко")},
        {"plain is case-sensitive", {QStringLiteral("иван"), QStringLiteral("Пётр")}, QStringLiteral("Иван"), {}},
        {"Cyrillic case folded", {QStringLiteral("иВАН"), QStringLiteral("Пётр"), false, true}, QStringLiteral("ИВАН, иван"), QStringLiteral("Пётр, Пётр")},
        {"е finds ё with --yo", {QStringLiteral("ежик"), QStringLiteral("ёж"), false, false, true}, QStringLiteral("Ёжик и ёжик"), QStringLiteral("Ёжик и ёж")},
        {"ё finds е with --yo, the rest kept", {QStringLiteral("ЁЛКА"), QStringLiteral("ель"), false, true, true}, QStringLiteral("елка, Ёлка"),
         QStringLiteral("ель, ель")},
        {"without --yo е is not ё", {QStringLiteral("ежик"), QStringLiteral("ёж")}, QStringLiteral("ёжик"), {}},
        {"plain takes regex signs as they are", {QStringLiteral("a.b"), QStringLiteral("x")}, QStringLiteral("a.b acb"), QStringLiteral("x acb")},
        {"plain takes \\1 as it is", {QStringLiteral("a"), QStringLiteral("\\1")}, QStringLiteral("a"), QStringLiteral("\\1")},
        {"regex groups, from the line itself with --yo",
         {QStringLiteral("(\\w+)-(е)"), QStringLiteral("\\2 \\1\\\\"), true, false, true},
         QStringLiteral("дом-ё"),
         QStringLiteral("ё дом\\")},
        {"regex \\w takes Cyrillic", {QStringLiteral("\\bкот\\b"), QStringLiteral("пёс"), true}, QStringLiteral("кот котёл"), QStringLiteral("пёс котёл")},
        {"a match of no characters changes nothing", {QStringLiteral("(?=к)"), QStringLiteral("X"), true}, QStringLiteral("кот"), {}},
        {"the same text is no change", {QStringLiteral("а"), QStringLiteral("а")}, QStringLiteral("мама"), {}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        const TextReplacer replacer(c.options);
        ASSERT_EQ(replacer.problem(), QString());
        const auto result = replacer.replace(7, cp(c.line));
        if (c.after.isEmpty()) {
            EXPECT_FALSE(result);
            continue;
        }
        ASSERT_TRUE(result);
        EXPECT_EQ(result->phrase, 7);
        EXPECT_EQ(result->before, cp(c.line));
        EXPECT_EQ(result->after, cp(c.after));
        EXPECT_EQ(result->refusal, QString());
    }
}

TEST(TextReplaceTest, RefusesWhatCannotBeUsed)
{
    EXPECT_NE(TextReplacer({{}, QStringLiteral("x")}).problem(), QString());
    EXPECT_TRUE(TextReplacer({QStringLiteral("("), QStringLiteral("x"), true}).problem().startsWith(QStringLiteral("Регулярное выражение не разобрать")));
    for (const QString &empty : {QStringLiteral("a*"), QStringLiteral("^"), QStringLiteral("(x)?")}) {
        const TextReplacer replacer({empty, QStringLiteral("x"), true});
        EXPECT_TRUE(replacer.problem().contains(QStringLiteral("пустой строкой"))) << empty.toStdString();
        EXPECT_FALSE(replacer.replace(0, "abc"));
    }
    EXPECT_TRUE(TextReplacer({QStringLiteral("日"), QStringLiteral("x")}).problem().contains(QStringLiteral("U+65E5")));
    EXPECT_EQ(TextReplacer({QStringLiteral("(а)б"), QStringLiteral("\\1\\2"), true}).problem(),
              QStringLiteral("В замене \\2, а групп в скобках в выражении 1."));
    EXPECT_EQ(TextReplacer({QStringLiteral("аб"), QStringLiteral("\\\\1"), true}).problem(), QString()) << "a backslash, then 1";
}

TEST(TextReplaceTest, RefusesResultsThatCannotBePhrases)
{
    const QByteArray line(200, 'a');
    const auto longer = TextReplacer({QStringLiteral("a"), QStringLiteral("bb")}).replace(0, line);
    ASSERT_TRUE(longer);
    EXPECT_TRUE(longer->refused());
    EXPECT_EQ(longer->afterText, QString(400, u'b'));
    EXPECT_TRUE(TextReplacer({QStringLiteral("a"), QStringLiteral("日")}).replace(0, "a")->refusal.contains(QStringLiteral("Windows-1251")));
    EXPECT_TRUE(TextReplacer({QStringLiteral("a"), QStringLiteral("\n")}).replace(0, "a")->refused());
    EXPECT_TRUE(TextReplacer({QStringLiteral("a"), QString(QChar(7))}).replace(0, "a")->refused());
}

TEST(TextReplaceTest, TheTextKeepsRefusedAndOtherLines)
{
    const EdtText text{cp(QStringLiteral("кот")), "dog", QByteArray(239, 'x') + cp(QStringLiteral("кот")).left(1)};
    const TextReplacer replacer({QStringLiteral("к"), QStringLiteral("кк")});
    const QList<LineReplacement> lines = replacer.replaceAll(text);
    ASSERT_EQ(lines.size(), 2);
    EXPECT_EQ(lines[0].phrase, 0);
    EXPECT_EQ(lines[1].phrase, 2);
    EXPECT_TRUE(lines[1].refused());
    const EdtText after = withReplacements(text, lines);
    EXPECT_EQ(after.at(0), cp(QStringLiteral("ккот")));
    EXPECT_EQ(after.at(1), text.at(1));
    EXPECT_EQ(after.at(2), text.at(2));
}
