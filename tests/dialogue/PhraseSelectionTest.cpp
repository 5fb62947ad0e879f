#include "dialogue/PhraseSelection.h"

#include <gtest/gtest.h>

// The memo cases are driven through the window; here only what a window cannot reach.
TEST(PhraseSelectionTest, NoEightBitWrapNearTheTop)
{
    // 254 + 3 goes past 255 instead of wrapping to lines 0 and 1.
    EXPECT_EQ(selectPhrases(254, 3, 300), (PhraseSelection{254, 3, false}));
    EXPECT_EQ(selectPhrases(254, 255, 300), (PhraseSelection{254, 46, true}));
    EXPECT_EQ(selectPhrases(254, 2, 3), (PhraseSelection{254, 0, true}));
}
