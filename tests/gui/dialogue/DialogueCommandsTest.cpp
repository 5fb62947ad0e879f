#include "gui/dialogue/DialogueCommands.h"
#include "common/Windows1251.h"
#include "gui/dialogue/TForm3.h"
#include "document/NpcFile.h"
#include "gui/file/DocumentCommands.h"
#include "gui/records/IntegerEdit.h"
#include "support/AppFixture.h"
#include "support/DialogueFileBytes.h"
#include "support/QtPrinters.h"
#include "support/Wine.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QPlainTextEdit>
#include <QThread>

namespace
{

const QString MissingEdt = QStringLiteral(
    "EDT-файл, ассоциированный с загружаемым скриптом, не найден.\r\nЖелаете загрузить другой EDT-файл?");
const QString Overwrite = QStringLiteral("Файл с таким именем уже существует.\r\nЖелаете перезаписать?");

NpcRecords speaking(quint8 phrase, quint8 count)
{
    NpcRecords records{};
    records[0].initialise();
    records[0].Phrase = phrase;
    records[0].PhraseCnt = count;
    return records;
}

const QList<QByteArray> ABC{"A", "B", "C"};

} // namespace

class DialogueCommandsTest : public AppFixture
{
protected:
    void SetUp() override
    {
        AppFixture::SetUp();
        start();
        prompts().clear();
    }
    QString writeEdt(const QString &name, const QList<QByteArray> &lines)
    {
        writeFile(name, dialogueFileBytes(lines));
        return pathIn(name);
    }
    void open(const QString &path)
    {
        prompts().files << path;
        trigger("Open");
    }
    void drop(const QString &path) { main().documentCommands().FilesDropped(path); }
    QPlainTextEdit *memo() { return find<QPlainTextEdit>("Phrase"); }
    QString memoText() { return memo() ? memo()->toPlainText() : QStringLiteral("<no memo>"); }
    bool textActionsEnabled(bool enabled)
    {
        for (const char *name : {"ReloadTxt", "ShowEdt", "ExportEdt"}) {
            if (action(name)->isEnabled() != enabled)
                return false;
        }
        return true;
    }
    TForm3 *viewer() { return m_windows->viewer.get(); }
    // Memo text, phrase frame red, count frame red.
    std::tuple<QString, bool, bool> shown()
    {
        return {memoText(), find<IntegerEdit>("Edit_Phrase")->redFrame(),
                find<IntegerEdit>("Edit_PhraseCnt")->redFrame()};
    }
};

TEST_F(DialogueCommandsTest, EnabledStatesAtStart)
{
    EXPECT_TRUE(textActionsEnabled(false));
    EXPECT_TRUE(action("OpenEdt")->isEnabled());
    EXPECT_FALSE(action("RunEdt")->isEnabled()); // no editor configured
    ASSERT_NE(viewer(), nullptr);
    EXPECT_FALSE(viewer()->isVisible());
}

TEST_F(DialogueCommandsTest, OpenLoadsTheDialogueFileBesideTheScript)
{
    const QString edt = writeEdt(QStringLiteral("npc/057.edt"), ABC);
    open(writeScript(QStringLiteral("npc/057.npc"), speaking(1, 2)));
    EXPECT_TRUE(prompts().messageTexts().isEmpty());
    EXPECT_EQ(session().dialogue().path(), edt);
    EXPECT_EQ(session().dialogue().text(), (EdtText{"A", "B", "C"}));
    EXPECT_EQ(memoText(), QStringLiteral("B\n\nC\n\n"));
    EXPECT_TRUE(textActionsEnabled(true));

    // A script without extension looks for its name with ".edt" appended.
    writeEdt(QStringLiteral("npc/Guard.edt"), {"G"});
    open(writeScript(QStringLiteral("npc/Guard"), speaking(0, 1)));
    EXPECT_EQ(session().dialogue().path(), pathIn(QStringLiteral("npc/Guard.edt")));
    EXPECT_EQ(memoText(), QStringLiteral("G\n\n"));
}

