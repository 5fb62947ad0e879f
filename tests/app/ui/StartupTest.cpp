#include "support/AppFixture.h"

#include <QLabel>
#include <QTableWidget>

class StartupTest : public AppFixture
{
};

TEST_F(StartupTest, FirstStartShowsAnEmptyScript)
{
    start();
    EXPECT_EQ(main().windowTitle(), QStringLiteral("Scrivlet"));
    EXPECT_EQ(main().Lbl_RecordNo()->text(), QStringLiteral("Пустая запись: 0"));
    EXPECT_EQ(main().StringGrid()->rowCount(), 50);
    EXPECT_EQ(main().gridText(49, 0), QStringLiteral("49"));
    EXPECT_FALSE(action("Save")->isEnabled());
    EXPECT_FALSE(action("MoveUp")->isEnabled());
    EXPECT_TRUE(action("MoveDown")->isEnabled());
}
