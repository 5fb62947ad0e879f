#include "dialogue/EdtReader.h"
#include "dialogue/EdtWriter.h"
#include "dialogue/PhraseList.h"
#include "document/NpcFile.h"

#include <gtest/gtest.h>

#include <optional>
#include <random>

// Random steps on random scripts: every record speaks the same words after a step, in
// the new order where lines of its own changed places, with a new line where one was
// put inside its phrases. Every line is unique, so the words tell the lines; some lines come from records
// that encoding would not give back, and the file has a tail, so that undo is checked byte for byte.
namespace
{

class Random
{
public:
    explicit Random(unsigned seed) : m_rng(seed) {}
    int pick(int low, int high) { return std::uniform_int_distribution<int>(low, high)(m_rng); }

private:
    std::mt19937 m_rng;
};

void putUnit(QByteArray &record, int index, quint16 unit)
{
    record[2 * index] = char(unit & 0xFF);
    record[2 * index + 1] = char(unit >> 8);
}

// A file of unique lines "L<n> x", some with leftovers after the end or a blank as 0x0021.
QByteArray randomFile(Random &random, int lines)
{
    QByteArray file;
    for (int k = 0; k < lines; ++k) {
        const QByteArray text = "L" + QByteArray::number(k) + " x";
        QByteArray record = EdtWriter::encodeRecord(text);
        const int odd = random.pick(0, 5);
        if (odd == 0)
            putUnit(record, int(text.size()) + 1, quint16(random.pick(1, 0xFFFF)));
        else if (odd == 1)
            putUnit(record, int(text.size()) - 2, 0x0021);
        file += record;
    }
    return file + QByteArray(random.pick(0, 3), '\x07');
}

SpokenText randomScript(Random &random)
{
    const int lines = random.pick(0, 9) == 0 ? random.pick(240, 300) : random.pick(0, 40);
    SpokenText spoken;
    spoken.text = EdtReader::decode(randomFile(random, lines));
    for (NpcRecord &record : spoken.records) {
        const int kind = random.pick(0, 9);
        if (kind < 2)
            continue; // empty
        record.initialise();
        record.Action = quint8(random.pick(1, 20));
        if (kind == 2) {
            record.PhraseCnt = quint8(random.pick(0, 9)); // no phrase
        } else if (kind == 3) {
            record.Phrase = quint8(random.pick(0, 254));
            record.PhraseCnt = 0;
        } else if (kind == 4) {
            record.Phrase = quint8(random.pick(0, 254)); // may run past the text
            record.PhraseCnt = quint8(random.pick(1, 4));
        } else if (lines > 0) {
            record.Phrase = quint8(random.pick(0, std::min(lines - 1, 254)));
            record.PhraseCnt = quint8(random.pick(1, std::min(5, lines - record.Phrase)));
        }
    }
    return spoken;
}

// The lines a record speaks; nothing when it speaks none or its phrases run past the text.
std::optional<QList<QByteArray>> words(const NpcRecord &record, const EdtText &text)
{
    const qsizetype end = qsizetype(record.Phrase) + record.PhraseCnt;
    if (record.speaksNothing() || end > text.size())
        return std::nullopt;
    return text.lines().mid(record.Phrase, record.PhraseCnt);
}

QByteArray bytesOf(const SpokenText &spoken)
{
    return NpcWriter::encode(spoken.records, NpcLayout::StandardLayout) + EdtWriter::encode(spoken.text);
}

struct Undo {
    enum { Delete, Insert, Move } kind;
    qsizetype line;
    int delta = 0;
    QByteArray text;
};

PhraseStep undo(const SpokenText &spoken, const Undo &step)
{
    switch (step.kind) {
    case Undo::Delete:
        return PhraseList::deleteLine(spoken, step.line);
    case Undo::Insert:
        return PhraseList::insertLine(spoken, step.line, step.text);
    case Undo::Move:
        return PhraseList::moveLine(spoken, step.line, step.delta);
    }
    return {};
}

} // namespace

