#include "gui/folder/FindUsagesDialog.h"

#include "common/Windows1251.h"
#include "document/NpcFile.h"
#include "gui/dialogue/PhrasesWindow.h"
#include "support/AppFixture.h"
#include "support/DialogueFileBytes.h"
#include "support/QtPrinters.h"
#include "support/UsedRecord.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>
#include <QTreeView>

namespace
{

const QString OpenQuestion =
    QStringLiteral("Текущие данные не сохранены.\r\nВы уверены, что хотите открыть новый скрипт?");

// A script whose records hold the fact in the given field.
NpcRecords factIn(std::initializer_list<std::pair<int, NpcField>> places, quint16 fact = 5)
{
    NpcRecords records{};
    for (const auto &[record, field] : places) {
        records[record] = usedRecord(1);
        records[record].setValue(field, fact);
    }
    return records;
}

// Types the text as key presses; QTest's own typing knows only ASCII letters.
void typeInto(QWidget *widget, const QString &text)
{
    for (const QChar c : text) {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(c));
        QCoreApplication::sendEvent(widget, &press);
    }
}

} // namespace

class FindUsagesDialogTest : public AppFixture
{
protected:
    void SetUp() override
    {
        AppFixture::SetUp();
        writeFile(QStringLiteral("Data/Trigg.txt"),
                  toWindows1251(QStringLiteral("4=Мост сожжён\r\n5=Ворота открыты\r\n6=Ворота заперты\r\n")));
        writeScript(QStringLiteral("scripts/057.npc"), factIn({{2, NpcField::TriggT}}));
        writeScript(QStringLiteral("scripts/112.npc"),
                    factIn({{7, NpcField::Trigg2T}, {9, NpcField::TriggF}, {10, NpcField::Leader}}));
        writeScript(QStringLiteral("scripts/sub/200.NPC"), factIn({{0, NpcField::TriggT}}));
        writeScript(QStringLiteral("scripts/300.npc"), factIn({{0, NpcField::TriggT}}, 6));
        writeFile(QStringLiteral("scripts/broken.npc"), "not a script");
        start({pathIn(QStringLiteral("scripts/057.npc"))});
        prompts().clear();
    }

    FindUsagesDialog &dialog() { return *main().findChild<FindUsagesDialog *>(); }
    template <typename T> T *control(const char *name)
    {
        T *widget = dialog().findChild<T *>(QLatin1String(name));
        EXPECT_NE(widget, nullptr) << name;
        return widget;
    }
    QTreeView *results() { return control<QTreeView>("List_Usages"); }
    QString status() { return control<QLabel>("Lbl_Status")->text(); }
    void findToTheEnd()
    {
        control<QPushButton>("Btn_Find")->click();
        while (dialog().isSearching())
            QCoreApplication::processEvents();
    }
    // The rows of the results, the columns joined by " | ".
    QStringList rows()
    {
        QStringList list;
        const QAbstractItemModel *model = results()->model();
        for (int row = 0; row < model->rowCount(); ++row) {
            QStringList cells;
            for (int column = 0; column < model->columnCount(); ++column)
                cells << model->index(row, column).data().toString();
            list << cells.join(QStringLiteral(" | "));
        }
        return list;
    }
    void pickKind(const QString &caption)
    {
        auto *what = control<QComboBox>("Combo_What");
        what->setCurrentIndex(what->findText(caption));
        ASSERT_EQ(what->currentText(), caption);
    }
    void pickField(NpcField field, const QString &number)
    {
        pickKind(QStringLiteral("Поле записи и число"));
        control<QComboBox>("Combo_Field")->setCurrentIndex(int(field));
        control<QLineEdit>("Edit_Value")->setText(number);
    }
    void doubleClickRow(int row)
    {
        QTreeView *view = results();
        QCoreApplication::processEvents(); // lays out the rows the last batch added
        const QModelIndex index = view->model()->index(row, 0);
        const QPoint centre = view->visualRect(index).center();
        // Offscreen, a window's first double-click arrives as a lone press; a click on the
        // row first, as a user's own, makes it arrive whole.
        QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, centre);
        QTest::mouseDClick(view->viewport(), Qt::LeftButton, {}, centre);
    }
};

