#pragma once

#include "dialogue/EdtText.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <memory>

struct ReferenceLists;
class SpellChecker;

// The names of characters and items, which no dictionary knows: never flagged.
QStringList spellingKnownNames(const ReferenceLists &lists);

// The language's dictionary with the lists' names and the personal words known, for
// the editor and the command line alike; nothing, with the reason, when the dictionary
// cannot be read. A personal list that cannot be read is a warning.
std::shared_ptr<SpellChecker> openSpellChecker(const QString &language, const ReferenceLists &lists,
                                               const QString &personalPath, QString &error, QString &warning);

// An unknown word of a phrase.
struct SpellingNote {
    qsizetype phrase = 0;
    QString word;
    QStringList suggestions; // the first few; empty when not asked for

    bool operator==(const SpellingNote &) const = default;
};

// "неизвестное слово «Превет»; может быть: Привет, Пребет".
QString spellingNoteText(const SpellingNote &note);

// The unknown words of a dialogue text, a number of lines a step, so that a window can
// check a long text and stay responsive.
class SpellingScan
{
public:
    SpellingScan(const SpellChecker &checker, EdtText text, bool suggest);

    // Checks up to `lines` more lines; true once the whole text is checked.
    bool step(qsizetype lines);
    bool isDone() const { return m_next >= m_text.size(); }
    const QList<SpellingNote> &notes() const { return m_notes; }

    // The whole text at once.
    static QList<SpellingNote> all(const SpellChecker &checker, const EdtText &text, bool suggest);

private:
    const SpellChecker &m_checker;
    EdtText m_text;
    bool m_suggest;
    qsizetype m_next = 0;
    QList<SpellingNote> m_notes;
};
