#include "spelling/SpellChecker.h"

#include "spelling/SpellDictionary.h"

namespace
{

bool isCyrillic(QChar c)
{
    return c.script() == QChar::Script_Cyrillic;
}

bool isLatin(QChar c)
{
    return c.script() == QChar::Script_Latin;
}

QString folded(const QString &word)
{
    QString result = word.toLower();
    result.replace(u'ё', u'е');
    return result;
}

bool isWordChar(QChar c)
{
    return c.isLetterOrNumber() || c.isMark();
}

bool isApostrophe(QChar c)
{
    return c == u'\'' || c == u'’';
}

// Words spelled with е where the dictionary has ё: each е may be either; a word with
// more than a few е is taken as written.
bool knownWithYo(const SpellDictionary &dictionary, const QString &word)
{
    QList<qsizetype> places;
    for (qsizetype i = 0; i < word.size(); ++i) {
        if (word.at(i) == u'е' || word.at(i) == u'Е')
            places << i;
    }
    if (places.isEmpty() || places.size() > 4)
        return false;
    for (int mask = 1; mask < (1 << places.size()); ++mask) {
        QString variant = word;
        for (qsizetype p = 0; p < places.size(); ++p) {
            if (mask & (1 << p))
                variant[places.at(p)] = variant.at(places.at(p)) == u'е' ? u'ё' : u'Ё';
        }
        if (dictionary.spell(variant))
            return true;
    }
    return false;
}

} // namespace

SpellChecker::SpellChecker(std::shared_ptr<SpellDictionary> dictionary) : m_dictionary(std::move(dictionary)) {}

QList<std::pair<qsizetype, qsizetype>> SpellChecker::words(QStringView line)
{
    QList<std::pair<qsizetype, qsizetype>> found;
    qsizetype i = 0;
    while (i < line.size()) {
        if (!isWordChar(line.at(i))) {
            ++i;
            continue;
        }
        const qsizetype start = i;
        while (i < line.size() && (isWordChar(line.at(i)) ||
                                   (isApostrophe(line.at(i)) && i + 1 < line.size() && line.at(i + 1).isLetter() &&
                                    line.at(i - 1).isLetter())))
            ++i;
        found.append({start, i - start});
    }
    return found;
}

void SpellChecker::addKnownWords(const QStringList &texts)
{
    for (const QString &text : texts) {
        for (const auto &[start, length] : words(text))
            m_known.insert(folded(text.mid(start, length)));
    }
}

bool SpellChecker::isKnown(const QString &word) const
{
    if (word.size() < 2)
        return true;
    bool cyrillic = false;
    bool latin = false;
    for (const QChar c : word) {
        if (c.isDigit())
            return true;
        cyrillic = cyrillic || isCyrillic(c);
        latin = latin || isLatin(c);
    }
    if (cyrillic && latin)
        return true;
    const QString key = folded(word);
    if (m_known.contains(key))
        return true;
    const auto asked = m_asked.constFind(word);
    if (asked != m_asked.constEnd())
        return *asked;
    const bool known = lookUp(word);
    m_asked.insert(word, known);
    return known;
}

bool SpellChecker::lookUp(const QString &word) const
{
    if (m_dictionary->spell(word))
        return true;
    QString plain = word;
    plain.replace(u'ё', u'е').replace(u'Ё', u'Е');
    if (plain != word && m_dictionary->spell(plain))
        return true;
    return knownWithYo(*m_dictionary, plain);
}

QList<Misspelling> SpellChecker::check(QStringView line) const
{
    QList<Misspelling> found;
    for (const auto &[start, length] : words(line)) {
        const QString word = line.mid(start, length).toString();
        if (!isKnown(word))
            found.append({start, length, word});
    }
    return found;
}

QStringList SpellChecker::suggestions(const QString &word) const
{
    auto found = m_suggested.constFind(word);
    if (found == m_suggested.constEnd())
        found = m_suggested.insert(word, m_dictionary->suggest(word).mid(0, MaxSuggestions));
    return *found;
}
