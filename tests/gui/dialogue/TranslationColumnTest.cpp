#include "gui/dialogue/PhraseEditDelegate.h"
#include "gui/dialogue/PhraseTableModel.h"
#include "gui/dialogue/PhrasesWindow.h"
#include "gui/dialogue/TranslationCommands.h"
#include "gui/dialogue/TypeIntoCell.h"
#include "session/OpenTranslation.h"
#include "support/AppFixture.h"
#include "support/DialogueFileBytes.h"

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QTableView>
#include <QTest>

namespace
{

const QByteArray Po = "# Our translation\n"
                      "msgid \"\"\n"
                      "msgstr \"\"\n"
                      "\"Content-Type: text/plain; charset=UTF-8\\n\"\n"
                      "\n"
                      "#: 057.edt:0\n"
                      "msgctxt \"057.edt\"\n"
                      "msgid \"Hello\"\n"
                      "msgstr \"Привет\"\n"
                      "\n"
                      "#, fuzzy\n"
                      "#| msgid \"How are you?\"\n"
                      "msgctxt \"057.edt\"\n"
                      "msgid \"How are you\"\n"
                      "msgstr \"Как дела?\"\n"
                      "\n"
                      "msgctxt \"058.edt\"\n"
                      "msgid  \"Hello\"\n"
                      "msgstr \"Здорово\"\n";

} // namespace

class TranslationColumnTest : public AppFixture
{
protected:
    void SetUp() override
    {
        AppFixture::SetUp();
        start();
        writeFile(QStringLiteral("npc/057.npc"), NpcWriter::encode(NpcRecords{}, NpcLayout::StandardLayout));
        writeFile(QStringLiteral("npc/057.edt"), dialogueFileBytes({"Hello", "How are you", "", "Bye"}));
        writeFile(QStringLiteral("ru.po"), Po);
        prompts().files << pathIn(QStringLiteral("npc/057.npc"));
        trigger("Open");
        trigger("EditPhrases");
        prompts().clear();
    }

    PhrasesWindow &window() { return *m_windows->phrases.get(); }
    QTableView *table() { return window().Table_Phrases(); }
    QString cell(int row, int column) { return table()->model()->index(row, column).data().toString(); }
    QString column(int column)
    {
        QStringList texts;
        for (int row = 0; row < table()->model()->rowCount(); ++row)
            texts << cell(row, column);
        return texts.join(QLatin1Char('|'));
    }
    QAction *windowAction(const char *name) { return window().findChild<QAction *>(QLatin1String(name)); }
    void openTranslation()
    {
        prompts().files << pathIn(QStringLiteral("ru.po"));
        windowAction("OpenTranslation")->trigger();
        QApplication::processEvents();
    }
    void typeTranslation(int row, const QString &text)
    {
        typeIntoCell(table(), row, PhraseTableModel::TranslationColumn, text);
        QApplication::processEvents(); // the translation's rows follow it a step later
    }
};

TEST_F(TranslationColumnTest, ShowsEachLinesTranslationAndStateWithTheCounts)
{
    EXPECT_TRUE(table()->isColumnHidden(PhraseTableModel::TranslationColumn));
    EXPECT_FALSE(window().Check_Untranslated()->isVisible());
    openTranslation();
    ASSERT_EQ(prompts().asked.size(), 1);
    EXPECT_EQ(prompts().asked[0].text, QStringLiteral("Открыть перевод"));
    EXPECT_FALSE(table()->isColumnHidden(PhraseTableModel::TranslationColumn));
    EXPECT_EQ(table()->model()->headerData(PhraseTableModel::TranslationColumn, Qt::Horizontal).toString(),
              QStringLiteral("Перевод"));
    EXPECT_EQ(column(PhraseTableModel::TranslationColumn), QStringLiteral("Привет|Как дела?||"));
    EXPECT_EQ(column(PhraseTableModel::StateColumn), QStringLiteral("переведено|неточно||нет"));
    EXPECT_EQ(window().Lbl_TranslationCounts()->text(),
              QStringLiteral("ru.po: переведено 1, без перевода 1, неточных 1"));
    EXPECT_FALSE(windowAction("SaveTranslation")->isEnabled());

    window().Check_Untranslated()->setChecked(true);
    EXPECT_EQ(column(PhraseTableModel::NumberColumn), QStringLiteral("1|3")) << "fuzzy and missing; blank never";
    window().Check_Untranslated()->setChecked(false);
    EXPECT_EQ(table()->model()->rowCount(), 4);
}

