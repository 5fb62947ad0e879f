#include "document/NpcFile.h"
#include "support/AppFixture.h"
#include "support/UsedRecord.h"

// The questions about links from the other scripts of the folder: cut and delete name
// them, and saving offers to keep them right.
class OtherScriptLinksTest : public AppFixture
{
protected:
    void SetUp() override
    {
        AppFixture::SetUp();
        NpcRecords own{};
        for (int i = 0; i < 5; ++i)
            own[i] = usedRecord(quint8(10 + i));
        writeScript(QStringLiteral("npc/057.npc"), own);
        NpcRecords shop{};
        shop[2] = usedRecord(1, 57, 1);
        shop[3] = usedRecord(1, 57, 3);
        writeScript(QStringLiteral("npc/Shop.npc"), shop);
        start({pathIn(QStringLiteral("npc/057.npc"))});
        prompts().clear();
    }
    quint8 shopLink(int record)
    {
        NpcReader reader;
        EXPECT_TRUE(reader.read(pathIn(QStringLiteral("npc/Shop.npc"))));
        return reader.records()[record].ControlRec;
    }
};

TEST_F(OtherScriptLinksTest, CutAndDeleteNameTheOtherScriptsAndSaveOffersTheirChanges)
{
    main().selectGridRow(1);
    trigger("CutRec"); // No: nothing cut
    EXPECT_EQ(
        prompts().messageTexts(),
        QStringList{QStringLiteral("На вырезаемую запись есть ссылка(ки) из других скриптов: Shop: 2.\r\n\r\n"
                                   "Вы уверены, что хотите вырезать текущую запись?")});
    EXPECT_FALSE(session().isModified());
    prompts().clear();
    prompts().answers = {QMessageBox::Yes};
    trigger("DeleteRec");
    EXPECT_EQ(prompts().messageTexts(),
              QStringList{QStringLiteral("На удаляемую запись есть ссылка(ки) в записи(ях): Shop: 2.\r\n\r\n"
                                         "Вы уверены, что хотите удалить текущую запись?")});
    ASSERT_TRUE(session().isModified());

    prompts().clear();
    prompts().answers = {QMessageBox::Cancel};
    trigger("Save");
    ASSERT_EQ(prompts().asked.size(), 1);
    EXPECT_EQ(prompts().asked[0].buttons, QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
    EXPECT_EQ(
        prompts().asked[0].text,
        QStringLiteral("Ссылки других скриптов на сдвинутые записи:\r\nShop: запись 3, ControlRec 3 -> 2\r\n"
                       "Ссылки других скриптов на удалённые записи (поведут в запись перед удалённой):\r\n"
                       "Shop: 2 → 057:0 (запись 1 удалена)"
                       "\r\n\r\nИсправить ссылки в других скриптах и сохранить их вместе с этим?"));
    EXPECT_TRUE(session().isModified());

    prompts().answers = {QMessageBox::Yes};
    trigger("Save");
    EXPECT_FALSE(session().isModified());
    EXPECT_EQ(shopLink(3), 2);
    EXPECT_EQ(shopLink(2), 0);

    // No saves only this script.
    main().selectGridRow(0);
    prompts().clear();
    prompts().answers = {QMessageBox::Yes};
    trigger("DeleteRec");
    prompts().answers = {QMessageBox::No};
    trigger("Save");
    EXPECT_EQ(prompts().asked.size(), 2);
    EXPECT_FALSE(session().isModified());
    EXPECT_EQ(shopLink(3), 2);
}