TEST_F(DialogueCommandsTest, MemoAndFramesFollowTheRecord)
{
    NpcRecords records{};
    const std::pair<quint8, quint8> phrases[] = {{255, 5}, {1, 0}, {3, 1}, {1, 3}, {0, 3}, {2, 1}};
    for (size_t r = 0; r < std::size(phrases); ++r) {
        records[r].initialise();
        records[r].Phrase = phrases[r].first;
        records[r].PhraseCnt = phrases[r].second;
    }
    writeEdt(QStringLiteral("npc/057.edt"), ABC);
    open(writeScript(QStringLiteral("npc/057.npc"), records));

    using Shown = std::tuple<QString, bool, bool>;
    EXPECT_EQ(shown(), Shown(QString(), false, false)); // no phrase, whatever the count
    main().selectGridRow(1);
    EXPECT_EQ(shown(), Shown(QString(), false, false)); // count 0
    main().selectGridRow(2);
    EXPECT_EQ(shown(), Shown(QString(), true, true)); // phrase = number of lines
    main().selectGridRow(3);
    EXPECT_EQ(shown(), Shown(QStringLiteral("B\n\nC\n\n"), false, true)); // runs past the end
    main().selectGridRow(4);
    EXPECT_EQ(shown(), Shown(QStringLiteral("A\n\nB\n\nC\n\n"), false, false));

    // A longer text mends both frames at once, without the record being shown again.
    main().selectGridRow(2);
    writeEdt(QStringLiteral("npc/057.edt"), {"A", "B", "C", "D"});
    trigger("ReloadTxt");
    EXPECT_EQ(shown(), Shown(QStringLiteral("D\n\n"), false, false));
    // And a shorter one turns them red.
    main().selectGridRow(5);
    writeEdt(QStringLiteral("npc/057.edt"), {"A"});
    trigger("ReloadTxt");
    EXPECT_EQ(shown(), Shown(QString(), true, true));
}

TEST_F(DialogueCommandsTest, MissingDialogueAnsweredNoForgetsThePreviousText)
{
    writeEdt(QStringLiteral("npc/057.edt"), ABC);
    open(writeScript(QStringLiteral("npc/057.npc"), speaking(0, 1)));
    ASSERT_EQ(memoText(), QStringLiteral("A\n\n"));
    prompts().clear();

    open(writeScript(QStringLiteral("other/112.npc"), speaking(0, 1)));
    ASSERT_EQ(prompts().asked.size(), 2);
    const AskedPrompt &asked = prompts().asked[1];
    EXPECT_EQ(asked.type, AskedPrompt::Message);
    EXPECT_EQ(asked.kind, PromptKind::Confirmation);
    EXPECT_EQ(asked.text, MissingEdt);
    EXPECT_EQ(asked.buttons, QMessageBox::Yes | QMessageBox::No);
    EXPECT_TRUE(session().dialogue().path().isEmpty());
    EXPECT_TRUE(session().dialogue().text().isEmpty());
    EXPECT_EQ(memoText(), QString());
    EXPECT_TRUE(textActionsEnabled(false));
    EXPECT_EQ(main().windowTitle(), QStringLiteral("Scrivlet - ") + QDir::toNativeSeparators(pathIn(QStringLiteral("other/112.npc"))));
}

TEST_F(DialogueCommandsTest, MissingDialogueAnsweredYesPicksAnotherFile)
{
    const QString other = writeEdt(QStringLiteral("texts/any.edt"), ABC);
    prompts().answers << QMessageBox::Yes;
    prompts().files << writeScript(QStringLiteral("npc/057.npc"), speaking(2, 1)) << other;
    trigger("Open");
    ASSERT_EQ(prompts().asked.size(), 3);
    const FileDialogOptions &options = prompts().asked[2].options;
    EXPECT_EQ(prompts().asked[2].type, AskedPrompt::OpenFile);
    EXPECT_EQ(options.title, QStringLiteral("Открыть EDT-файл"));
    EXPECT_EQ(options.filter, QStringLiteral("EDT-файлы|*.edt|Все файлы|*.*"));
    EXPECT_EQ(options.directory, pathIn(QStringLiteral("npc"))); // the working folder, now the script's
    EXPECT_EQ(session().dialogue().path(), other);
    EXPECT_EQ(memoText(), QStringLiteral("C\n\n"));
    EXPECT_TRUE(textActionsEnabled(true));

    // Yes, then cancelling the dialog, leaves no text at all.
    prompts().answers << QMessageBox::Yes;
    open(writeScript(QStringLiteral("npc/058.npc"), speaking(0, 1)));
    EXPECT_TRUE(session().dialogue().path().isEmpty());
    EXPECT_TRUE(session().dialogue().text().isEmpty());
    EXPECT_EQ(memoText(), QString());
}

