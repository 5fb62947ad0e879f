#include "MacroUiFixture.h"
#include "common/Windows1251.h"

#include <QComboBox>
#include <QDir>
#include <QLabel>

class MacroMenuTest : public MacroUiFixture
{
protected:
    QString editText(const char *name)
    {
        const QLineEdit *edit = find<QLineEdit>(name);
        return edit ? edit->text() : QStringLiteral("<no %1>").arg(QLatin1String(name));
    }
};

TEST_F(MacroMenuTest, WithoutAFileTheMenuHoldsOnlyTheManagerAndEverythingIsOff)
{
    start();
    ASSERT_EQ(macroMenu()->objectName(), QStringLiteral("P_Menu_Macros"));
    const QList<QAction *> items = macroMenu()->actions();
    ASSERT_EQ(items.size(), 2);
    EXPECT_EQ(items.at(0), action("MacrManager"));
    EXPECT_TRUE(items.at(1)->isSeparator());
    EXPECT_FALSE(main().Btn_Macr()->isEnabled());
    EXPECT_FALSE(action("MacrManager")->isEnabled());
    EXPECT_FALSE(action("SaveAsMacr")->isEnabled());
    EXPECT_TRUE(store().isEmpty());
    EXPECT_TRUE(prompts().asked.isEmpty());
}

TEST_F(MacroMenuTest, EveryLineOfTheFileBecomesAnItemWithItsDecodedName)
{
    startWithMacros("Guard=" + GuardValues + "\r\nA&B=" + GuardValues + "\n\r\n" +
                    "\xc3\xe2\xe0\xf0\xe4\xe8\xff=" + GuardValues + "\rGuard=1\r\n");
    EXPECT_EQ(macroCaptions(), (QStringList{QStringLiteral("Guard"), QStringLiteral("A&&B"), QString(),
                                            QStringLiteral("Гвардия"), QStringLiteral("Guard")}));
    for (qsizetype i = 2; i < macroMenu()->actions().size(); ++i) {
        const QAction *item = macroMenu()->actions().at(i);
        EXPECT_TRUE(item->isEnabled());
        EXPECT_FALSE(item->isCheckable());
        EXPECT_TRUE(item->shortcut().isEmpty());
    }
    EXPECT_TRUE(main().Btn_Macr()->isEnabled());
    EXPECT_TRUE(action("MacrManager")->isEnabled());
    EXPECT_TRUE(prompts().asked.isEmpty());
}

TEST_F(MacroMenuTest, AFileThatCannotBeReadIsReportedAndLeavesTheStoreEmpty)
{
    ASSERT_TRUE(QDir().mkpath(pathIn(QStringLiteral("Data/macros.mcr"))));
    start();
    ASSERT_EQ(prompts().asked.size(), 1);
    EXPECT_EQ(prompts().asked.at(0).kind, PromptKind::Error);
    EXPECT_TRUE(prompts().asked.at(0).text.contains(QDir::toNativeSeparators(pathIn(QStringLiteral("Data/macros.mcr")))));
    EXPECT_EQ(macroMenu()->actions().size(), 2);
    EXPECT_FALSE(main().Btn_Macr()->isEnabled());
}

TEST_F(MacroMenuTest, ApplyingSetsTwentyFieldsAndShowsTheRecord)
{
    // Mode .. React, then both spares; ControlNpc 12, ControlRec 7 link to another script.
    startWithMacros(
        "Other=1\r\nLinker=0,5,65535,65535,255,0,255,7,0,255,1,255,255,12,7,9,65535,0,65535,0,3,4\r\n");
    records()[3].Spare28 = 11;
    records()[3].Spare30 = 22;
    main().selectGridRow(3);
    ASSERT_EQ(session().CurRec(), 3);
    EXPECT_FALSE(action("SaveAsMacr")->isEnabled());

    clickMacro(1);

    const NpcRecord &r = session().document().records[3];
    EXPECT_EQ(r.ItemIn, 5);
    EXPECT_EQ(r.TriggT, NoneWord);
    EXPECT_EQ(r.Action, 7);
    EXPECT_EQ(r.ControlNpc, 12);
    EXPECT_EQ(r.ControlRec, 7);
    EXPECT_EQ(r.Spare19, 9);
    EXPECT_EQ(r.Spare28, 11);
    EXPECT_EQ(r.Spare30, 22);
    EXPECT_TRUE(session().document().IsRecEmpty(2));

    EXPECT_TRUE(session().isModified());
    EXPECT_TRUE(main().windowTitle().endsWith(QLatin1Char('*')));
    EXPECT_TRUE(action("Save")->isEnabled());
    EXPECT_TRUE(action("SaveAsMacr")->isEnabled());
    EXPECT_EQ(main().Lbl_RecordNo()->text(), QStringLiteral("Запись: 3"));
    EXPECT_EQ(main().gridText(3, 1), session().captions().actionName("7"));
    EXPECT_FALSE(main().gridText(3, 1).isEmpty());
    EXPECT_EQ(main().gridText(3, 2), QStringLiteral("#12"));

    EXPECT_EQ(editText("Edit_Action"), QStringLiteral("7"));
    EXPECT_EQ(editText("Edit_ItemIn"), QStringLiteral("5"));
    EXPECT_EQ(editText("Edit_TriggT"), QStringLiteral("-1"));
    EXPECT_EQ(editText("Edit_FDay"), QStringLiteral("0"));
    EXPECT_EQ(editText("Edit_LDay"), QStringLiteral("-1"));
    EXPECT_EQ(editText("Edit_ControlRec"), QStringLiteral("7"));
    EXPECT_TRUE(prompts().asked.isEmpty());
}