TEST(PhraseListPropertyTest, RandomStepsKeepEveryRecordsWordsAndUndoGivesBackTheBytes)
{
    Random random(2024);
    int done = 0;
    int refused = 0;
    int refusedUndos = 0;
    for (int round = 0; round < 200; ++round) {
        SpokenText spoken = randomScript(random);
        const SpokenText first = spoken;
        QList<std::pair<SpokenText, QByteArray>> history{{first, bytesOf(first)}};
        QList<Undo> undos;
        int fresh = 0;
        for (int n = 0; n < 30; ++n) {
            const qsizetype size = spoken.text.size();
            PhraseStep step;
            Undo back{};
            qsizetype swapped = -1;  // the upper of two lines that changed places
            qsizetype inserted = -1; // a new line, which a block around it takes in
            const int kind = random.pick(0, 2);
            if (kind == 0) {
                const qsizetype k = random.pick(0, int(size));
                step = PhraseList::insertLine(spoken, k, "N" + QByteArray::number(fresh++));
                back = {Undo::Delete, k, 0, {}};
                inserted = k;
            } else if (kind == 1) {
                QList<qsizetype> unspoken;
                for (qsizetype k = 0; k < size; ++k)
                    if (PhraseList::speakers(spoken.records, k).isEmpty())
                        unspoken << k;
                if (unspoken.isEmpty())
                    continue;
                const qsizetype k = unspoken.at(random.pick(0, int(unspoken.size()) - 1));
                step = PhraseList::deleteLine(spoken, k);
                back = {Undo::Insert, k, 0, spoken.text.at(k)};
            } else {
                if (size == 0)
                    continue;
                const qsizetype k = random.pick(0, int(size) - 1);
                const int delta = random.pick(0, 1) ? 1 : -1;
                step = PhraseList::moveLine(spoken, k, delta);
                back = {Undo::Move, k + delta, -delta, {}};
                swapped = std::min(k, k + delta);
            }
            if (!step.done()) {
                ASSERT_EQ(step.result, spoken) << "a refused step changes nothing";
                ++refused;
                continue;
            }
            ++done;
            for (int i = 0; i < RecordCount; ++i) {
                const NpcRecord &before = spoken.records[i];
                const NpcRecord &after = step.result.records[i];
                if (before.speaksNothing()) {
                    ASSERT_EQ(after, before) << "record " << i << " speaks nothing and stays";
                    continue;
                }
                std::optional<QList<QByteArray>> expected = words(before, spoken.text);
                if (!expected)
                    continue;
                const qsizetype at = swapped - before.Phrase;
                if (swapped >= 0 && at >= 0 && at + 1 < expected->size())
                    expected->swapItemsAt(at, at + 1);
                const qsizetype into = inserted - before.Phrase;
                if (inserted >= 0 && into > 0 && into < expected->size())
                    expected->insert(into, step.result.text.at(inserted));
                ASSERT_EQ(words(after, step.result.text), expected) << "record " << i << ", round " << round;
            }
            spoken = step.result;
            history.append({spoken, bytesOf(spoken)});
            undos.append(back);
        }
        // Undone step by step, the rules give back the records and the words.
        // A number past the end that a step brought into the text may move on the way back
        // and then refuse it (past 254): those rounds are not undone by the rules.
        SpokenText undone = spoken;
        bool undoneAll = true;
        for (qsizetype i = undos.size() - 1; i >= 0 && undoneAll; --i) {
            const PhraseStep step = undo(undone, undos.at(i));
            undoneAll = step.done();
            undone = step.result;
        }
        if (!undoneAll) {
            ++refusedUndos;
            continue;
        }
        // Numbers past the end of the text stay as the text changes around them, so a
        // line inserted and deleted again may have moved them: only those in the text
        // come back.
        for (int i = 0; i < RecordCount; ++i) {
            if (words(first.records[i], first.text) || first.records[i].speaksNothing()) {
                ASSERT_EQ(undone.records[i], first.records[i]) << "record " << i << ", round " << round;
            }
        }
        ASSERT_EQ(undone.text.lines(), first.text.lines());
        // What undo brings back, the state kept before each step, still writes its bytes.
        for (const auto &[state, bytes] : std::as_const(history))
            ASSERT_EQ(bytesOf(state), bytes);
    }
    EXPECT_GT(done, 3000);
    EXPECT_LT(refusedUndos, 20);
    EXPECT_GT(refused, 50);
}
