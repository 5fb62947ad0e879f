#pragma once

#include "spelling/SpellChecker.h"

#include <QList>
#include <QString>

#include <functional>
#include <optional>

class QFontMetrics;
class QMenu;
class QPainter;
class QRect;
class SessionSpelling;

// The red wavy lines under unknown words and the menu of suggestions, for the phrases
// table and the line being edited.
namespace SpellingMarks
{

// Under each word of the text drawn from `left` (which may lie left of the visible
// `clip` when the text is scrolled) with its baseline at `baseline`.
void underline(QPainter &painter, const QFontMetrics &metrics, const QRect &clip, int left, int baseline,
               const QString &text, const QList<Misspelling> &words);

// The unknown word under `x`, counted from where the text starts.
std::optional<Misspelling> wordAt(const QFontMetrics &metrics, const QString &text, const QList<Misspelling> &words,
                                  int x);

// The text with the word replaced.
QString replaced(const QString &text, const Misspelling &word, const QString &with);

// Up to seven suggestions, each calling `replace`, and "Добавить в словарь"; at the top of
// the menu. `failed` gets the message of a word that could not be kept.
void addSuggestions(QMenu &menu, SessionSpelling &spelling, const Misspelling &word,
                    const std::function<void(const QString &)> &replace,
                    const std::function<void(const QString &)> &failed);

} // namespace SpellingMarks