TEST_F(DialogueCommandsTest, DroppedScriptWithoutDialogueOffersTheImportDialog)
{
    const QString other = writeEdt(QStringLiteral("texts/any.edt"), ABC);
    prompts().answers << QMessageBox::Yes;
    prompts().files << other;
    drop(writeScript(QStringLiteral("npc/057.npc"), speaking(0, 1)));
    ASSERT_EQ(prompts().asked.size(), 2);
    EXPECT_EQ(prompts().asked[0].text, MissingEdt);
    EXPECT_EQ(prompts().asked[1].options.title, QStringLiteral("Открыть EDT-файл"));
    EXPECT_EQ(prompts().asked[1].options.directory, startFolder()); // a drop keeps the working folder
    EXPECT_EQ(session().dialogue().path(), other);
    EXPECT_EQ(memoText(), QStringLiteral("A\n\n"));
}

TEST_F(DialogueCommandsTest, DroppedDialogueFileKeepsTheModifiedScript)
{
    open(writeScript(QStringLiteral("npc/057.npc"), speaking(1, 1)));
    session().commitField(NpcField::Leader, QStringLiteral("3"));
    prompts().clear();

    const QString edt = writeEdt(QStringLiteral("texts/Шут.EDT"), ABC);
    drop(edt);
    EXPECT_TRUE(prompts().asked.isEmpty());
    EXPECT_TRUE(session().isModified());
    EXPECT_TRUE(main().windowTitle().endsWith(QLatin1Char('*')));
    EXPECT_EQ(session().document().records[0].Leader, 3);
    EXPECT_EQ(session().dialogue().path(), edt);
    EXPECT_EQ(memoText(), QStringLiteral("B\n\n"));
    EXPECT_TRUE(textActionsEnabled(true));
}

TEST_F(DialogueCommandsTest, ReloadShowsTheChangedFileAndKeepsTextWhenItIsGone)
{
    const QString edt = writeEdt(QStringLiteral("npc/057.edt"), ABC);
    open(writeScript(QStringLiteral("npc/057.npc"), speaking(0, 2)));
    trigger("ShowEdt");
    ASSERT_TRUE(viewer()->isVisible());
    ASSERT_TRUE(viewer()->Memo()->toPlainText().startsWith(QStringLiteral("#0\nA\n")));

    writeEdt(QStringLiteral("npc/057.edt"), {toWindows1251(QStringLiteral("Привет")), "two"});
    trigger("ReloadTxt");
    EXPECT_EQ(memoText(), QStringLiteral("Привет\n\ntwo\n\n"));
    // The viewer catches up when it is next activated.
    QEvent activate(QEvent::WindowActivate);
    QCoreApplication::sendEvent(viewer(), &activate);
    EXPECT_EQ(viewer()->Memo()->toPlainText(), QStringLiteral("#0\nПривет\n\n#1\ntwo\n\n"));

    prompts().clear();
    QFile::remove(edt);
    trigger("ReloadTxt");
    EXPECT_EQ(prompts().messageTexts(), QStringList{QStringLiteral("Проблема чтения файла ") + edt});
    EXPECT_EQ(prompts().asked[0].kind, PromptKind::Error);
    EXPECT_EQ(session().dialogue().text().size(), 2);
    EXPECT_EQ(memoText(), QStringLiteral("Привет\n\ntwo\n\n"));
    EXPECT_TRUE(textActionsEnabled(true));
}

TEST_F(DialogueCommandsTest, ImportReplacesTheTextWithoutTouchingTheScript)
{
    writeEdt(QStringLiteral("npc/057.edt"), ABC);
    open(writeScript(QStringLiteral("npc/057.npc"), speaking(0, 1)));
    prompts().clear();

    trigger("OpenEdt"); // cancelled
    ASSERT_EQ(prompts().asked.size(), 1);
    EXPECT_EQ(prompts().asked[0].options.title, QStringLiteral("Открыть EDT-файл"));
    EXPECT_EQ(prompts().asked[0].options.directory, pathIn(QStringLiteral("npc")));
    EXPECT_EQ(session().dialogue().text().size(), 3);
    EXPECT_EQ(memoText(), QStringLiteral("A\n\n"));

    const QString other = writeEdt(QStringLiteral("texts/other.edt"), {"X"});
    prompts().files << other;
    trigger("OpenEdt");
    EXPECT_EQ(session().dialogue().path(), other);
    EXPECT_EQ(memoText(), QStringLiteral("X\n\n"));
    EXPECT_FALSE(session().isModified());
    EXPECT_EQ(session().settings().config().WorkDir, pathIn(QStringLiteral("npc")));

    // A file that cannot be read leaves no text behind, in the memo either.
    const QString missing = pathIn(QStringLiteral("texts/missing.edt"));
    prompts().files << missing;
    trigger("OpenEdt");
    EXPECT_EQ(prompts().messageTexts().last(), QStringLiteral("Проблема чтения файла ") + missing);
    EXPECT_TRUE(session().dialogue().text().isEmpty());
    EXPECT_EQ(memoText(), QString());
}

