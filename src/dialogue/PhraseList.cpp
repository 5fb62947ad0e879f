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
    return {spoken, -1, std::move(why)};
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

// The numbers after a new line at k; the refusal when one would not fit its byte.
QString shiftForInsert(NpcRecords &records, qsizetype k)
{
    for (int i = 0; i < RecordCount; ++i) {
        NpcRecord &record = records[i];
        if (record.speaksNothing())
            continue;
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
    PhraseStep step{spoken, k, {}};
    step.result.text.setLine(k, line);
    return step;
}

PhraseStep insertLine(const SpokenText &spoken, qsizetype k, const QByteArray &line)
{
    if (k < 0 || k > spoken.text.size())
        return refused(spoken, noLineText(k));
    if (QString why = PhraseLine::problem(line); !why.isEmpty())
        return refused(spoken, why);
    PhraseStep step{spoken, k, {}};
    if (QString why = shiftForInsert(step.result.records, k); !why.isEmpty())
        return refused(spoken, why);
    step.result.text.insertLine(k, line);
    return step;
}

PhraseStep deleteLine(const SpokenText &spoken, qsizetype k)
{
    if (k < 0 || k >= spoken.text.size())
        return refused(spoken, noLineText(k));
    PhraseStep step{spoken, std::min(k, spoken.text.size() - 2), {}};
    for (NpcRecord &record : step.result.records) {
        if (record.speaksNothing())
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
    PhraseStep step{spoken, other, {}};
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
    const bool alone = record.speaksNothing();
    const qsizetype k = alone ? spoken.text.size() : lastOf(record) + 1;
    if (alone && k > MaxPhrase)
        return refused(spoken, phraseLimitText(index, k));
    if (k > spoken.text.size())
        return refused(spoken,
                       QStringLiteral("Фразы записи %1 (%2–%3) выходят за конец текста (строк: %4): новой "
                                      "фразе нет места после них.")
                           .arg(index)
                           .arg(record.Phrase)
                           .arg(lastOf(record))
                           .arg(spoken.text.size()));
    PhraseStep step = insertLine(spoken, k);
    if (!step.done())
        return step;
    NpcRecord &changed = step.result.records[index];
    if (alone) {
        changed.Phrase = quint8(k);
        changed.PhraseCnt = 1;
    } else if (changed.PhraseCnt == NoneByte) {
        return refused(spoken, countLimitText(index));
    } else {
        ++changed.PhraseCnt;
    }
    return step;
}

} // namespace PhraseList