TEST_F(FindUsagesDialogTest, FindsAFactPickedByNameInEveryScriptOfTheFolder)
{
    session().commitField(NpcField::TriggF, QStringLiteral("5")); // record 0, not saved
    trigger("FindUsages");
    ASSERT_TRUE(dialog().isVisible());
    EXPECT_EQ(control<QLineEdit>("Edit_Folder")->text(),
              QDir::toNativeSeparators(pathIn(QStringLiteral("scripts"))));
    EXPECT_TRUE(control<QComboBox>("Combo_What")->currentText().startsWith(QStringLiteral("Факт")));

    auto *filter = control<QLineEdit>("Edit_Filter");
    typeInto(filter, QStringLiteral("ВОРОТА"));
    auto *names = control<QListView>("List_Names");
    ASSERT_EQ(names->model()->rowCount(), 2);
    EXPECT_EQ(names->currentIndex().data().toString(), QStringLiteral("5. Ворота открыты"));
    QTest::keyClick(filter, Qt::Key_Down); // the arrows move through the names
    EXPECT_EQ(names->currentIndex().data().toString(), QStringLiteral("6. Ворота заперты"));
    QTest::keyClick(filter, Qt::Key_Up);

    control<QPushButton>("Btn_Find")->click();
    dialog().step(); // a few files: no progress bar, no Stop
    EXPECT_FALSE(control<QPushButton>("Btn_Stop")->isVisible());
    EXPECT_FALSE(control<QProgressBar>("ProgressBar")->isVisible());
    findToTheEnd();
    const QString name = QStringLiteral(" (Ворота открыты)");
    EXPECT_EQ(rows(), QStringList({QStringLiteral("057.npc | 0 | Триггер - ЛОЖЬ | 5") + name,
                                   QStringLiteral("057.npc | 2 | Триггер - ИСТИНА | 5") + name,
                                   QStringLiteral("112.npc | 7 | Триггер в ИСТИНА | 5") + name,
                                   QStringLiteral("112.npc | 9 | Триггер - ЛОЖЬ | 5") + name,
                                   QDir::toNativeSeparators(QStringLiteral("sub/200.NPC")) +
                                       QStringLiteral(" | 0 | Триггер - ИСТИНА | 5") + name}));
    EXPECT_EQ(status(), QStringLiteral("Найдено: 5 записей в 3 скриптах. Не удалось прочитать: 1 файл."));
    EXPECT_TRUE(control<QLabel>("Lbl_Status")->toolTip().contains(QStringLiteral("broken.npc")));

    typeInto(filter, QStringLiteral(" сожжён"));
    EXPECT_EQ(names->model()->rowCount(), 0);
    control<QPushButton>("Btn_Find")->click();
    EXPECT_EQ(status(), QStringLiteral("Выберите название в списке."));
    filter->setText(QStringLiteral("4"));
    findToTheEnd();
    EXPECT_TRUE(rows().isEmpty());
    EXPECT_EQ(status(), QStringLiteral("Ничего не найдено в 4 скриптах. Не удалось прочитать: 1 файл."));
    EXPECT_TRUE(prompts().asked.isEmpty());
}

