#pragma once

#include <QHash>
#include <QList>
#include <QSet>
#include <QString>
#include <QStringList>
#include <QStringView>

#include <memory>

class SpellDictionary;

// A word the dictionary does not know, where it stands in the line.
struct Misspelling {
    qsizetype start = 0;
    qsizetype length = 0;
    QString word;

    bool operator==(const Misspelling &) const = default;
};

// Finds the unknown words of a line. Not flagged: single letters, words with a digit,
// words that mix Latin and Cyrillic letters (names and codes of the game), and the known
// words given (the lists' names, the personal list). е and ё are one letter. Each word
// is asked of the dictionary once, so that a long text costs what its distinct words do.
class SpellChecker
{
public:
    static constexpr int MaxSuggestions = 7;

    explicit SpellChecker(std::shared_ptr<SpellDictionary> dictionary);

    // The words of a line: runs of letters and digits, an apostrophe between letters
    // included; as start and length.
    static QList<std::pair<qsizetype, qsizetype>> words(QStringView line);

    // Each word of each text is known from now on.
    void addKnownWords(const QStringList &texts);
    bool isKnown(const QString &word) const;
    QList<Misspelling> check(QStringView line) const;
    QStringList suggestions(const QString &word) const;

    const SpellDictionary &dictionary() const { return *m_dictionary; }

private:
    bool lookUp(const QString &word) const;

    std::shared_ptr<SpellDictionary> m_dictionary;
    QSet<QString> m_known; // folded: lower case, ё as е
    mutable QHash<QString, bool> m_asked;
    mutable QHash<QString, QStringList> m_suggested;
};