TEST_F(TranslationColumnTest, EditsClearTheFuzzyMarkAndSavingKeepsEveryOtherEntry)
{
    openTranslation();
    typeTranslation(1, QStringLiteral("Как поживаешь?"));
    typeTranslation(3, QStringLiteral("Пока"));
    EXPECT_EQ(column(PhraseTableModel::StateColumn), QStringLiteral("переведено|переведено||переведено"));
    EXPECT_EQ(window().Lbl_TranslationCounts()->text(),
              QStringLiteral("ru.po: переведено 3, без перевода 0, неточных 0 (изменён)"));
    EXPECT_EQ(readFile(QStringLiteral("ru.po")), Po) << "nothing written before it is asked";

    // A translation the game cannot show is refused and stays in the editor.
    typeTranslation(0, QStringLiteral("日本"));
    ASSERT_EQ(prompts().messageTexts().size(), 1);
    EXPECT_EQ(prompts().messageTexts()[0],
              QStringLiteral("Знака «日» (U+65E5) нет в кодировке Windows-1251: в фразу его не записать."));
    QApplication::processEvents();
    auto *reopened = qobject_cast<PhraseLineEdit *>(
        table()->indexWidget(table()->model()->index(0, PhraseTableModel::TranslationColumn)));
    ASSERT_NE(reopened, nullptr);
    EXPECT_EQ(reopened->text(), QStringLiteral("日本"));
    QTest::keyClick(reopened, Qt::Key_Escape);
    EXPECT_EQ(cell(0, PhraseTableModel::TranslationColumn), QStringLiteral("Привет"));

    ASSERT_TRUE(windowAction("SaveTranslation")->isEnabled());
    windowAction("SaveTranslation")->trigger();
    QApplication::processEvents();
    EXPECT_FALSE(windowAction("SaveTranslation")->isEnabled());
    const QByteArray expected = QByteArray(Po).replace("#, fuzzy\n#| msgid \"How are you?\"\n", "")
                                    .replace("msgstr \"Как дела?\"", "msgstr \"Как поживаешь?\"") +
                                "\n#: 057.edt:3\nmsgctxt \"057.edt\"\nmsgid \"Bye\"\nmsgstr \"Пока\"\n";
    EXPECT_EQ(readFile(QStringLiteral("ru.po")), expected);
}

TEST_F(TranslationColumnTest, ABrokenFileChangesNothingAndUnsavedWorkIsAskedAbout)
{
    openTranslation();
    typeTranslation(3, QStringLiteral("Пока"));
    writeFile(QStringLiteral("bad.po"), "msgid \"open\nmsgstr \"\"\n");
    prompts().clear();
    prompts().answers << QMessageBox::No;
    prompts().files << pathIn(QStringLiteral("bad.po"));
    windowAction("OpenTranslation")->trigger();
    QApplication::processEvents();
    const QStringList texts = prompts().messageTexts();
    ASSERT_EQ(texts.size(), 2);
    EXPECT_TRUE(texts[0].startsWith(QStringLiteral("Перевод "))) << texts[0].toStdString();
    EXPECT_TRUE(texts[1].endsWith(QStringLiteral("bad.po:\r\nстрока 1: нарушены кавычки строки")))
        << texts[1].toStdString();
    EXPECT_EQ(window().translation().path(), pathIn(QStringLiteral("ru.po")));
    EXPECT_EQ(cell(3, PhraseTableModel::TranslationColumn), QStringLiteral("Пока")) << "the edit is still there";

    // Cancel keeps the open translation without a file dialog.
    prompts().clear();
    prompts().answers << QMessageBox::Cancel;
    windowAction("OpenTranslation")->trigger();
    EXPECT_EQ(prompts().asked.size(), 1);
    EXPECT_TRUE(window().translation().isModified());

    // Closing the program asks too; Yes saves before it ends.
    prompts().clear();
    prompts().answers << QMessageBox::Cancel;
    EXPECT_FALSE(main().close());
    prompts().answers << QMessageBox::Yes;
    EXPECT_TRUE(main().close());
    EXPECT_TRUE(readFile(QStringLiteral("ru.po")).endsWith("msgid \"Bye\"\nmsgstr \"Пока\"\n"));
}
