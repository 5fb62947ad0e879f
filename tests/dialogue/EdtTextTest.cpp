#include "dialogue/EdtText.h"

#include <gtest/gtest.h>

#include <random>

namespace
{

struct ModelLine {
    QByteArray text;
    QByteArray read;
};

// The text's lines and kept records against a plain list doing the same.
void expectSame(const EdtText &text, const QList<ModelLine> &model)
{
    ASSERT_EQ(text.size(), model.size());
    qsizetype k = 0;
    for (auto line = text.begin(); line != text.end(); ++line, ++k) {
        ASSERT_EQ(*line, model.at(k).text) << "line " << k;
        ASSERT_EQ(line.readRecord(), model.at(k).read) << "line " << k;
        ASSERT_EQ(text.at(k), model.at(k).text);
        ASSERT_EQ(text.readRecord(k), model.at(k).read);
    }
    ASSERT_EQ(k, model.size());
}

} // namespace

// Many lines, so that blocks fill, split, empty and lines change places across them.
TEST(EdtTextTest, EditsAgreeWithAPlainListAndLeaveCopiesAlone)
{
    std::mt19937 rng(3);
    const auto pick = [&](qsizetype low, qsizetype high) {
        return std::uniform_int_distribution<qsizetype>(low, high)(rng);
    };
    EdtText text;
    QList<ModelLine> model;
    for (int k = 0; k < 1500; ++k) {
        const QByteArray read = k % 3 ? QByteArray() : "record " + QByteArray::number(k);
        text.appendRead("read " + QByteArray::number(k), read);
        model.append({"read " + QByteArray::number(k), read});
    }
    text.setTail("tail");
    int fresh = 0;
    for (int round = 0; round < 4000; ++round) {
        const EdtText before = text;
        const QList<ModelLine> modelBefore = model;
        const int kind = int(pick(0, 9));
        const QByteArray line = "new " + QByteArray::number(fresh++);
        if (kind < 4 || model.isEmpty()) {
            // Mostly near the front, so that one block grows past splitting.
            const qsizetype k = kind == 0 ? model.size() : pick(0, std::min<qsizetype>(model.size(), 40));
            text.insertLine(k, line);
            model.insert(k, {line, {}});
        } else if (kind < 7) {
            const qsizetype k = pick(0, model.size() - 1);
            text.removeLine(k);
            model.removeAt(k);
        } else if (kind < 8 && model.size() > 1) {
            const qsizetype k = pick(0, model.size() - 2);
            text.swapLines(k);
            model.swapItemsAt(k, k + 1);
        } else {
            const qsizetype k = pick(0, model.size() - 1);
            const QByteArray same = model.at(k).text;
            text.setLine(k, kind == 9 ? same : line);
            if (kind != 9)
                model[k] = {line, {}};
        }
        if (round % 97 == 0) {
            expectSame(text, model);
            expectSame(before, modelBefore); // the copy taken before the step
            EXPECT_EQ(text.tail(), QByteArray("tail"));
        }
    }
    expectSame(text, model);

    // Equal however the blocks were cut.
    EdtText rebuilt;
    for (const ModelLine &line : std::as_const(model))
        rebuilt.appendRead(line.text, line.read);
    EXPECT_NE(rebuilt, text) << "the tail differs";
    rebuilt.setTail("tail");
    EXPECT_EQ(rebuilt, text);
    rebuilt.setLine(0, "other");
    EXPECT_NE(rebuilt, text);
    QList<QByteArray> lines;
    for (const ModelLine &line : std::as_const(model))
        lines << line.text;
    EXPECT_EQ(text.lines(), lines);
    text.clear();
    EXPECT_TRUE(text.isEmpty());
    EXPECT_EQ(text, EdtText());
}
