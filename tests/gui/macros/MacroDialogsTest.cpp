#include "MacroUiFixture.h"

#include <QDir>
#include <QPushButton>
#include <QTableWidget>

namespace
{

const QString EmptyNameWarning = QStringLiteral("Не указано имя нового макроса");
const QString EqualsWarning = QStringLiteral("Имя макроса не может содержать знак «=».");

} // namespace

class SaveMacroTest : public MacroUiFixture
{
protected:
    void SetUp() override
    {
        MacroUiFixture::SetUp();
        startWithMacros("Guard=" + GuardValues + "\r\n");
        main().selectGridRow(2);
        clickMacro(0);
        SessionTester::record(session(), session().CurRec()).Spare28 = 7;
        prompts().clear();
    }
    QLineEdit *nameEdit() { return in<QLineEdit>(saveDialog(), "Edit_MacrName"); }
    void click(const char *button) { in<QPushButton>(saveDialog(), button)->click(); }
};

TEST_F(SaveMacroTest, SavingAppendsTheRecordWritesTheFileAndRebuildsTheMenu)
{
    whileOpen("SaveAsMacr", saveDialog(), [&] {
        EXPECT_EQ(saveDialog()->focusWidget(), nameEdit());
        const QRect main = this->main().frameGeometry();
        const QRect own = saveDialog()->frameGeometry();
        EXPECT_EQ(own.topLeft(), QPoint(main.left() + (main.width() - own.width()) / 2,
                                        main.top() + (main.height() - own.height()) / 2 - 100));
        typeInto(nameEdit(), QStringLiteral("Guard"));
        pressEnter(nameEdit());
        EXPECT_FALSE(saveDialog()->isVisible());
    });
    // A name already in use is simply saved again, with the spare values of this record.
    const QByteArray second =
        "Guard=1,0,65535,65535,255,255,255,4,0,2,1,255,255,255,255,0,65535,0,65535,0,7,0";
    EXPECT_EQ(macroFile(), "Guard=" + GuardValues + "\r\n" + second + "\r\n");
    EXPECT_EQ(macroCaptions(), (QStringList{QStringLiteral("Guard"), QStringLiteral("Guard")}));
    EXPECT_TRUE(prompts().asked.isEmpty());

    whileOpen("SaveAsMacr", saveDialog(), [&] {
        EXPECT_EQ(nameEdit()->text(), QString());
        typeInto(nameEdit(), QStringLiteral("  Страж & Co"));
        click("Btn_Ok");
    });
    EXPECT_EQ(store().count(), 3);
    EXPECT_EQ(store().name(2), QByteArray("  \xd1\xf2\xf0\xe0\xe6 & Co"));
    EXPECT_EQ(macroCaptions().last(), QStringLiteral("  Страж && Co"));
    EXPECT_TRUE(macroFile().endsWith("  \xd1\xf2\xf0\xe0\xe6 & Co=" + second.mid(6) + "\r\n"));
}