TEST_F(FindUsagesDialogTest, OpensAnotherScriptAtTheRecordAfterTheUnsavedChangesQuestion)
{
    session().commitField(NpcField::Leader, QStringLiteral("7"));
    trigger("FindUsages");
    control<QLineEdit>("Edit_Filter")->setText(QStringLiteral("открыты"));
    findToTheEnd();
    ASSERT_EQ(rows().size(), 4);

    doubleClickRow(2); // 112.npc, record 9; answered No
    EXPECT_EQ(prompts().messageTexts(), QStringList{OpenQuestion});
    EXPECT_EQ(session().document().path, pathIn(QStringLiteral("scripts/057.npc")));
    EXPECT_TRUE(session().isModified());
    EXPECT_EQ(session().currentRecord().Leader, 7);

    prompts().answers << QMessageBox::Yes;
    doubleClickRow(2);
    EXPECT_EQ(session().document().path, pathIn(QStringLiteral("scripts/112.npc")));
    EXPECT_EQ(session().CurRec(), 9);
    EXPECT_TRUE(dialog().isVisible());

    // Enter on a result in the script now open selects the record without a question.
    prompts().clear();
    results()->setCurrentIndex(results()->model()->index(1, 0));
    QTest::keyClick(results(), Qt::Key_Return);
    EXPECT_EQ(session().CurRec(), 7);
    EXPECT_TRUE(prompts().asked.isEmpty());
    EXPECT_EQ(rows().size(), 4); // Enter opened, it did not search again

    QTest::keyClick(&dialog(), Qt::Key_Escape);
    EXPECT_FALSE(dialog().isVisible());
}

TEST_F(FindUsagesDialogTest, FindsAFieldAndANumberInAChosenFolder)
{
    trigger("FindUsages");
    pickField(NpcField::Leader, QStringLiteral("1000"));
    control<QPushButton>("Btn_Find")->click();
    EXPECT_EQ(status(), QStringLiteral("Число 1000 не помещается в поле Leader (от -128 до 255)."));
    EXPECT_TRUE(rows().isEmpty());

    prompts().files << pathIn(QStringLiteral("scripts/sub"));
    control<QPushButton>("Btn_Folder")->click();
    ASSERT_EQ(prompts().asked.size(), 1);
    EXPECT_EQ(prompts().asked.first().type, AskedPrompt::Folder);
    EXPECT_EQ(control<QLineEdit>("Edit_Folder")->text(),
              QDir::toNativeSeparators(pathIn(QStringLiteral("scripts/sub"))));

    // -1 is the none value of a field.
    pickField(NpcField::ControlRec, QStringLiteral("-1"));
    QTest::keyClick(control<QLineEdit>("Edit_Value"), Qt::Key_Return);
    while (dialog().isSearching())
        QCoreApplication::processEvents();
    EXPECT_EQ(rows(), QStringList{QStringLiteral("200.NPC | 0 | Запись No | -1")});
    EXPECT_EQ(status(), QStringLiteral("Найдено: 1 запись в 1 скрипте."));

    // Shown again, it looks in the open script's folder.
    dialog().close();
    trigger("FindUsages");
    EXPECT_EQ(control<QLineEdit>("Edit_Folder")->text(),
              QDir::toNativeSeparators(pathIn(QStringLiteral("scripts"))));
    prompts().files << pathIn(QStringLiteral("gone"));
    control<QPushButton>("Btn_Folder")->click();
    findToTheEnd();
    EXPECT_EQ(status(), QStringLiteral("Папка не найдена: ") +
                            QDir::toNativeSeparators(pathIn(QStringLiteral("gone"))));
}

TEST_F(FindUsagesDialogTest, ManyScriptsShowProgressAndCanBeStopped)
{
    for (int i = 0; i < 130; ++i)
        writeScript(QStringLiteral("many/%1.npc").arg(i, 3, 10, QLatin1Char('0')),
                    factIn({{3, NpcField::TriggT}}));
    trigger("FindUsages");
    prompts().files << pathIn(QStringLiteral("many"));
    control<QPushButton>("Btn_Folder")->click();
    control<QLineEdit>("Edit_Filter")->setText(QStringLiteral("открыты"));

    control<QPushButton>("Btn_Find")->click();
    dialog().step(); // lists the folder
    auto *stop = control<QPushButton>("Btn_Stop");
    auto *progress = control<QProgressBar>("ProgressBar");
    EXPECT_TRUE(stop->isVisible());
    EXPECT_TRUE(progress->isVisible());
    EXPECT_EQ(progress->maximum(), 130);
    dialog().step();
    EXPECT_EQ(progress->value(), FindUsagesDialog::BatchFiles);
    EXPECT_EQ(status(), QStringLiteral("Просмотрено скриптов: 25 из 130"));
    EXPECT_EQ(rows().size(), FindUsagesDialog::BatchFiles);

    stop->click();
    QCoreApplication::processEvents();
    EXPECT_FALSE(dialog().isSearching());
    EXPECT_EQ(rows().size(), FindUsagesDialog::BatchFiles);
    EXPECT_FALSE(stop->isVisible());
    EXPECT_FALSE(progress->isVisible());
    EXPECT_EQ(status(),
              QStringLiteral("Поиск остановлен (просмотрено скриптов: 25 из 130). Найдено: 25 записей в "
                             "25 скриптах."));

    // Closing the window stops a search too.
    control<QPushButton>("Btn_Find")->click();
    dialog().step();
    QTest::keyClick(&dialog(), Qt::Key_Escape);
    EXPECT_FALSE(dialog().isVisible());
    EXPECT_FALSE(dialog().isSearching());
}

