#include "dialogue/PhraseList.h"
#include "support/QtPrinters.h"

#include <gtest/gtest.h>

#include <functional>

namespace
{

struct Block {
    int phrase;
    int count;
};

// A script whose first records speak the blocks; the records after them are empty.
SpokenText script(std::initializer_list<Block> blocks, int lines)
{
    SpokenText spoken;
    int i = 0;
    for (const Block &block : blocks) {
        spoken.records[i].initialise();
        spoken.records[i].Phrase = quint8(block.phrase);
        spoken.records[i].PhraseCnt = quint8(block.count);
        ++i;
    }
    QList<QByteArray> text;
    for (int k = 0; k < lines; ++k)
        text << "line " + QByteArray::number(k);
    spoken.text = EdtText(text);
    return spoken;
}

// "phrase+count" of the first records, as "2+3 6+1".
QString blocks(const NpcRecords &records, int count)
{
    QStringList list;
    for (int i = 0; i < count; ++i)
        list << QStringLiteral("%1+%2").arg(records[i].Phrase).arg(records[i].PhraseCnt);
    return list.join(QLatin1Char(' '));
}

struct Case {
    const char *what;
    std::initializer_list<Block> before;
    std::function<PhraseStep(const SpokenText &)> step;
    const char *after; // the blocks, or the start of the refusal
};

const Case Cases[] = {
    {"insert inside a block grows it; later phrases move on",
     {{2, 3}, {5, 1}},
     [](const SpokenText &s) { return PhraseList::insertLine(s, 3); },
     "2+4 6+1"},
    {"insert at a block's first line moves it",
     {{2, 3}},
     [](const SpokenText &s) { return PhraseList::insertLine(s, 2); },
     "3+3"},
    {"insert after a block leaves it",
     {{2, 3}},
     [](const SpokenText &s) { return PhraseList::insertLine(s, 5); },
     "2+3"},
    {"insert into two overlapping blocks grows both",
     {{2, 3}, {3, 4}},
     [](const SpokenText &s) { return PhraseList::insertLine(s, 4); },
     "2+4 3+5"},
    {"delete the first line of a block",
     {{2, 3}, {6, 1}},
     [](const SpokenText &s) { return PhraseList::deleteLine(s, 2); },
     "2+2 5+1"},
    {"delete the last line of a block",
     {{2, 3}},
     [](const SpokenText &s) { return PhraseList::deleteLine(s, 4); },
     "2+2"},
    {"delete the only line of a block: it speaks nothing",
     {{5, 1}, {2, 2}},
     [](const SpokenText &s) { return PhraseList::deleteLine(s, 5); },
     "255+1 2+2"},
    {"delete in two overlapping blocks shrinks both",
     {{2, 3}, {3, 4}},
     [](const SpokenText &s) { return PhraseList::deleteLine(s, 3); },
     "2+2 3+3"},
    {"delete before a block moves it back",
     {{4, 2}},
     [](const SpokenText &s) { return PhraseList::deleteLine(s, 1); },
     "3+2"},
    {"a record that speaks nothing never changes",
     {{255, 5}, {3, 0}, {0, 0}},
     [](const SpokenText &s) { return PhraseList::insertLine(s, 0); },
     "255+5 3+0 0+0"},
    {"no first phrase past 254",
     {{1, 1}, {254, 1}},
     [](const SpokenText &s) { return PhraseList::insertLine(s, 0); },
     "Запись 1 начинала бы с фразы 255"},
    {"no count past 255",
     {{0, 255}},
     [](const SpokenText &s) { return PhraseList::insertLine(s, 3); },
     "Запись 0 произносила бы больше 255 фраз."},
    {"a one-line block follows its line down",
     {{3, 1}, {4, 1}},
     [](const SpokenText &s) { return PhraseList::moveLine(s, 3, +1); },
     "4+1 3+1"},
    {"a one-line block follows its line up",
     {{3, 1}},
     [](const SpokenText &s) { return PhraseList::moveLine(s, 3, -1); },
     "2+1"},
    {"a block holding both lines keeps its numbers",
     {{2, 3}},
     [](const SpokenText &s) { return PhraseList::moveLine(s, 3, +1); },
     "2+3"},
    {"no line into a longer block",
     {{0, 1}, {3, 3}},
     [](const SpokenText &s) { return PhraseList::moveLine(s, 2, +1); },
     "Запись 1 произносит фразы 3–5"},
    {"no line out of a longer block",
     {{3, 3}},
     [](const SpokenText &s) { return PhraseList::moveLine(s, 5, +1); },
     "Запись 0 произносит фразы 3–5"},
    {"no move past the first line",
     {},
     [](const SpokenText &s) { return PhraseList::moveLine(s, 0, -1); },
     "Фраза 0 уже первая."},
    {"no move past the last line",
     {},
     [](const SpokenText &s) { return PhraseList::moveLine(s, 9, +1); },
     "Фраза 9 уже последняя."},
    {"add a phrase after a record's last one, others move on",
     {{2, 2}, {4, 1}, {3, 3}},
     [](const SpokenText &s) { return PhraseList::addPhrase(s, 0); },
     "2+3 5+1 3+4"},
    {"add a phrase to a record that speaks nothing: a line at the end",
     {{255, 1}, {9, 1}},
     [](const SpokenText &s) { return PhraseList::addPhrase(s, 0); },
     "10+1 9+1"},
    {"add a phrase where the record's phrases run past the text",
     {{8, 4}},
     [](const SpokenText &s) { return PhraseList::addPhrase(s, 0); },
     "Фразы записи 0 (8–11) выходят за конец текста"},
};

} // namespace

