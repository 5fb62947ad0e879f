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
    {"a number past the end never reaches 255",
     {{1, 1}, {254, 1}},
     [](const SpokenText &s) { return PhraseList::insertLine(s, 0); },
     "2+1 254+1"},
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
    {"add a phrase where the record's phrases run past the text: they are made",
     {{8, 4}},
     [](const SpokenText &s) { return PhraseList::addPhrase(s, 0); },
     "8+4"},
    {"numbers past the end stay when a line is inserted",
     {{2, 1}, {10, 1}, {12, 2}, {8, 4}},
     [](const SpokenText &s) { return PhraseList::insertLine(s, 0); },
     "3+1 10+1 12+2 9+4"},
    {"numbers past the end stay when a line is deleted",
     {{2, 1}, {10, 1}, {12, 2}},
     [](const SpokenText &s) { return PhraseList::deleteLine(s, 0); },
     "1+1 10+1 12+2"},
    {"a line at the end moves nobody; the record planned there speaks it",
     {{9, 1}, {10, 1}},
     [](const SpokenText &s) { return PhraseList::appendLine(s); },
     "9+1 10+1"},
    {"add a phrase to a record that speaks nothing: after every planned phrase",
     {{255, 1}, {12, 2}},
     [](const SpokenText &s) { return PhraseList::addPhrase(s, 0); },
     "14+1 12+2"},
    {"add a phrase before a planned one leaves the planned one",
     {{9, 1}, {10, 1}},
     [](const SpokenText &s) { return PhraseList::addPhrase(s, 0); },
     "9+2 10+1"},
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

TEST(PhraseListTest, PhrasesNumberedBeforeTheTextIsWritten)
{
    // Records 0-6 speak phrases 0-6 of a text that has none yet.
    SpokenText spoken = script({}, 0);
    for (int i = 0; i < 7; ++i) {
        spoken.records[i].initialise();
        spoken.records[i].Phrase = quint8(i);
    }

    PhraseStep step = PhraseList::addPhrase(spoken, 3);
    ASSERT_TRUE(step.done()) << step.refusal.toStdString();
    EXPECT_EQ(step.result.text.lines(), QList<QByteArray>(4));
    EXPECT_EQ(step.result.records, spoken.records);
    EXPECT_EQ(step.line, 3);
    EXPECT_EQ(step.note, QStringLiteral("Текст дополнен пустыми фразами 0–3 до фраз записи 3."));

    // The next line for record 0 is shared with record 1, which is said.
    step = PhraseList::addPhrase(PhraseList::addPhrase(spoken, 0).result, 0);
    ASSERT_TRUE(step.done());
    EXPECT_EQ(blocks(step.result.records, 2), QStringLiteral("0+2 1+1"));
    EXPECT_EQ(step.note, QStringLiteral("Новую фразу 1 произносят записи 0, 1: их номера фраз указывали за конец текста."));

    // Written in order from the end: each line goes to the record that numbered it.
    step = {spoken, -1, {}, {}};
    for (int k = 0; k < 7; ++k) {
        step = PhraseList::appendLine(step.result);
        ASSERT_TRUE(step.done());
        EXPECT_EQ(PhraseList::speakers(step.result.records, k), QList<int>{k});
    }
    EXPECT_EQ(step.result.records, spoken.records);
    EXPECT_EQ(step.note, QStringLiteral("Фразу 6 произносит запись 6: номер был дан ей заранее."));
    EXPECT_TRUE(PhraseList::appendLine(step.result).note.isEmpty());
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
