#include "common/Windows1251.h"
#include "gui/dialogue/PhraseEditDelegate.h"
#include "gui/dialogue/PhraseTableModel.h"
#include "gui/dialogue/PhrasesWindow.h"
#include "gui/folder/ProblemsWindow.h"
#include "session/OpenTranslation.h"
#include "session/SessionSpelling.h"
#include "spelling/SpellChecker.h"
#include "support/AppFixture.h"
#include "support/DialogueFileBytes.h"

#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QMenu>
#include <QStyleOptionViewItem>
#include <QTableView>
#include <QTreeWidget>

class PhraseSpellingTest : public AppFixture
{
protected:
    void SetUp() override
    {
        AppFixture::SetUp();
        NpcRecords records{};
        writeScript(QStringLiteral("npc/057.npc"), records);
        writeFile(QStringLiteral("npc/057.edt"),
                  dialogueFileBytes({toWindows1251(QStringLiteral("Превет, путник")), "Hello"}));
        start({pathIn(QStringLiteral("npc/057.npc"))});
        session().spelling().setPersonalPath(pathIn(QStringLiteral("home/words.txt")));
        prompts().clear();
        trigger("EditPhrases");
        QApplication::processEvents();
    }
    PhrasesWindow &window() { return *m_windows->phrases.get(); }
    // The menu a right click on the first word of line 0 opens.
    std::unique_ptr<QMenu> menuOnFirstWord()
    {
        QTableView *table = window().Table_Phrases();
        const QModelIndex index = table->model()->index(0, PhraseTableModel::TextColumn);
        const QRect cell = table->visualRect(index);
        return std::unique_ptr<QMenu>(window().contextMenuAt(QPoint(cell.left() + 12, cell.center().y())));
    }
    QStringList captions(const QMenu &menu)
    {
        QStringList list;
        for (const QAction *action : menu.actions())
            list << (action->isSeparator() ? QStringLiteral("-") : action->text());
        return list;
    }
};

TEST_F(PhraseSpellingTest, ARightClickOffersSuggestionsAndKeepsAddedWords)
{
    std::unique_ptr<QMenu> menu = menuOnFirstWord();
    QStringList items = captions(*menu);
    const qsizetype add = items.indexOf(QStringLiteral("Добавить в словарь"));
    ASSERT_GT(add, 0) << items.join(u'|').toStdString();
    EXPECT_LE(add, 7);
    EXPECT_EQ(items.at(add + 1), QStringLiteral("-"));
    EXPECT_TRUE(items.mid(add + 2).contains(action("InsertPhrase")->text())) << "the commands follow";
    ASSERT_TRUE(items.contains(QStringLiteral("Привет")));

    menu->actions().at(items.indexOf(QStringLiteral("Привет")))->trigger();
    EXPECT_EQ(session().dialogue().text().at(0), toWindows1251(QStringLiteral("Привет, путник")));
    EXPECT_EQ(action("Undo")->text(), QStringLiteral("Отменить: изменение фразы 0"));
    trigger("Undo");

    menu = menuOnFirstWord();
    items = captions(*menu);
    menu->actions().at(items.indexOf(QStringLiteral("Добавить в словарь")))->trigger();
    QFile words(pathIn(QStringLiteral("home/words.txt")));
    ASSERT_TRUE(words.open(QIODevice::ReadOnly));
    EXPECT_EQ(words.readAll(), QByteArray("Превет\n"));
    EXPECT_FALSE(captions(*menuOnFirstWord()).contains(QStringLiteral("Добавить в словарь")));

    // Off: nothing is offered.
    session().spelling().setPersonalPath(pathIn(QStringLiteral("home/other.txt")));
    window().Spelling()->trigger();
    EXPECT_FALSE(session().spelling().isOn());
    EXPECT_FALSE(captions(*menuOnFirstWord()).contains(QStringLiteral("Добавить в словарь")));
    EXPECT_EQ(prompts().messageTexts(), QStringList());
}

TEST_F(PhraseSpellingTest, AMissingDictionaryIsSaidOnce)
{
    window().hide();
    window().Combo_SpellLang()->addItem(QStringLiteral("qq_QQ"));
    window().Combo_SpellLang()->setCurrentText(QStringLiteral("qq_QQ"));
    trigger("EditPhrases");
    QApplication::processEvents();
    window().hide();
    trigger("EditPhrases");
    QApplication::processEvents();
    ASSERT_EQ(prompts().messageTexts().size(), 1);
    EXPECT_TRUE(prompts().messageTexts().first().startsWith(QStringLiteral("Нет словаря qq_QQ для проверки орфографии: ")));
    EXPECT_EQ(captions(*menuOnFirstWord()).indexOf(QStringLiteral("Добавить в словарь")), -1);
}

TEST_F(PhraseSpellingTest, TheProblemsWindowListsTheUnknownWords)
{
    trigger("CheckScript");
    auto *problems = main().findChild<ProblemsWindow *>();
    ASSERT_NE(problems, nullptr);
    auto *summary = problems->findChild<QLabel *>(QStringLiteral("Lbl_ProblemsSummary"));
    while (summary->text().endsWith(QStringLiteral("…")))
        QApplication::processEvents();
    QStringList messages;
    for (int i = 0; i < problems->List_Problems()->topLevelItemCount(); ++i)
        messages << problems->List_Problems()->topLevelItem(i)->text(2);
    EXPECT_TRUE(messages.contains(QStringLiteral("фраза 0: неизвестное слово «Превет»"))) << messages.join(u'|').toStdString();
    EXPECT_TRUE(messages.contains(QStringLiteral("фраза 1: неизвестное слово «Hello»")));
    EXPECT_TRUE(summary->text().endsWith(QStringLiteral("Неизвестных слов: 2.")));
}

TEST_F(PhraseSpellingTest, ATranslationIsCheckedInTheLanguageItsFileDeclares)
{
    writeFile(QStringLiteral("en.po"), "msgid \"\"\nmsgstr \"Language: en\\n\"\n\n"
                                       "msgctxt \"057.edt\"\nmsgid \"Hello\"\nmsgstr \"Peace to you, friend\"\n");
    ASSERT_TRUE(window().translation().open(pathIn(QStringLiteral("en.po"))));
    QApplication::processEvents(); // the window hears of it queued
    EXPECT_EQ(window().translation().catalogue().language(), QStringLiteral("en"));
    SessionSpelling &spelling = session().spelling();
    const SpellChecker *russian = spelling.checkerFor(QString());
    const SpellChecker *english = spelling.checkerFor(QStringLiteral("en"));
    ASSERT_NE(russian, nullptr);
    ASSERT_NE(english, nullptr);
    EXPECT_EQ(spelling.checkerFor(QStringLiteral("ru")), russian);
    EXPECT_TRUE(english->check(u"Peace to you, friend").isEmpty());
    EXPECT_FALSE(russian->check(u"Peace to you, friend").isEmpty());
    EXPECT_FALSE(english->check(u"Привет, путник").isEmpty());

    // The editor of a translation cell underlines in that language.
    QTableView *table = window().Table_Phrases();
    const QModelIndex cell = table->model()->index(1, PhraseTableModel::TranslationColumn);
    std::unique_ptr<QWidget> editor(
        table->itemDelegateForColumn(PhraseTableModel::TranslationColumn)->createEditor(nullptr, {}, cell));
    auto *line = qobject_cast<PhraseLineEdit *>(editor.get());
    ASSERT_NE(line, nullptr);
    EXPECT_EQ(line->spellingLanguage(), QStringLiteral("en"));
}