TEST_F(SaveMacroTest, NamesAreRequiredLimitedAndFreeOfEqualsSigns)
{
    const QByteArray fileBefore = macroFile();
    whileOpen("SaveAsMacr", saveDialog(), [&] {
        click("Btn_Ok");
        ASSERT_EQ(prompts().asked.size(), 1);
        EXPECT_EQ(prompts().asked.at(0).kind, PromptKind::Warning);
        EXPECT_EQ(prompts().asked.at(0).text, EmptyNameWarning);
        EXPECT_EQ(prompts().asked.at(0).buttons, QMessageBox::StandardButtons(QMessageBox::Cancel));
        EXPECT_TRUE(saveDialog()->isVisible());

        typeInto(nameEdit(), QStringLiteral("a=b"));
        pressEnter(nameEdit());
        ASSERT_EQ(prompts().asked.size(), 2);
        EXPECT_EQ(prompts().asked.at(1).kind, PromptKind::Warning);
        EXPECT_EQ(prompts().asked.at(1).text, EqualsWarning);
        EXPECT_EQ(prompts().asked.at(1).buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
        EXPECT_TRUE(saveDialog()->isVisible());
        EXPECT_EQ(nameEdit()->text(), QStringLiteral("a=b"));
        EXPECT_EQ(store().count(), 1);
        EXPECT_EQ(macroFile(), fileBefore);

        // Typing stops at 50 characters; a pasted line break never reaches the file.
        nameEdit()->clear();
        typeInto(nameEdit(), QString(49, QLatin1Char('x')) + QStringLiteral("яzz"));
        EXPECT_EQ(nameEdit()->text(), QString(49, QLatin1Char('x')) + QStringLiteral("я"));
        nameEdit()->setCursorPosition(1);
        nameEdit()->backspace();
        nameEdit()->insert(QStringLiteral("\r\n"));
        EXPECT_EQ(nameEdit()->text().size(), 49);
        typeInto(nameEdit(), QStringLiteral("x"));
        click("Btn_Ok");
    });
    EXPECT_EQ(store().count(), 2);
    EXPECT_EQ(store().name(1), QByteArray(49, 'x') + "\xff");
    EXPECT_EQ(MacroFile::parse(macroFile()).size(), 2);
}

TEST_F(SaveMacroTest, CloseButtonForgetsTheNameButTheCloseBoxKeepsIt)
{
    whileOpen("SaveAsMacr", saveDialog(), [&] {
        typeInto(nameEdit(), QStringLiteral("kept"));
        saveDialog()->close();
    });
    whileOpen("SaveAsMacr", saveDialog(), [&] {
        EXPECT_EQ(nameEdit()->text(), QStringLiteral("kept"));
        click("Btn_Close");
    });
    whileOpen("SaveAsMacr", saveDialog(), [&] { EXPECT_EQ(nameEdit()->text(), QString()); });
    EXPECT_EQ(store().count(), 1);
    EXPECT_TRUE(prompts().asked.isEmpty());
}

TEST_F(SaveMacroTest, AFailedWriteKeepsTheDialogOpenAndAddsNothing)
{
    QFile::remove(pathIn(QStringLiteral("Data/macros.mcr")));
    ASSERT_TRUE(QDir().mkpath(pathIn(QStringLiteral("Data/macros.mcr"))));
    whileOpen("SaveAsMacr", saveDialog(), [&] {
        typeInto(nameEdit(), QStringLiteral("Night"));
        click("Btn_Ok");
        click("Btn_Ok");
        EXPECT_TRUE(saveDialog()->isVisible());
        EXPECT_EQ(nameEdit()->text(), QStringLiteral("Night"));
        EXPECT_EQ(store().count(), 1);
        ASSERT_EQ(prompts().asked.size(), 2);
        EXPECT_EQ(prompts().asked.at(0).kind, PromptKind::Error);
        EXPECT_TRUE(prompts().asked.at(0).text.contains(QDir::toNativeSeparators(pathIn(QStringLiteral("Data/macros.mcr")))));
    });
    EXPECT_EQ(macroCaptions(), QStringList{QStringLiteral("Guard")});
}

class MacroManagerTest : public MacroUiFixture
{
protected:
    void startWithFive()
    {
        startWithMacros("  One=1,0,0,0,0,0,0,1,0,0,0,0,0,0,0,0,0,0,0,0,0,0\n"
                        "Two=2,0,0,0,0,0,0,2,0,0,0,0,0,0,0,0,0,0,0,0,0,0\n"
                        "Three=3,0,0,0,0,0,0,3,0,0,0,0,0,0,0,0,0,0,0,0,0,0\n"
                        "Four=4,0,0,0,0,0,0,4,0,0,0,0,0,0,0,0,0,0,0,0,0,0\n"
                        "Five=5,0,0,0,0,0,0,5,0,0,0,0,0,0,0,0,0,0,0,0,0,0\n");
    }
    QTableWidget *grid() { return in<QTableWidget>(manager(), "StringGrid1"); }
    QLineEdit *nameEdit() { return in<QLineEdit>(manager(), "Edit_MacrName"); }
    QWidget *control(const char *name) { return in<QWidget>(manager(), name); }
    void click(const char *button) { in<QAbstractButton>(manager(), button)->click(); }
    QStringList rows()
    {
        QStringList texts;
        for (int i = 0; i < grid()->rowCount(); ++i)
            texts << (grid()->item(i, 0) ? grid()->item(i, 0)->text() : QString());
        return texts;
    }
    QList<QByteArray> names()
    {
        QList<QByteArray> list;
        for (int i = 0; i < store().count(); ++i)
            list << store().name(i);
        return list;
    }
    // Selected row, Btn_MoveUp, Btn_MoveDown.
    std::tuple<int, bool, bool> selection()
    {
        return {grid()->currentRow(), control("Btn_MoveUp")->isEnabled(),
                control("Btn_MoveDown")->isEnabled()};
    }
};

TEST_F(MacroManagerTest, OpensWithTheFirstMacroSelected)
{
    startWithFive();
    whileOpen("MacrManager", manager(), [&] {
        EXPECT_EQ(rows(),
                  (QStringList{QStringLiteral("  One"), QStringLiteral("Two"), QStringLiteral("Three"),
                               QStringLiteral("Four"), QStringLiteral("Five")}));
        EXPECT_EQ(selection(), std::make_tuple(0, false, true));
        // As stored at opening, trimmed when a row is picked.
        EXPECT_EQ(nameEdit()->text(), QStringLiteral("  One"));
        grid()->setCurrentCell(4, 0);
        EXPECT_EQ(selection(), std::make_tuple(4, true, false));
        EXPECT_EQ(nameEdit()->text(), QStringLiteral("Five"));
        grid()->setCurrentCell(0, 0);
        EXPECT_EQ(nameEdit()->text(), QStringLiteral("One"));
        grid()->setCurrentCell(2, 0);
    });
    // Closing without a change leaves the file as it was, LF line ends included.
    EXPECT_FALSE(macroFile().contains('\r'));
    whileOpen("MacrManager", manager(), [&] { EXPECT_EQ(selection(), std::make_tuple(0, false, true)); });
}

TEST_F(MacroManagerTest, RenameKeepsPositionAndValuesAndReachesFileAndMenuOnClose)
{
    startWithFive();
    const QByteArray fileBefore = macroFile();
    whileOpen("MacrManager", manager(), [&] {
        grid()->setCurrentCell(1, 0);
        nameEdit()->setText(QStringLiteral("Второй"));
        click("Btn_Edit");
        EXPECT_EQ(rows().at(1), QStringLiteral("Второй"));
        EXPECT_EQ(store().entry(1),
                  QByteArray("\xc2\xf2\xee\xf0\xee\xe9=2,0,0,0,0,0,0,2,0,0,0,0,0,0,0,0,0,0,0,0,0,0"));

        // Enter renames too; an empty name is a name like any other.
        grid()->setCurrentCell(3, 0);
        nameEdit()->clear();
        pressEnter(nameEdit());
        EXPECT_EQ(store().entry(3), QByteArray("=4,0,0,0,0,0,0,4,0,0,0,0,0,0,0,0,0,0,0,0,0,0"));

        nameEdit()->setText(QStringLiteral("x=y"));
        click("Btn_Edit");
        EXPECT_EQ(prompts().messageTexts(), QStringList{EqualsWarning});
        EXPECT_EQ(nameEdit()->text(), QStringLiteral("x=y"));
        EXPECT_EQ(store().entry(3), QByteArray("=4,0,0,0,0,0,0,4,0,0,0,0,0,0,0,0,0,0,0,0,0,0"));

        EXPECT_EQ(macroFile(), fileBefore);
        EXPECT_EQ(macroCaptions().at(1), QStringLiteral("Two"));
    });
    EXPECT_EQ(macroFile(), MacroFile::encode(store().entries()));
    EXPECT_EQ(macroCaptions(), (QStringList{QStringLiteral("  One"), QStringLiteral("Второй"),
                                            QStringLiteral("Three"), QString(), QStringLiteral("Five")}));
}

TEST_F(MacroManagerTest, MovingSwapsNeighboursAndFollowsTheSelection)
{
    startWithFive();
    const QList<QByteArray> before = store().entries();
    whileOpen("MacrManager", manager(), [&] {
        click("Btn_MoveDown");
        EXPECT_EQ(names(), (QList<QByteArray>{"Two", "  One", "Three", "Four", "Five"}));
        EXPECT_EQ(rows().mid(0, 2), (QStringList{QStringLiteral("Two"), QStringLiteral("  One")}));
        EXPECT_EQ(selection(), std::make_tuple(1, true, true));
        EXPECT_EQ(nameEdit()->text(), QStringLiteral("One"));
        click("Btn_MoveUp");
        EXPECT_EQ(selection(), std::make_tuple(0, false, true));
        EXPECT_EQ(store().entries(), before);

        grid()->setCurrentCell(3, 0);
        click("Btn_MoveDown");
        EXPECT_EQ(selection(), std::make_tuple(4, true, false));
        EXPECT_EQ(names().mid(3), (QList<QByteArray>{"Five", "Four"}));
        click("Btn_MoveUp");
        EXPECT_EQ(store().entries(), before);
    });
    // Back as it was, yet written all the same: now with CR LF.
    EXPECT_EQ(macroFile(), MacroFile::encode(before));
}

TEST_F(MacroManagerTest, DeletingSelectsTheMacroAboveAndTheLastOneDisablesEverything)
{
    startWithFive();
    whileOpen("MacrManager", manager(), [&] {
        grid()->setCurrentCell(3, 0);
        click("Btn_Del");
        EXPECT_EQ(names(), (QList<QByteArray>{"  One", "Two", "Three", "Five"}));
        EXPECT_EQ(rows().size(), 4);
        EXPECT_EQ(selection(), std::make_tuple(2, true, true));
        EXPECT_EQ(nameEdit()->text(), QStringLiteral("Three"));
        EXPECT_EQ(manager()->selectedPosition(), 2);

        grid()->setCurrentCell(0, 0);
        click("Btn_Del");
        EXPECT_EQ(selection(), std::make_tuple(0, false, true));
        EXPECT_EQ(nameEdit()->text(), QStringLiteral("Two"));
        click("Btn_Del");
        click("Btn_Del");
        EXPECT_EQ(names(), QList<QByteArray>{"Five"});
        EXPECT_EQ(selection(), std::make_tuple(0, false, false));
        EXPECT_TRUE(main().Btn_Macr()->isEnabled());
        click("Btn_Del");

        EXPECT_EQ(rows(), QStringList{QString()});
        for (const char *name :
             {"StringGrid1", "Edit_MacrName", "Btn_Edit", "Btn_Del", "Btn_MoveUp", "Btn_MoveDown"})
            EXPECT_FALSE(control(name)->isEnabled()) << name;
        EXPECT_TRUE(control("Btn_Close")->isEnabled());
        EXPECT_FALSE(main().Btn_Macr()->isEnabled());
        EXPECT_FALSE(action("MacrManager")->isEnabled());
        EXPECT_EQ(macroCaptions().size(), 5); // the menu waits for the closing
    });
    EXPECT_EQ(macroFile(), QByteArray());
    EXPECT_EQ(macroMenu()->actions().size(), 2);
    EXPECT_FALSE(main().Btn_Macr()->isEnabled());
}

TEST_F(MacroManagerTest, AFailedWriteKeepsTheManagerOpenAndOnceChangedItAlwaysWrites)
{
    startWithFive();
    whileOpen("MacrManager", manager(), [&] {
        click("Btn_MoveDown");
        QFile::remove(pathIn(QStringLiteral("Data/macros.mcr")));
        ASSERT_TRUE(QDir().mkpath(pathIn(QStringLiteral("Data/macros.mcr"))));
        click("Btn_Close");
        EXPECT_TRUE(manager()->isVisible());
        manager()->close();
        EXPECT_TRUE(manager()->isVisible());
        EXPECT_EQ(prompts().messageTexts().size(), 2);
        EXPECT_EQ(macroCaptions().first(), QStringLiteral("  One"));
        ASSERT_TRUE(QDir(pathIn(QStringLiteral("Data/macros.mcr"))).removeRecursively());
        click("Btn_Close");
    });
    EXPECT_EQ(macroCaptions().first(), QStringLiteral("Two"));
    EXPECT_EQ(macroFile(), MacroFile::encode(store().entries()));

    // Another opening without a change still writes.
    QFile::remove(pathIn(QStringLiteral("Data/macros.mcr")));
    whileOpen("MacrManager", manager(), [&] { click("Btn_Close"); });
    EXPECT_EQ(macroFile(), MacroFile::encode(store().entries()));
}
