#include "document/NpcFile.h"
#include "common/ui/CommandContext.h"
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

TEST_F(StartupTest, AScriptNamedOnTheCommandLineIsOpenedAsOpenWould)
{
    NpcRecords records{};
    records[0].initialise();
    records[0].Action = 3;
    writeFile(QStringLiteral("npc/057.npc"), NpcWriter::encode(records, NpcLayout::VestaLayout));
    QDir::setCurrent(startFolder());
    start({QStringLiteral("npc/057.npc")});
    const QString path = pathIn(QStringLiteral("npc/057.npc"));
    EXPECT_EQ(main().windowTitle(), QStringLiteral("Scrivlet - ") + path);
    EXPECT_EQ(session().document().records, records);
    EXPECT_TRUE(action("F_Vesta")->isChecked());
    EXPECT_EQ(session().settings().config().WorkDir, pathIn(QStringLiteral("npc")));
    // Its dialogue file is missing: the usual question, answered No.
    EXPECT_EQ(prompts().messageTexts(),
              QStringList{QStringLiteral("EDT-файл, ассоциированный с загружаемым скриптом, не найден.\r\n"
                                         "Желаете загрузить другой EDT-файл?")});
}

TEST_F(StartupTest, AFileOnTheCommandLineThatIsNoScriptIsRefusedAndTheEditorRuns)
{
    writeFile(QStringLiteral("notes.npc"), "not a script");
    start({pathIn(QStringLiteral("notes.npc"))});
    EXPECT_EQ(prompts().messageTexts(),
              QStringList{QStringLiteral("Выбранный файл не является NPC-скриптом")});
    EXPECT_EQ(main().windowTitle(), QStringLiteral("Scrivlet"));
    EXPECT_TRUE(action("New")->isEnabled());
}

TEST_F(StartupTest, EveryCommandNamesAnActionOfTheWindowOrStartUpStops)
{
    start();
    const CommandContext context{session(), prompts(), main()};
    EXPECT_NE(context.action("FollowLink"), nullptr);
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_DEATH(context.onTriggered("FolowLink", &main(), &TForm1::FormResize), "no action named FolowLink");
}