TEST_F(MacroMenuTest, SameNamedMacrosApplyTheirOwnValuesAndAnEmptyResultShowsAnEmptyRecord)
{
    startWithMacros("Twin=1,0,0,0,0,0,0,4,0,0,0,0,0,0,0,0,0,0,0,0,0,0\r\n"
                    "Twin=2,0,0,0,0,0,0,6,0,0,0,0,0,0,0,0,0,0,0,0,0,0\r\n"
                    "Zero=0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0\r\n");
    clickMacro(0);
    EXPECT_EQ(session().currentRecord().Mode, 1);
    EXPECT_EQ(main().gridText(0, 1), session().captions().actionName("4"));
    clickMacro(1);
    EXPECT_EQ(session().currentRecord().Mode, 2);
    EXPECT_EQ(main().gridText(0, 1), session().captions().actionName("6"));

    // All zero: the record is empty again, though still modified, and Action 0 has a name.
    ASSERT_FALSE(session().captions().actionName("0").isEmpty());
    clickMacro(2);
    EXPECT_TRUE(session().document().IsRecEmpty(0));
    EXPECT_TRUE(session().isModified());
    EXPECT_EQ(main().gridText(0, 1), QString());
    EXPECT_EQ(main().gridText(0, 2), QString());
    EXPECT_EQ(main().Lbl_RecordNo()->text(), QStringLiteral("Пустая запись: 0"));
    EXPECT_FALSE(action("SaveAsMacr")->isEnabled());
}

TEST_F(MacroMenuTest, AMalformedMacroChangesNothingAndReportsTheBadValue)
{
    startWithMacros("Good=1,0,0,0,0,0,0,4,0,0,0,0,0,0,0,0,0,0,0,0,0,0\r\n"
                    "Bad=9,9,9,\xe4\xe2\xe0,9,9,9,9,9,9,9,9,9,9,9,9,9,9,9,9,9,9\r\n"
                    "\r\n"
                    "Short=5,5,5\r\n");
    clickMacro(0);
    const NpcRecord before = session().currentRecord();
    SessionTester::markSaved(session());
    const QString title = main().windowTitle();

    for (int position : {1, 2, 3}) {
        clickMacro(position);
        EXPECT_EQ(session().currentRecord(), before) << position;
        EXPECT_FALSE(session().isModified()) << position;
        EXPECT_FALSE(action("Save")->isEnabled()) << position;
        EXPECT_EQ(main().windowTitle(), title);
    }
    ASSERT_EQ(prompts().asked.size(), 3);
    EXPECT_EQ(prompts().asked.at(0).kind, PromptKind::Error);
    EXPECT_EQ(prompts().messageTexts(), (QStringList{QStringLiteral("'два' is not a valid integer value"),
                                                     QStringLiteral("'' is not a valid integer value"),
                                                     QStringLiteral("'' is not a valid integer value")}));
}

TEST_F(MacroMenuTest, BadFilesLoadWithoutHarm)
{
    QByteArray file;
    for (int i = 0; i < 100000; ++i)
        file += "M" + QByteArray::number(i) + "=70000,-5," + GuardValues + "\r\n";
    file += QByteArray(100000, 'w') + "=" + QByteArray(100000, '1') + "\r\n";
    file += "no equals sign\r\n";
    file += QByteArray("Cut\0short=1\r\nAfter=1\r\n", 22);
    startWithMacros(file);
    ASSERT_EQ(store().count(), 100003);
    // So many open page by page, a thousand to a page.
    EXPECT_EQ(macroMenu()->actions().size(), 2 + 101);
    EXPECT_EQ(macroMenu()->actions().at(2)->text(), QStringLiteral("1–1000"));
    EXPECT_EQ(macroMenu()->actions().last()->text(), QStringLiteral("100001–100003"));
    EXPECT_EQ(store().entry(100002), QByteArray("Cut"));
    EXPECT_EQ(macroItem(100001)->text(), QString());
    EXPECT_EQ(macroItem(100000)->text().size(), 100); // a long name is cut in the menu

    clickMacro(0);
    EXPECT_EQ(session().currentRecord().Mode, 70000 & 0xFFFF);
    EXPECT_EQ(session().currentRecord().ItemIn, 65536 - 5);
    clickMacro(100000);
    EXPECT_EQ(prompts().messageTexts().size(), 1);
}