TEST(PhraseListTest, RenumbersTheRecordsSoThatEachSpeaksTheSameWords)
{
    for (const Case &c : Cases) {
        SCOPED_TRACE(c.what);
        const SpokenText before = script(c.before, 10);
        const PhraseStep step = c.step(before);
        const QString after = QString::fromUtf8(c.after);
        if (after.front().isDigit()) {
            ASSERT_TRUE(step.done()) << step.refusal.toStdString();
            EXPECT_EQ(blocks(step.result.records, int(c.before.size())), after);
            for (int i = int(c.before.size()); i < RecordCount; ++i)
                EXPECT_EQ(step.result.records[i], NpcRecord{}) << "empty records stay empty";
        } else {
            EXPECT_TRUE(step.refusal.startsWith(after)) << step.refusal.toStdString();
            EXPECT_EQ(step.result, before) << "a refused step changes nothing";
        }
    }
}

TEST(PhraseListTest, LinesFollowTheStepsAndTheStepNamesWhereItEnds)
{
    const SpokenText spoken = script({{1, 2}}, 3);
    PhraseStep step = PhraseList::insertLine(spoken, 1, "new");
    EXPECT_EQ(step.result.text.lines(), (QList<QByteArray>{"line 0", "new", "line 1", "line 2"}));
    EXPECT_EQ(step.line, 1);
    step = PhraseList::moveLine(step.result, 0, +1);
    EXPECT_EQ(step.result.text.lines(), (QList<QByteArray>{"new", "line 0", "line 1", "line 2"}));
    EXPECT_EQ(step.line, 1);
    step = PhraseList::deleteLine(step.result, 3);
    EXPECT_EQ(step.line, 2) << "the line now last";
    step = PhraseList::editLine(step.result, 0, "edited");
    EXPECT_EQ(step.result.text.at(0), QByteArray("edited"));
    step = PhraseList::addPhrase(script({{255, 1}}, 0), 0);
    EXPECT_EQ(step.result.text.lines(), QList<QByteArray>{QByteArray()});
    EXPECT_EQ(step.line, 0);
}

TEST(PhraseListTest, LinesThatCannotBePhrasesAreRefused)
{
    const SpokenText spoken = script({}, 2);
    EXPECT_EQ(PhraseList::editLine(spoken, 0, QByteArray(241, 'a')).refusal,
              QStringLiteral("Фраза длиннее 240 знаков: 241."));
    EXPECT_FALSE(PhraseList::insertLine(spoken, 0, "a\nb").done());
    EXPECT_EQ(PhraseList::editLine(spoken, 2, "a").refusal, QStringLiteral("Фразы 2 нет."));
    EXPECT_EQ(PhraseList::deleteLine(spoken, -1).refusal, QStringLiteral("Фразы -1 нет."));
    // The 255th line is the last a record can start at.
    EXPECT_TRUE(PhraseList::addPhrase(script({{255, 1}}, 254), 0).done());
    EXPECT_EQ(PhraseList::addPhrase(script({{255, 1}}, 255), 0).refusal,
              QStringLiteral("Запись 0 начинала бы с фразы 255, а номер фразы не может быть больше 254."));
}

TEST(PhraseListTest, SpeakersAreTheRecordsWhoseBlocksHoldTheLine)
{
    const SpokenText spoken = script({{2, 3}, {255, 4}, {4, 1}, {0, 0}, {3, 1}}, 10);
    EXPECT_EQ(PhraseList::speakers(spoken.records, 4), (QList<int>{0, 2}));
    EXPECT_EQ(PhraseList::speakersText(spoken.records, 3), QStringLiteral("0, 4"));
    EXPECT_EQ(PhraseList::speakersText(spoken.records, 0), QString());
}
