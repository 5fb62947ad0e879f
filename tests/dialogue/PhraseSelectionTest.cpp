#include "dialogue/PhraseSelection.h"

#include <gtest/gtest.h>

TEST(PhraseSelectionTest, SelectsTheSpokenLines)
{
    // Three lines A, B, C.
    EXPECT_EQ(selectPhrases(0, 3, 3), (PhraseSelection{0, 3, false}));
    EXPECT_EQ(selectPhrases(1, 1, 3), (PhraseSelection{1, 1, false}));
    // Running past the end: the lines that exist, and a red count frame.
    EXPECT_EQ(selectPhrases(1, 3, 3), (PhraseSelection{1, 2, true}));
    EXPECT_EQ(selectPhrases(3, 1, 3), (PhraseSelection{3, 0, true}));
    EXPECT_EQ(selectPhrases(200, 5, 3), (PhraseSelection{200, 0, true}));
    EXPECT_EQ(selectPhrases(0, 1, 0), (PhraseSelection{0, 0, true}));
}

TEST(PhraseSelectionTest, NothingSpokenLeavesTheFrameNormal)
{
    EXPECT_EQ(selectPhrases(255, 0, 3), PhraseSelection{});
    EXPECT_EQ(selectPhrases(255, 7, 3), PhraseSelection{});
    EXPECT_EQ(selectPhrases(1, 0, 3), PhraseSelection{});
    EXPECT_EQ(selectPhrases(9, 0, 3), PhraseSelection{});
}

TEST(PhraseSelectionTest, NoEightBitWrap)
{
    // 254 + 3 goes past 255 instead of wrapping to lines 0 and 1.
    EXPECT_EQ(selectPhrases(254, 3, 300), (PhraseSelection{254, 3, false}));
    EXPECT_EQ(selectPhrases(254, 255, 300), (PhraseSelection{254, 46, true}));
}

TEST(PhraseSelectionTest, MemoTextDecodesForDisplay)
{
    const EdtText text{QByteArray("A"), QByteArray("\xC4\xE0"), QByteArray("C\0D", 3)};
    EXPECT_EQ(phraseMemoText(text, selectPhrases(1, 3, text.size())),
              QStringLiteral("Да\r\n\r\nC D\r\n\r\n"));
    EXPECT_TRUE(phraseMemoText(text, selectPhrases(255, 3, text.size())).isEmpty());
}
