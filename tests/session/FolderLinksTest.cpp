#include "session/SessionFixture.h"

class FolderLinksTest : public SessionFixture
{
protected:
    void SetUp() override
    {
        SessionFixture::SetUp();
        NpcRecords own{};
        own[0] = used(1, 57, 3);
        own[1] = used(1, 112, 7);
        own[2] = used(1, 99, 0);
        own[3] = used(2);
        writeScript(QStringLiteral("npc/057.npc"), own);
        NpcRecords other{};
        other[4] = used(1, 57, 3);
        other[6] = used(1, 57, 3);
        other[8] = used(1, 57, 0);
        writeScript(QStringLiteral("npc/112.NPC"), other);
        NpcRecords shop{};
        shop[2] = used(1, 57, 3);
        writeScript(QStringLiteral("npc/Shop.npc"), shop);
        NpcRecords twin{};
        twin[0] = used(1, 57, 3); // another script of number 57 links to itself
        writeScript(QStringLiteral("npc/57.npc"), twin);
    }
};

TEST_F(FolderLinksTest, IncomingLinksComeFromThisScriptAndTheOthersOfItsFolder)
{
    ASSERT_TRUE(session().openScript(pathIn(QStringLiteral("npc/057.npc")), {}));
    session().selectRecord(3);
    EXPECT_EQ(session().analysis().incomingLinks(session().CurRec()).text,
              QStringLiteral("Ссылки на запись 3: 0; #112: 4, 6; Shop: 2"));
    session().selectRecord(0);
    EXPECT_EQ(session().analysis().incomingLinks(session().CurRec()).text,
              QStringLiteral("Ссылки на запись 0: #112: 8"));
    session().selectRecord(5);
    EXPECT_EQ(session().analysis().incomingLinks(session().CurRec()).text,
              QStringLiteral("Ссылок на запись 5 нет"));

    // The other scripts are read again after a save, not while they change.
    writeScript(QStringLiteral("npc/200.npc"), NpcRecords{used(1, 57, 5)});
    EXPECT_EQ(session().analysis().incomingLinks(session().CurRec()).text,
              QStringLiteral("Ссылок на запись 5 нет"));
    session().commitField(NpcField::Leader, QStringLiteral("3"));
    ASSERT_TRUE(session().save());
    EXPECT_EQ(session().analysis().incomingLinks(session().CurRec()).text,
              QStringLiteral("Ссылки на запись 5: #200: 0"));

    // A new script has no folder: only its own links count.
    session().newScript();
    EXPECT_EQ(session().analysis().incomingLinks(session().CurRec()).text,
              QStringLiteral("Ссылок на запись 0 нет"));
    EXPECT_TRUE(session().links().folderPath().isEmpty());
}

TEST_F(FolderLinksTest, TheCurrentLinkSaysWhereItLeads)
{
    ASSERT_TRUE(session().openScript(pathIn(QStringLiteral("npc/057.npc")), {}));
    auto link = session().analysis().linkOf(session().CurRec());
    ASSERT_TRUE(link);
    EXPECT_TRUE(link->local);
    EXPECT_EQ(link->record, 3);
    session().selectRecord(1);
    link = session().analysis().linkOf(session().CurRec());
    ASSERT_TRUE(link);
    EXPECT_FALSE(link->local);
    EXPECT_EQ(link->npc, 112);
    EXPECT_EQ(link->path, pathIn(QStringLiteral("npc/112.NPC")));
    session().selectRecord(2);
    EXPECT_TRUE(session().analysis().linkOf(session().CurRec())->path.isEmpty()) << "no script of 99";
    session().selectRecord(3);
    EXPECT_FALSE(session().analysis().linkOf(session().CurRec())) << "no link";
    session().selectRecord(20);
    EXPECT_FALSE(session().analysis().linkOf(session().CurRec())) << "an empty record";
}

TEST_F(FolderLinksTest, FindingsFollowEditsAndTheFolder)
{
    ASSERT_TRUE(session().openScript(pathIn(QStringLiteral("npc/057.npc")), {}));
    auto rules = [this] {
        QStringList ids;
        for (const CheckFinding &finding : session().analysis().findings())
            ids << QString::number(finding.record) + QLatin1Char(' ') + finding.rule;
        return ids;
    };
    EXPECT_EQ(rules(), (QStringList{QStringLiteral("-1 edt-missing"), QStringLiteral("1 link-empty-remote"),
                                    QStringLiteral("2 link-missing-script")}));
    int changed = 0;
    QObject::connect(&session(), &ScriptSession::findingsChanged, [&] { ++changed; });
    session().selectRecord(1);
    session().setFieldDefault(NpcField::ControlRec);
    EXPECT_GE(changed, 1);
    EXPECT_FALSE(rules().contains(QStringLiteral("1 link-empty-remote")));
    session().undo();
    EXPECT_TRUE(rules().contains(QStringLiteral("1 link-empty-remote")));

    // A new script's links to others name no folder, so they are not called missing.
    session().newScript();
    session().commitField(NpcField::ControlNpc, QStringLiteral("99"));
    session().commitField(NpcField::ControlRec, QStringLiteral("1"));
    EXPECT_FALSE(rules().contains(QStringLiteral("0 link-missing-script")));
}

TEST_F(FolderLinksTest, PlacesToGoBackToAndRecentFiles)
{
    EXPECT_FALSE(session().links().canGoBack());
    session().links().rememberPlace({QStringLiteral("a.npc"), 3});
    session().links().rememberPlace({QStringLiteral("b.npc"), 4});
    EXPECT_EQ(session().links().lastPlace()->path, QStringLiteral("b.npc"));
    session().links().forgetLastPlace();
    EXPECT_EQ(session().links().lastPlace()->record, 3);
    session().links().forgetLastPlace();
    EXPECT_FALSE(session().links().canGoBack());

    const QString own = pathIn(QStringLiteral("npc/057.npc"));
    const QString shop = pathIn(QStringLiteral("npc/Shop.npc"));
    ASSERT_TRUE(session().openScript(own, {}));
    ASSERT_TRUE(session().openScript(shop, {}));
    ASSERT_TRUE(session().openScript(own, {}));
    EXPECT_EQ(session().settings().config().RecentFiles, (QStringList{own, shop}));
    for (int i = 0; i < 10; ++i)
        session().saveAs(pathIn(QStringLiteral("out%1.npc").arg(i)));
    EXPECT_EQ(session().settings().config().RecentFiles.size(), AppConfig::RecentFileCount);
    EXPECT_EQ(session().settings().config().RecentFiles.first(), pathIn(QStringLiteral("out9.npc")));
    session().settings().forgetRecentFile(pathIn(QStringLiteral("out9.npc")));
    EXPECT_EQ(session().settings().config().RecentFiles.first(), pathIn(QStringLiteral("out8.npc")));

    // Kept in the settings file, with the window's place.
    session().settings().config().FormLeft = -20;
    session().settings().config().FormHeight = 700;
    session().settings().config().FormMaximized = true;
    ASSERT_TRUE(session().settings().save());
    const AppConfig read = AppConfig::IniRead(session().settings().config().startFolder);
    EXPECT_EQ(read.RecentFiles, session().settings().config().RecentFiles);
    EXPECT_EQ(read.FormLeft, -20);
    EXPECT_EQ(read.FormHeight, 700);
    EXPECT_FALSE(read.FormTop);
    EXPECT_TRUE(read.FormMaximized);
}
