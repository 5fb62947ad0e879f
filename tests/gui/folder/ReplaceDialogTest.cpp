#include "gui/folder/ReplaceDialog.h"

#include "common/Windows1251.h"
#include "gui/dialogue/PhrasesWindow.h"
#include "session/ScriptSession.h"
#include "support/AppFixture.h"
#include "support/DialogueFileBytes.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeWidget>

namespace
{

QByteArray cp(const QString &text)
{
    return toWindows1251(text);
}

} // namespace

class ReplaceDialogTest : public AppFixture
{
protected:
    void SetUp() override
    {
        AppFixture::SetUp();
        writeScript(QStringLiteral("scripts/057.npc"), NpcRecords{});
        writeFile(QStringLiteral("scripts/057.edt"),
                  dialogueFileBytes({cp(QStringLiteral("Иван пришёл")), "-", cp(QStringLiteral("иван"))}));
        writeScript(QStringLiteral("scripts/sub/112.npc"), NpcRecords{});
        writeFile(QStringLiteral("scripts/sub/112.edt"),
                  dialogueFileBytes({cp(QStringLiteral("Привет, Иван")), QByteArray(236, 'x') + cp(QStringLiteral("Иван"))}));
        start({pathIn(QStringLiteral("scripts/057.npc"))});
        prompts().clear();
    }
    ReplaceDialog &dialog() { return *main().findChild<ReplaceDialog *>(); }
    template <typename T> T *control(const char *name)
    {
        T *widget = dialog().findChild<T *>(QLatin1String(name));
        EXPECT_NE(widget, nullptr) << name;
        return widget;
    }
    QTreeWidget *tree() { return control<QTreeWidget>("Tree_Replacements"); }
    QStringList rows()
    {
        QStringList list;
        for (int i = 0; i < tree()->topLevelItemCount(); ++i) {
            const QTreeWidgetItem *item = tree()->topLevelItem(i);
            list << QStringList{item->text(0), item->text(1), item->text(2), item->text(3)}.join(u'|');
        }
        return list;
    }
    void ask(const QString &text, const QString &with, bool folder)
    {
        trigger("ReplaceText");
        control<QLineEdit>("Edit_ReplaceText")->setText(text);
        control<QLineEdit>("Edit_ReplaceWith")->setText(with);
        control<QComboBox>("Combo_ReplaceScope")->setCurrentIndex(folder ? 1 : 0);
        control<QPushButton>("Btn_Preview")->click();
    }
};

TEST_F(ReplaceDialogTest, ReplacesTheChosenLinesInTheOpenTextAsOneStepAndWritesTheOthers)
{
    EXPECT_EQ(action("ReplaceText")->shortcut(), QKeySequence(QStringLiteral("Ctrl+H")));
    EXPECT_TRUE(menu("Service_mMenu")->actions().contains(action("ReplaceText")));
    trigger("EditPhrases");
    auto *phrases = main().findChild<PhrasesWindow *>();
    ASSERT_NE(phrases, nullptr);
    EXPECT_TRUE(phrases->Table_Phrases()->actions().contains(action("ReplaceText")));

    trigger("ReplaceText");
    control<QCheckBox>("Check_IgnoreCase")->setChecked(true);
    ask(QStringLiteral("ИВАН"), QStringLiteral("Петруша"), true);
    const QString sub = QDir::toNativeSeparators(QStringLiteral("sub/112.edt"));
    EXPECT_EQ(rows(), (QStringList{QStringLiteral("057.edt|0|Иван пришёл|Петруша пришёл"),
                                   QStringLiteral("057.edt|2|иван|Петруша"),
                                   sub + QStringLiteral("|0|Привет, Иван|Привет, Петруша"),
                                   sub + QStringLiteral("|1|") + QString(236, u'x') + QStringLiteral("Иван|") +
                                       QStringLiteral("Фраза длиннее 240 знаков: 243. — ") + QString(236, u'x') +
                                       QStringLiteral("Петруша")}));
    EXPECT_FALSE(tree()->topLevelItem(3)->flags() & Qt::ItemIsUserCheckable) << "a refused line cannot be chosen";
    EXPECT_TRUE(control<QLabel>("Lbl_ReplaceStatus")->text().contains(QStringLiteral("красным")));

    const QByteArray openOnDisk = readFile(QStringLiteral("scripts/057.edt"));
    tree()->topLevelItem(1)->setCheckState(0, Qt::Unchecked);
    control<QPushButton>("Btn_Replace")->click();
    EXPECT_EQ(prompts().messageTexts(), QStringList());
    EXPECT_EQ(session().dialogue().text().at(0), cp(QStringLiteral("Петруша пришёл")));
    EXPECT_EQ(session().dialogue().text().at(2), cp(QStringLiteral("иван")));
    EXPECT_EQ(readFile(QStringLiteral("scripts/057.edt")), openOnDisk) << "the open text is saved with its script";
    EXPECT_EQ(readFile(QStringLiteral("scripts/sub/112.edt")),
              dialogueFileBytes({cp(QStringLiteral("Привет, Петруша")), QByteArray(236, 'x') + cp(QStringLiteral("Иван"))}));
    EXPECT_EQ(action("Undo")->text(), QStringLiteral("Отменить: замена в текстах"));
    trigger("Undo");
    EXPECT_EQ(session().dialogue().text().at(0), cp(QStringLiteral("Иван пришёл")));
}

TEST_F(ReplaceDialogTest, SaysWhyNothingCanBeReplaced)
{
    trigger("ReplaceText");
    control<QCheckBox>("Check_Regex")->setChecked(true);
    ask(QStringLiteral("и*"), QStringLiteral("x"), false);
    EXPECT_TRUE(control<QLabel>("Lbl_ReplaceStatus")->text().contains(QStringLiteral("пустой строкой")));
    EXPECT_EQ(rows(), QStringList());
    EXPECT_FALSE(control<QPushButton>("Btn_Replace")->isEnabled());

    ask(QStringLiteral("Иван"), QStringLiteral("x"), false);
    EXPECT_EQ(rows().size(), 1) << "this script only";
    // The text changed since the preview: shown again, nothing replaced.
    ASSERT_TRUE(session().editPhrase(0, QStringLiteral("Иван ушёл")));
    control<QPushButton>("Btn_Replace")->click();
    EXPECT_EQ(session().dialogue().text().at(0), cp(QStringLiteral("Иван ушёл")));
    EXPECT_EQ(rows(), QStringList{QStringLiteral("057.edt|0|Иван ушёл|x ушёл")});
    EXPECT_TRUE(control<QLabel>("Lbl_ReplaceStatus")->text().startsWith(QStringLiteral("Фразы изменились")));
}
