#include "dialogue/PhraseSelection.h"

#include "common/Windows1251.h"

#include <algorithm>

PhraseSelection selectPhrases(quint8 phrase, quint8 phraseCnt, qsizetype lineCount)
{
    PhraseSelection selection;
    if (phrase == PhraseSelection::NoPhrase || phraseCnt == 0)
        return selection;
    // No 8-bit wrap: phrase 250 with count 10 asks for lines 250 to 259.
    const qsizetype end = qsizetype(phrase) + phraseCnt;
    selection.first = phrase;
    selection.count = std::max<qsizetype>(0, std::min(end, lineCount) - phrase);
    selection.countFrameRed = end > lineCount;
    return selection;
}

QString phraseMemoText(const EdtText &text, const PhraseSelection &selection)
{
    QByteArray bytes;
    for (qsizetype k = selection.first; k < selection.first + selection.count; ++k) {
        bytes += text.at(k);
        bytes += "\r\n\r\n";
    }
    return edtDisplayText(std::move(bytes));
}

QString edtDisplayText(QByteArray bytes)
{
    bytes.replace('\0', ' ');
    return fromWindows1251(bytes);
}
