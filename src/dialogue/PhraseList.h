#pragma once

#include "dialogue/EdtText.h"
#include "document/NpcScriptDocument.h"

#include <QList>
#include <QString>

// A script's records and the dialogue text they speak, changed together.
struct SpokenText {
    NpcRecords records{};
    EdtText text;

    bool operator==(const SpokenText &) const = default;
};

// The outcome of a step on the phrases: the records and text after it and the line it
// ends at; or, when refused, why, with `result` the input unchanged.
struct PhraseStep {
    SpokenText result;
    qsizetype line = -1;
    QString refusal;
    QString note; // what the step did besides what was asked, for the status bar

    bool done() const { return refusal.isEmpty(); }
};

// The steps on the lines of the dialogue text, with the phrase numbers of the records
// kept so that every record speaks the same words. A record that speaks nothing (no
// phrase, or a count of 0) is never changed; a phrase number stays at or below 254,
// since 255 means none.
namespace PhraseList
{

constexpr int MaxPhrase = 254;

// The records that speak line k, in record order; and as "3, 7".
QList<int> speakers(const NpcRecords &records, qsizetype k);
QString speakersText(const NpcRecords &records, qsizetype k);
QString speakersText(const QList<int> &speakers);

// The text of line k, checked as PhraseLine checks it.
PhraseStep editLine(const SpokenText &spoken, qsizetype k, const QByteArray &line);
// Phrase numbers at or past the end of the text were given before their lines were
// written: steps on the lines leave them alone, and the text grows into them.

// A new line before line k (k may be the line count): the phrases from k on move one on,
// and a block of phrases holding line k and one before it grows by the new line.
PhraseStep insertLine(const SpokenText &spoken, qsizetype k, const QByteArray &line = {});
// Removes line k: the phrases after it move one back and the blocks holding it shrink;
// a block left with no line speaks nothing.
PhraseStep deleteLine(const SpokenText &spoken, qsizetype k);
// Line k changes places with line k + delta (delta -1 or +1). A one-line block follows
// its line; a block holding both keeps its numbers; a line cannot move into or out of a
// block of more than one line, since that block's words would change.
PhraseStep moveLine(const SpokenText &spoken, qsizetype k, int delta);
// A new empty line for the record: right after its last phrase, or, when it speaks
// nothing, after the end of the text and every phrase numbered, which it then speaks
// alone. A record whose phrases lie past the end of the text gets them instead, as
// blank lines, and its numbers stay.
PhraseStep addPhrase(const SpokenText &spoken, int record);
// A new empty line at the end of the text, for no record in particular; a record whose
// phrase number was given before speaks it.
PhraseStep appendLine(const SpokenText &spoken);

} // namespace PhraseList
