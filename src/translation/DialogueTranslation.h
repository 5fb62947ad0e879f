#pragma once

#include "dialogue/EdtText.h"
#include "translation/PoCatalogue.h"

#include <QList>
#include <QString>

// How far a line of a dialogue file is translated by a catalogue.
enum class LineTranslation { None, Fuzzy, Done };

struct TranslationCounts {
    int done = 0;
    int none = 0;
    int fuzzy = 0;

    // "переведено 40, без перевода 3, неточных 2"
    QString text() const;
};

// The line's state and the entry that holds it (-1 when none does). A blank line has no
// entry and is not counted.
struct LineLookup {
    qsizetype entry = -1;
    LineTranslation state = LineTranslation::None;
    bool counted = false;
};
LineLookup lookUpLine(const PoCatalogue &catalogue, const QString &fileName, const QByteArray &line);

TranslationCounts countTranslation(const PoCatalogue &catalogue, const QString &fileName, const EdtText &text);

// Why a translation cannot be a line of the game's file; empty when it can, with `line`
// then holding its bytes.
QString translationProblem(const QString &translation, QByteArray &line);

struct TranslationRefusal {
    int poLine = 0; // the entry's msgstr
    QString reason;
};

// The file's lines with every finished translation in place of its line; lines left as
// they were keep the bytes they were read from.
struct TranslatedText {
    EdtText text;
    TranslationCounts counts;
    QList<TranslationRefusal> refusals; // nothing is to be written when there are any
};
TranslatedText translateText(const PoCatalogue &catalogue, const QString &fileName, const EdtText &text);