TEST_F(DialogueCommandsTest, FileShorterThanARecordIsAnEmptyText)
{
    writeFile(QStringLiteral("npc/057.edt"), QByteArray(100, 'x'));
    open(writeScript(QStringLiteral("npc/057.npc"), speaking(0, 1)));
    EXPECT_TRUE(prompts().messageTexts().isEmpty());
    EXPECT_TRUE(session().dialogue().text().isEmpty());
    EXPECT_TRUE(textActionsEnabled(true));
    EXPECT_EQ(memoText(), QString());
}

TEST_F(DialogueCommandsTest, ByteZeroAndCyrillicShowInTheMemo)
{
    writeEdt(QStringLiteral("npc/057.edt"),
             {QByteArray("a\0b", 3), toWindows1251(QStringLiteral("Добрый день, путник!"))});
    open(writeScript(QStringLiteral("npc/057.npc"), speaking(0, 2)));
    EXPECT_EQ(session().dialogue().text()[0], QByteArray("a\0b", 3)); // kept as read
    EXPECT_EQ(memoText(), QStringLiteral("a b\n\nДобрый день, путник!\n\n"));
}

TEST_F(DialogueCommandsTest, ExportWritesTheNumberedTextAndAsksBeforeOverwriting)
{
    writeEdt(QStringLiteral("npc/057.edt"), {"A", toWindows1251(QStringLiteral("Да"))});
    open(writeScript(QStringLiteral("npc/057.npc"), speaking(0, 1)));
    session().settings().config().WorkDir = pathIn(QStringLiteral("work"));
    prompts().clear();

    const QString target = pathIn(QStringLiteral("out/057.txt"));
    writeFile(QStringLiteral("out/057.txt"), "old");
    prompts().files << target;
    trigger("ExportEdt"); // overwrite refused
    ASSERT_EQ(prompts().asked.size(), 2);
    const FileDialogOptions &options = prompts().asked[0].options;
    EXPECT_EQ(prompts().asked[0].type, AskedPrompt::SaveFile);
    EXPECT_EQ(options.title, QStringLiteral("Экспорт EDT в TXT"));
    EXPECT_EQ(options.filter, QStringLiteral("TXT-файлы|*.txt|Все файлы|*.*"));
    EXPECT_EQ(options.defaultSuffix, QStringLiteral("txt"));
    EXPECT_EQ(options.directory, pathIn(QStringLiteral("work")));
    EXPECT_EQ(options.fileName, pathIn(QStringLiteral("npc/057.txt")));
    EXPECT_EQ(prompts().asked[1].text, Overwrite);
    EXPECT_EQ(prompts().asked[1].kind, PromptKind::Confirmation);
    EXPECT_EQ(prompts().asked[1].buttons, QMessageBox::Yes | QMessageBox::No);
    EXPECT_EQ(readFile(QStringLiteral("out/057.txt")), QByteArray("old"));

    prompts().answers << QMessageBox::Yes;
    prompts().files << target;
    trigger("ExportEdt");
    EXPECT_EQ(readFile(QStringLiteral("out/057.txt")), QByteArray("#0\r\nA\r\n\r\n#1\r\n\xC4\xE0\r\n\r\n"));

    // A new file is written without a question.
    prompts().clear();
    prompts().files << pathIn(QStringLiteral("out/new.txt"));
    trigger("ExportEdt");
    EXPECT_TRUE(prompts().messageTexts().isEmpty());
    EXPECT_EQ(readFile(QStringLiteral("out/new.txt")).size(), 19);
    EXPECT_EQ(session().settings().config().WorkDir, pathIn(QStringLiteral("work")));
}

TEST_F(DialogueCommandsTest, ExportOfAnEmptyTextWritesAnEmptyFileAndFailuresAreReported)
{
    writeFile(QStringLiteral("npc/057.edt"), QByteArray());
    open(writeScript(QStringLiteral("npc/057.npc"), speaking(0, 1)));
    prompts().files << pathIn(QStringLiteral("out.txt"));
    trigger("ExportEdt");
    EXPECT_TRUE(QFile::exists(pathIn(QStringLiteral("out.txt"))));
    EXPECT_TRUE(readFile(QStringLiteral("out.txt")).isEmpty());

    prompts().clear();
    const QString bad = pathIn(QStringLiteral("no/such/folder/out.txt"));
    prompts().files << bad;
    trigger("ExportEdt");
    ASSERT_EQ(prompts().asked.size(), 2);
    EXPECT_EQ(prompts().asked[1].kind, PromptKind::Error);
    EXPECT_TRUE(prompts().asked[1].text.startsWith(QStringLiteral("Не удалось записать файл ") + QDir::toNativeSeparators(bad)));
}

