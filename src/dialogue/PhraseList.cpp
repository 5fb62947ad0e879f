#include "dialogue/PhraseList.h"

#include "dialogue/PhraseLine.h"

#include <QStringList>

namespace PhraseList
{

namespace
{

qsizetype lastOf(const NpcRecord &record)
{
    return qsizetype(record.Phrase) + record.PhraseCnt - 1;
}

bool holds(const NpcRecord &record, qsizetype k)
{
    return !record.speaksNothing() && record.Phrase <= k && k <= lastOf(record);
}

PhraseStep refused(const SpokenText &spoken, QString why)
{
    return {spoken, -1, std::move(why), {}};
}

QString phraseLimitText(int record, qsizetype phrase)
{
    return QStringLiteral("Запись %1 начинала бы с фразы %2, а номер фразы не может быть больше %3.")
        .arg(record)
        .arg(phrase)
        .arg(MaxPhrase);
}

QString countLimitText(int record)
{
    return QStringLiteral("Запись %1 произносила бы больше %2 фраз.").arg(record).arg(NoneByte);
}

QString noLineText(qsizetype k)
{
    return QStringLiteral("Фразы %1 нет.").arg(k);
}

// Phrases numbered before their lines are written: the text grows into them, and no
// step on the lines before moves them.
bool plannedBeyond(const NpcRecord &record, qsizetype lines)
{
    return record.Phrase >= lines;
}

// The numbers after a new line at k in a text of that many lines; the refusal when one
// would not fit its byte.
QString shiftForInsert(NpcRecords &records, qsizetype k, qsizetype lines)
{
    for (int i = 0; i < RecordCount; ++i) {
        NpcRecord &record = records[i];
        if (record.speaksNothing() || plannedBeyond(record, lines))
            continue;
        if (k == lines)
            continue; // a line at the end is one a block planned beyond it, if any
        if (record.Phrase >= k) {
            if (record.Phrase + 1 > MaxPhrase)
                return phraseLimitText(i, record.Phrase + 1);
            ++record.Phrase;
        } else if (lastOf(record) >= k) {
            if (record.PhraseCnt == NoneByte)
                return countLimitText(i);
            ++record.PhraseCnt;
        }
    }
    return {};
}

// Blank lines up to (not including) line `end`; the records stay as they are.
PhraseStep extendText(const SpokenText &spoken, qsizetype end)
{
    PhraseStep step{spoken, -1, {}, {}};
    for (qsizetype k = spoken.text.size(); k < end; ++k)
        step.result.text.insertLine(k, {});
    return step;
}

// One past the last phrase numbered by any record.
qsizetype plannedEnd(const NpcRecords &records)
{
    qsizetype end = 0;
    for (const NpcRecord &record : records) {
        if (!record.speaksNothing())
            end = std::max(end, lastOf(record) + 1);
    }
    return end;
}

// "5" or "5–9".
QString lineRange(qsizetype first, qsizetype last)
{
    return first == last ? QString::number(first) : QStringLiteral("%1–%2").arg(first).arg(last);
}

} // namespace

QList<int> speakers(const NpcRecords &records, qsizetype k)
{
    QList<int> found;
    for (int i = 0; i < RecordCount; ++i) {
        if (holds(records[i], k))
            found << i;
    }
    return found;
}

QString speakersText(const NpcRecords &records, qsizetype k)
{
    return speakersText(speakers(records, k));
}

QString speakersText(const QList<int> &speakers)
{
    QStringList numbers;
    for (int i : speakers)
        numbers << QString::number(i);
    return numbers.join(QStringLiteral(", "));
}

PhraseStep editLine(const SpokenText &spoken, qsizetype k, const QByteArray &line)
{
    if (k < 0 || k >= spoken.text.size())
        return refused(spoken, noLineText(k));
    if (QString why = PhraseLine::problem(line); !why.isEmpty())
        return refused(spoken, why);
    PhraseStep step{spoken, k, {}, {}};
    step.result.text.setLine(k, line);
    return step;
}

PhraseStep insertLine(const SpokenText &spoken, qsizetype k, const QByteArray &line)
{
    if (k < 0 || k > spoken.text.size())
        return refused(spoken, noLineText(k));
    if (QString why = PhraseLine::problem(line); !why.isEmpty())
        return refused(spoken, why);
    PhraseStep step{spoken, k, {}, {}};
    if (QString why = shiftForInsert(step.result.records, k, spoken.text.size()); !why.isEmpty())
        return refused(spoken, why);
    step.result.text.insertLine(k, line);
    return step;
}

PhraseStep deleteLine(const SpokenText &spoken, qsizetype k)
{
    if (k < 0 || k >= spoken.text.size())
        return refused(spoken, noLineText(k));
    PhraseStep step{spoken, std::min(k, spoken.text.size() - 2), {}, {}};
    for (NpcRecord &record : step.result.records) {
        if (record.speaksNothing() || plannedBeyond(record, spoken.text.size()))
            continue;
        if (record.Phrase > k) {
            --record.Phrase;
        } else if (lastOf(record) >= k && --record.PhraseCnt == 0) {
            // As the editor shows a record without a phrase.
            record.Phrase = NoneByte;
            record.PhraseCnt = 1;
        }
    }
    step.result.text.removeLine(k);
    return step;
}

PhraseStep moveLine(const SpokenText &spoken, qsizetype k, int delta)
{
    Q_ASSERT(delta == -1 || delta == 1);
    if (k < 0 || k >= spoken.text.size())
        return refused(spoken, noLineText(k));
    const qsizetype other = k + delta;
    if (other < 0)
        return refused(spoken, QStringLiteral("Фраза %1 уже первая.").arg(k));
    if (other >= spoken.text.size())
        return refused(spoken, QStringLiteral("Фраза %1 уже последняя.").arg(k));
    const qsizetype upper = std::min(k, other);
    PhraseStep step{spoken, other, {}, {}};
    for (int i = 0; i < RecordCount; ++i) {
        NpcRecord &record = step.result.records[i];
        const bool first = holds(record, upper);
        const bool second = holds(record, upper + 1);
        if (first == second)
            continue;
        if (record.PhraseCnt > 1)
            return refused(spoken,
                           QStringLiteral("Запись %1 произносит фразы %2–%3: сдвиг перенёс бы фразу в этот "
                                          "ряд или из него, и её слова изменились бы.")
                               .arg(i)
                               .arg(record.Phrase)
                               .arg(lastOf(record)));
        const qsizetype moved = first ? upper + 1 : upper;
        if (moved > MaxPhrase)
            return refused(spoken, phraseLimitText(i, moved));
        record.Phrase = quint8(moved);
    }
    step.result.text.swapLines(upper);
    return step;
}

PhraseStep addPhrase(const SpokenText &spoken, int index)
{
    const NpcRecord &record = spoken.records.at(index);
    const qsizetype lines = spoken.text.size();
    if (!record.speaksNothing() && lastOf(record) >= lines) {
        // Phrases numbered before the text was written: the text grows up to them.
        PhraseStep step = extendText(spoken, lastOf(record) + 1);
        step.line = std::max<qsizetype>(record.Phrase, lines);
        step.note = QStringLiteral("Текст дополнен пустыми фразами %1 до фраз записи %2.")
                        .arg(lineRange(lines, lastOf(record)))
                        .arg(index);
        return step;
    }
    const bool alone = record.speaksNothing();
    // A record without phrases gets a line after every phrase numbered so far.
    const qsizetype k = alone ? std::max(lines, plannedEnd(spoken.records)) : lastOf(record) + 1;
    if (alone && k > MaxPhrase)
        return refused(spoken, phraseLimitText(index, k));
    PhraseStep step = insertLine(extendText(spoken, k).result, k);
    if (!step.done())
        return refused(spoken, step.refusal);
    NpcRecord &changed = step.result.records[index];
    if (alone) {
        changed.Phrase = quint8(k);
        changed.PhraseCnt = 1;
    } else if (changed.PhraseCnt == NoneByte) {
        return refused(spoken, countLimitText(index));
    } else {
        ++changed.PhraseCnt;
    }
    if (k > lines)
        step.note = QStringLiteral("Текст дополнен пустыми фразами %1: их номера уже даны записям.")
                        .arg(lineRange(lines, k - 1));
    const QList<int> also = speakers(step.result.records, k);
    if (also.size() > 1)
        step.note = QStringLiteral("Новую фразу %1 произносят записи %2: их номера фраз указывали за конец текста.")
                        .arg(k)
                        .arg(speakersText(also));
    return step;
}

PhraseStep appendLine(const SpokenText &spoken)
{
    PhraseStep step = insertLine(spoken, spoken.text.size());
    if (step.done()) {
        if (const QString who = speakersText(step.result.records, step.line); !who.isEmpty())
            step.note = QStringLiteral("Фразу %1 произносит запись %2: номер был дан ей заранее.").arg(step.line).arg(who);
    }
    return step;
}

} // namespace PhraseList
