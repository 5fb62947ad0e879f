#pragma once

#include "dialogue/EdtText.h"

#include <QByteArray>
#include <QList>
#include <QRegularExpression>
#include <QString>

#include <optional>

// What to replace with what, as the user asked for it.
struct ReplaceOptions {
    QString text;
    QString with;
    bool regex = false;      // Qt's regular expressions; \1 in `with` is the first group
    bool ignoreCase = false; // Cyrillic letters too
    bool yo = false;         // е and ё match each other
};

// One line that holds a match: its bytes before and after. A result that cannot be a
// phrase is refused, with `afterText` what it would have been.
struct LineReplacement {
    qsizetype phrase = 0;
    QByteArray before;
    QByteArray after;
    QString afterText;
    QString refusal;

    bool refused() const { return !refusal.isEmpty(); }
    bool operator==(const LineReplacement &) const = default;
};

// The replacement itself, for the editor and the command line alike. Lines are compared
// as the user reads them (Windows-1251); a match of no characters changes nothing.
class TextReplacer
{
public:
    explicit TextReplacer(const ReplaceOptions &options);

    // Why the options cannot be used (empty text, a pattern that does not compile or
    // matches nothing at all); empty when they can.
    const QString &problem() const { return m_problem; }

    // The line with every match replaced; nothing when none matched.
    std::optional<LineReplacement> replace(qsizetype phrase, const QByteArray &line) const;
    // Every line of the text that matches, in line order.
    QList<LineReplacement> replaceAll(const EdtText &text) const;

private:
    QString substitute(const QString &original, const QRegularExpressionMatch &match) const;

    QRegularExpression m_pattern;
    QString m_with;
    bool m_regex = false;
    bool m_yo = false;
    QString m_problem;
};

// The text with the lines replaced; refused lines are left as they are.
EdtText withReplacements(EdtText text, const QList<LineReplacement> &lines);
