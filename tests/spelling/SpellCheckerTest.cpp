#include "spelling/PersonalWords.h"
#include "spelling/SpellChecker.h"
#include "spelling/SpellDictionary.h"
#include "support/QtPrinters.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace
{

std::shared_ptr<SpellDictionary> dictionary(const QString &language)
{
    auto d = std::make_shared<SpellDictionary>();
    EXPECT_TRUE(d->load(language)) << d->errorString().toStdString();
    return d;
}

void writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

} // namespace

TEST(SpellCheckerTest, SplitsALineIntoWords)
{
    const QString line = QStringLiteral("Don't — «ёж»,кот2 и-то");
    QStringList words;
    for (const auto &[start, length] : SpellChecker::words(line))
        words << line.mid(start, length);
    EXPECT_EQ(words, (QStringList{QStringLiteral("Don't"), QStringLiteral("ёж"), QStringLiteral("кот2"),
                                  QStringLiteral("и"), QStringLiteral("то")}));
}

TEST(SpellCheckerTest, FlagsOnlyWordsNoDictionaryOrListKnows)
{
    SpellChecker checker(dictionary(QStringLiteral("ru_RU")));
    checker.addKnownWords({QStringLiteral("Гронбальд Железнобокий"), QStringLiteral("Ёрмунганд")});
    const struct {
        const char *word;
        bool known;
    } cases[] = {
        {"привет", true},      {"Привет", true},     {"ПРИВЕТ", true},   {"превет", false},
        {"ёлка", true},        {"елка", true},       {"Ещё", true},      {"еще", true},
        {"x", true},           {"ж", true},          {"2024", true},     {"кот2", true},
        {"Kорван", true},      {"гронбальд", true},  {"Железнобокий", true},
        {"Ермунганд", true},   {"Корвань", false},
    };
    for (const auto &c : cases)
        EXPECT_EQ(checker.isKnown(QString::fromUtf8(c.word)), c.known) << c.word;

    const QString line = QStringLiteral("Превет, Гронбальд! Превет");
    EXPECT_EQ(checker.check(line), (QList<Misspelling>{{0, 6, QStringLiteral("Превет")},
                                                       {19, 6, QStringLiteral("Превет")}}));
    const QStringList suggestions = checker.suggestions(QStringLiteral("превет"));
    EXPECT_TRUE(suggestions.contains(QStringLiteral("привет"))) << suggestions.join(u',').toStdString();
    EXPECT_LE(suggestions.size(), SpellChecker::MaxSuggestions);
}

TEST(SpellCheckerTest, OtherLanguagesHaveTheirOwnWords)
{
    SpellChecker checker(dictionary(QStringLiteral("en_US")));
    EXPECT_TRUE(checker.isKnown(QStringLiteral("hello")));
    EXPECT_TRUE(checker.isKnown(QStringLiteral("don't")));
    EXPECT_FALSE(checker.isKnown(QStringLiteral("helo")));
    EXPECT_FALSE(checker.isKnown(QStringLiteral("привет")));
}

TEST(SpellCheckerTest, ADictionaryThatCannotBeReadIsSaidWithTheWayOut)
{
    QTemporaryDir dir;
    SpellDictionary missing;
    EXPECT_FALSE(missing.load(QStringLiteral("ru_RU"), {dir.path()}));
#ifdef Q_OS_WIN
    EXPECT_EQ(missing.errorString(), QStringLiteral("Нет словаря ru_RU для проверки орфографии: положите файлы "
                                                    "ru_RU.aff и ru_RU.dic в папку %1.")
                                         .arg(QDir::toNativeSeparators(dir.path())));
#else
    EXPECT_EQ(missing.errorString(),
              QStringLiteral("Нет словаря ru_RU для проверки орфографии: установите пакет hunspell-ru."));
#endif
    EXPECT_FALSE(missing.spell(QStringLiteral("привет")));
    EXPECT_TRUE(missing.suggest(QStringLiteral("превет")).isEmpty());
    EXPECT_FALSE(missing.load(QStringLiteral("en_US"), {dir.path()}));
#ifndef Q_OS_WIN
    EXPECT_TRUE(missing.errorString().endsWith(QStringLiteral("hunspell-en-us.")));
#endif
    EXPECT_FALSE(missing.load(QStringLiteral("../etc/passwd"), {dir.path()}));

    // A folder where the word list should be, and a list in an encoding not read.
    writeFile(dir.filePath(QStringLiteral("xx_XX.aff")), "SET UTF-8\n");
    QDir(dir.path()).mkdir(QStringLiteral("xx_XX.dic"));
    EXPECT_FALSE(missing.load(QStringLiteral("xx_XX"), {dir.path()}));
    EXPECT_TRUE(missing.errorString().startsWith(QStringLiteral("Словарь xx_XX не прочитать"))) << missing.errorString().toStdString();
    writeFile(dir.filePath(QStringLiteral("yy_YY.aff")), "SET KOI8-R\n");
    writeFile(dir.filePath(QStringLiteral("yy_YY.dic")), "1\nслово\n");
    EXPECT_FALSE(missing.load(QStringLiteral("yy_YY"), {dir.path()}));
    EXPECT_TRUE(missing.errorString().contains(QStringLiteral("KOI8-R")));
    EXPECT_FALSE(missing.isLoaded());
}

TEST(SpellCheckerTest, PersonalWordsAreKeptOneALine)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("sub/words.txt"));
    QStringList words{QStringLiteral("old")};
    QString error;
    EXPECT_TRUE(PersonalWords::read(path, words, error));
    EXPECT_TRUE(words.isEmpty()) << "no file yet is no word yet";
    ASSERT_TRUE(PersonalWords::add(path, QStringLiteral("Корвань"), error)) << error.toStdString();
    writeFile(path, "Корвань\nбез конца"); // a last line without its end
    ASSERT_TRUE(PersonalWords::add(path, QStringLiteral("ёрш"), error));
    ASSERT_TRUE(PersonalWords::read(path, words, error));
    EXPECT_EQ(words, (QStringList{QStringLiteral("Корвань"), QStringLiteral("без конца"), QStringLiteral("ёрш")}));

    QDir(dir.path()).mkdir(QStringLiteral("folder.txt"));
    EXPECT_FALSE(PersonalWords::read(dir.filePath(QStringLiteral("folder.txt")), words, error));
    EXPECT_FALSE(error.isEmpty());
}
