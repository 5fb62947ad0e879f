#pragma once

#include "dialogue/EdtText.h"

#include <QString>

// Which lines of the dialogue text a record speaks, and whether its phrase count runs
// past the end of the text.
struct PhraseSelection {
    static constexpr quint8 NoPhrase = 255;

    qsizetype first = 0;
    qsizetype count = 0; // lines first .. first + count - 1, all within the text
    bool countFrameRed = false;

    bool operator==(const PhraseSelection &) const = default;
};

PhraseSelection selectPhrases(quint8 phrase, quint8 phraseCnt, qsizetype lineCount);

// The memo text: each selected line followed by CR LF CR LF, decoded for display.
QString phraseMemoText(const EdtText &text, const PhraseSelection &selection);

// A dialogue line or export decoded from Windows-1251 for display; a byte 0 shows as a
// blank instead of cutting the text short.
QString edtDisplayText(QByteArray bytes);