TEST_F(DialogueCommandsTest, NewForgetsTheText)
{
    writeEdt(QStringLiteral("npc/057.edt"), ABC);
    open(writeScript(QStringLiteral("npc/057.npc"), speaking(0, 1)));
    trigger("New");
    EXPECT_TRUE(session().dialogue().text().isEmpty());
    EXPECT_TRUE(session().dialogue().path().isEmpty());
    EXPECT_EQ(memoText(), QString());
    EXPECT_TRUE(textActionsEnabled(false));
    EXPECT_TRUE(action("OpenEdt")->isEnabled());
}

TEST_F(DialogueCommandsTest, ViewerShowsTheWholeNumberedText)
{
    QList<QByteArray> lines;
    for (int i = 0; i < 300; ++i)
        lines << "line " + QByteArray::number(i);
    lines[5] = QByteArray("x\0y", 3);
    const QString edt = writeEdt(QStringLiteral("npc/057.edt"), lines);
    open(writeScript(QStringLiteral("npc/057.npc"), speaking(0, 1)));
    trigger("ShowEdt");
    TForm3 *v = viewer();
    ASSERT_TRUE(v->isVisible());
    EXPECT_FALSE(v->isModal());
    EXPECT_TRUE(v->isWindow());
    EXPECT_EQ(v->windowTitle(), QStringLiteral("EDT-файл - ") + QDir::toNativeSeparators(edt));
    EXPECT_TRUE(v->Memo()->isReadOnly());
    const QString text = v->Memo()->toPlainText();
    EXPECT_TRUE(text.startsWith(QStringLiteral("#0\nline 0\n\n#1\n")));
    EXPECT_TRUE(text.contains(QStringLiteral("\n#5\nx y\n\n")));
    EXPECT_TRUE(text.endsWith(QStringLiteral("#299\nline 299\n\n")));

    // The main window stays usable, and closing the viewer only hides it.
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
    v->close();
    EXPECT_FALSE(v->isVisible());
    trigger("ShowEdt");
    EXPECT_TRUE(v->isVisible());
    EXPECT_EQ(v->size(), QSize(450, 600));
}

TEST_F(DialogueCommandsTest, RunEdtStartsTheEditorByItsFullPath)
{
    if (runningUnderWine())
        GTEST_SKIP() << "under Wine the command file standing in for the editor is not started";
    // A path well over 100 characters, with a blank in it.
    const QString folder = QStringLiteral("tools/") + QString(60, QLatin1Char('d')) +
                           QStringLiteral("/with blank/") + QString(50, QLatin1Char('e'));
    const QString marker = pathIn(QStringLiteral("started"));
#ifdef Q_OS_WIN
    // Windows starts a command file as it starts a program.
    const QString name = folder + QStringLiteral("/edt editor.cmd");
    writeFile(name, "@if \"%~1\"==\"\" ((echo 0)>\"" + QDir::toNativeSeparators(marker).toUtf8() +
                        "\") else ((echo %*)>\"" + QDir::toNativeSeparators(marker).toUtf8() + "\")\r\n");
    const QByteArray lineEnd = "\r\n";
#else
    const QString name = folder + QStringLiteral("/edt editor.sh");
    writeFile(name, "#!/bin/sh\necho \"$#\" > '" + marker.toUtf8() + "'\n");
    const QByteArray lineEnd = "\n";
#endif
    const QString editor = pathIn(name);
    QFile::setPermissions(editor, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    ASSERT_GT(editor.size(), 100);
    writeFile(QStringLiteral("scrivlet.ini"), "[Config]\r\nEdtEditor=" + editor.toUtf8() + "\r\n");
    start();
    trigger("RunEdt");
    QElapsedTimer timer;
    timer.start();
    while (!QFile::exists(marker) && timer.elapsed() < 10000)
        QThread::msleep(20);
    QThread::msleep(50);
    EXPECT_EQ(readFile(QStringLiteral("started")), "0" + lineEnd); // no arguments

    // A missing program is not reported.
    prompts().clear();
    session().settings().config().EdtEditor = pathIn(QStringLiteral("missing"));
    trigger("RunEdt");
    EXPECT_TRUE(prompts().asked.isEmpty());
}