TEST_F(FindUsagesDialogTest, FindsPhraseTextInTheDialogueFilesAndOpensWhereItIsSpoken)
{
    NpcRecords speaking = factIn({{7, NpcField::TriggT}});
    speaking[7].Phrase = 1;
    writeScript(QStringLiteral("scripts/112.npc"), speaking);
    writeFile(QStringLiteral("scripts/112.EDT"),
              dialogueFileBytes({"Hello", toWindows1251(QStringLiteral("Открой ВОРОТА, страж")), "Bye"}));
    writeFile(QStringLiteral("scripts/057.edt"), dialogueFileBytes({toWindows1251(QStringLiteral("Ворота")), "-"}));
    prompts().files << pathIn(QStringLiteral("scripts/057.npc"));
    trigger("Open"); // again, with its text now
    prompts().clear();
    ASSERT_EQ(session().dialogue().text().size(), 2);
    ASSERT_TRUE(session().editPhrase(1, QStringLiteral("За воротами"))); // not saved

    trigger("FindUsages");
    pickKind(QStringLiteral("Текст фразы"));
    auto *words = control<QLineEdit>("Edit_PhraseText");
    QTest::keyClick(words, Qt::Key_Return);
    EXPECT_EQ(status(), QStringLiteral("Введите слова, которые искать в фразах."));
    words->setText(QStringLiteral("日"));
    QTest::keyClick(words, Qt::Key_Return);
    EXPECT_EQ(status(), QStringLiteral("Знака «日» (U+65E5) нет в кодировке Windows-1251: в фразах его не найти."));

    words->setText(QStringLiteral("ворот"));
    QTest::keyClick(words, Qt::Key_Return);
    while (dialog().isSearching())
        QCoreApplication::processEvents();
    // The open script as edited; a line no record speaks has no records.
    EXPECT_EQ(rows(), QStringList({QStringLiteral("057.npc | 0 |  | Ворота"),
                                   QStringLiteral("057.npc | 1 |  | За воротами"),
                                   QStringLiteral("112.npc | 1 | 7 | Открой ВОРОТА, страж")}));
    EXPECT_EQ(results()->model()->headerData(1, Qt::Horizontal).toString(), QStringLiteral("Фраза"));
    EXPECT_EQ(status(), QStringLiteral("Найдено: 3 фразы в 2 скриптах."));

    // An unspoken line is shown in the phrases window.
    doubleClickRow(1);
    auto *phrases = main().findChild<PhrasesWindow *>();
    EXPECT_TRUE(phrases->isVisible());
    EXPECT_EQ(session().phraseLine(), 1);
    EXPECT_TRUE(prompts().asked.isEmpty());

    prompts().answers << QMessageBox::Yes;
    doubleClickRow(2);
    EXPECT_EQ(prompts().messageTexts(), QStringList{OpenQuestion});
    EXPECT_EQ(session().document().path, pathIn(QStringLiteral("scripts/112.npc")));
    EXPECT_EQ(session().CurRec(), 7);

    // Back to the record fields: their own results again.
    pickField(NpcField::Phrase, QStringLiteral("1"));
    findToTheEnd();
    EXPECT_EQ(results()->model()->headerData(1, Qt::Horizontal).toString(), QStringLiteral("Запись"));
}
