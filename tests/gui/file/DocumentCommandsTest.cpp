#include "gui/file/DocumentCommands.h"
#include "common/FileSetWriter.h"
#include "document/NpcFile.h"
#include "support/AppFixture.h"
#include "support/KillingFileOps.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QDir>
#include <QDropEvent>
#include <QLabel>
#include <QMimeData>
#include <QSplitter>
#include <QTableWidget>
#include <QUrl>

namespace
{

const QString OpenQuestion =
    QStringLiteral("Текущие данные не сохранены.\r\nВы уверены, что хотите открыть новый скрипт?");
const QString NotScript = QStringLiteral("Выбранный файл не является NPC-скриптом");

NpcRecords linkedRecords()
{
    NpcRecords records{};
    records[0].initialise();
    records[0].ControlNpc = 57;
    records[0].ControlRec = 12;
    records[1].initialise();
    records[1].ControlNpc = 5;
    records[1].ControlRec = 3;
    records[2].Spare28 = 9; // empty despite the spare value
    return records;
}

} // namespace

class DocumentCommandsTest : public AppFixture
{
protected:
    void open(const QString &path)
    {
        prompts().files << path;
        trigger("Open");
    }
    void modify() { session().commitField(NpcField::Leader, QStringLiteral("5")); }
    DocumentCommands &commands() { return main().documentCommands(); }
    void SetUp() override
    {
        AppFixture::SetUp();
        start();
        prompts().clear();
    }
};

TEST_F(DocumentCommandsTest, OpenShowsRecordsLinksTitleAndLayout)
{
    const QString path =
        writeScript(QStringLiteral("scripts/057.npc"), linkedRecords(), NpcLayout::VestaLayout);
    open(path);
    ASSERT_EQ(prompts().asked.first().options.title, QStringLiteral("Открыть NPC-скрипт"));
    EXPECT_EQ(prompts().asked.first().options.directory, startFolder());
    EXPECT_EQ(main().windowTitle(), QStringLiteral("Scrivlet - ") + QDir::toNativeSeparators(path));
    EXPECT_EQ(session().document().path, path);
    EXPECT_EQ(session().document().OwnNpcNumber, 57);
    EXPECT_TRUE(main().Lbl_NpcName()->text().startsWith(QStringLiteral("57. ")));
    EXPECT_EQ(main().gridText(0, 2), QStringLiteral("12"));
    EXPECT_EQ(main().gridText(1, 2), QStringLiteral("#5"));
    EXPECT_EQ(main().gridText(2, 1), QString());
    EXPECT_EQ(main().gridText(2, 2), QString());
    EXPECT_TRUE(main().Check_Vesta()->isChecked());
    EXPECT_TRUE(action("F_Vesta")->isChecked());
    EXPECT_FALSE(action("Save")->isEnabled());
    EXPECT_FALSE(action("MoveUp")->isEnabled());
    EXPECT_TRUE(action("SaveAsMacr")->isEnabled());
    EXPECT_EQ(session().settings().config().WorkDir, pathIn(QStringLiteral("scripts")));
}

TEST_F(DocumentCommandsTest, NewAsksOnlyWhenModifiedAndCancelKeepsEverything)
{
    open(writeScript(QStringLiteral("057.npc"), linkedRecords()));
    prompts().clear();
    trigger("New");
    EXPECT_TRUE(prompts().messageTexts().isEmpty());
    EXPECT_EQ(main().windowTitle(), QStringLiteral("Scrivlet"));

    open(pathIn(QStringLiteral("057.npc")));
    modify();
    const NpcRecords before = session().document().records;
    prompts().clear();
    trigger("New"); // no scripted answer: Cancel
    ASSERT_EQ(prompts().messageTexts(),
              QStringList{QStringLiteral("Текущие данные не сохранены.\r\nВы уверены, что хотите начать "
                                         "редактирование нового скрипта?")});
    EXPECT_EQ(prompts().asked.first().buttons, QMessageBox::Yes | QMessageBox::Cancel);
    EXPECT_EQ(session().document().records, before);
    EXPECT_TRUE(main().windowTitle().endsWith(QLatin1Char('*')));
    EXPECT_TRUE(action("Save")->isEnabled());

    prompts().answers << QMessageBox::Yes;
    trigger("New");
    EXPECT_EQ(main().windowTitle(), QStringLiteral("Scrivlet"));
    EXPECT_TRUE(session().document().records[0].isEmpty());
    EXPECT_EQ(main().gridText(0, 2), QString());
    EXPECT_EQ(session().document().OwnNpcNumber, 255);
    EXPECT_EQ(main().Lbl_RecordNo()->text(), QStringLiteral("Пустая запись: 0"));
    EXPECT_TRUE(main().Lbl_NpcName()->text().isEmpty());
    for (const char *name : {"Save", "ReloadTxt", "ShowEdt", "ExportEdt", "MoveUp", "MoveDown", "SaveAsMacr"})
        EXPECT_FALSE(action(name)->isEnabled()) << name;
}

TEST_F(DocumentCommandsTest, RefusedFileWhileModifiedLeavesTheScriptAsItWas)
{
    const QString path = writeScript(QStringLiteral("057.npc"), linkedRecords());
    open(path);
    modify();
    writeFile(QStringLiteral("bad.npc"), QByteArray(1599, '\0'));
    prompts().clear();
    prompts().answers << QMessageBox::Yes;
    open(pathIn(QStringLiteral("bad.npc")));
    ASSERT_EQ(prompts().messageTexts(),
              (QStringList{OpenQuestion, NotScript + QStringLiteral("\r\n") +
                                             QDir::toNativeSeparators(pathIn(QStringLiteral("bad.npc"))) +
                                             QStringLiteral(": размер файла 1599, а нужно не меньше 1600 байт")}));
    EXPECT_EQ(prompts().asked.last().kind, PromptKind::Error);
    EXPECT_EQ(main().windowTitle(), QStringLiteral("Scrivlet - ") + QDir::toNativeSeparators(path) + QLatin1Char('*'));
    EXPECT_TRUE(session().isModified());

    trigger("Save");
    NpcRecords expected = linkedRecords();
    expected[0].Leader = 5;
    EXPECT_EQ(readFile(QStringLiteral("057.npc")), NpcWriter::encode(expected, NpcLayout::StandardLayout));
    EXPECT_EQ(main().windowTitle(), QStringLiteral("Scrivlet - ") + QDir::toNativeSeparators(path));
    EXPECT_FALSE(action("Save")->isEnabled());
}

TEST_F(DocumentCommandsTest, OpenPromptAnsweredNoOrDialogCancelledChangesNothing)
{
    modify();
    writeScript(QStringLiteral("057.npc"), linkedRecords());
    trigger("Open"); // No
    EXPECT_EQ(prompts().asked.size(), 1);
    prompts().answers << QMessageBox::Yes;
    trigger("Open"); // dialog cancelled
    EXPECT_EQ(prompts().asked.size(), 3);
    EXPECT_TRUE(session().isModified());
    EXPECT_EQ(main().windowTitle(), QStringLiteral("Scrivlet - *"));
}

TEST_F(DocumentCommandsTest, SaveOfANewScriptRunsSaveAsAndDeclinedOverwriteKeepsThePath)
{
    modify();
    writeFile(QStringLiteral("taken.npc"), "keep me");
    prompts().files << pathIn(QStringLiteral("taken.npc"));
    trigger("Save"); // overwrite question: No
    EXPECT_EQ(prompts().asked[0].options.title, QStringLiteral("Сохранить NPC-скрипт"));
    EXPECT_EQ(prompts().messageTexts(),
              QStringList{QStringLiteral("Файл с таким именем уже существует.\r\nЖелаете перезаписать?")});
    EXPECT_EQ(readFile(QStringLiteral("taken.npc")), QByteArray("keep me"));
    EXPECT_TRUE(session().document().path.isEmpty());

    prompts().clear();
    prompts().files << pathIn(QStringLiteral("sub/new.npc"));
    QDir(startFolder()).mkdir(QStringLiteral("sub"));
    trigger("Save");
    EXPECT_EQ(prompts().asked.size(), 1); // the save dialog only
    EXPECT_EQ(session().document().path, pathIn(QStringLiteral("sub/new.npc")));
    EXPECT_EQ(session().settings().config().WorkDir, pathIn(QStringLiteral("sub")));
    EXPECT_EQ(main().windowTitle(), QStringLiteral("Scrivlet - ") + QDir::toNativeSeparators(pathIn(QStringLiteral("sub/new.npc"))));
    EXPECT_EQ(main().Lbl_NpcName()->text(), QStringLiteral("new"));
    EXPECT_EQ(readFile(QStringLiteral("sub/new.npc")).size(), 1600);
}

TEST_F(DocumentCommandsTest, FailedSaveReportsAndStaysModified)
{
    const QString path = writeScript(QStringLiteral("057.npc"), linkedRecords());
    open(path);
    modify();
    QFile::remove(path);
    QDir(startFolder()).mkdir(QStringLiteral("057.npc")); // a folder where the file was
    prompts().clear();
    trigger("Save");
    ASSERT_EQ(prompts().asked.size(), 1);
    EXPECT_EQ(prompts().asked[0].kind, PromptKind::Error);
    EXPECT_TRUE(prompts().asked[0].text.contains(QDir::toNativeSeparators(path)));
    EXPECT_TRUE(session().isModified());
    EXPECT_TRUE(action("Save")->isEnabled());
    EXPECT_EQ(main().windowTitle(), QStringLiteral("Scrivlet - ") + QDir::toNativeSeparators(path) + QLatin1Char('*'));
}

TEST_F(DocumentCommandsTest, LayoutSwitchKeepsTheControlsInStepAndTakesEffectOnWrite)
{
    open(writeScript(QStringLiteral("057.npc"), linkedRecords()));
    main().Check_Vesta()->click();
    EXPECT_TRUE(action("F_Vesta")->isChecked());
    EXPECT_FALSE(action("F_Standart")->isChecked());
    EXPECT_FALSE(action("Save")->isEnabled());
    EXPECT_FALSE(main().windowTitle().endsWith(QLatin1Char('*')));

    prompts().files << pathIn(QStringLiteral("v.npc"));
    trigger("SaveAs");
    const QByteArray vesta = readFile(QStringLiteral("v.npc"));
    ASSERT_EQ(vesta.size(), 1600);
    EXPECT_EQ(vesta.left(4), QByteArray("\x39\x00\x35\x00", 4));

    trigger("New");
    trigger("F_Standart");
    EXPECT_FALSE(main().Check_Vesta()->isChecked());
    trigger("F_Vesta");
    EXPECT_TRUE(main().Check_Vesta()->isChecked());
    modify();
    prompts().files << pathIn(QStringLiteral("n.npc"));
    trigger("Save");
    EXPECT_EQ(readFile(QStringLiteral("n.npc")).left(4), QByteArray("\x39\x00\x35\x00", 4));
}

TEST_F(DocumentCommandsTest, SavingAFilledRecord49InTheVestaLayoutAsksFirst)
{
    const QString Question = QStringLiteral("Запись 49 не помещается в вестинский формат и не будет "
                                            "сохранена.\r\nСохранить без неё?");
    NpcRecords records = linkedRecords();
    records[49].initialise();
    const QString path = writeScript(QStringLiteral("057.npc"), records);
    open(path);
    trigger("F_Vesta");
    modify();
    const QByteArray before = readFile(QStringLiteral("057.npc"));
    prompts().clear();

    trigger("Save"); // No: nothing written, nothing changed
    ASSERT_EQ(prompts().asked.size(), 1);
    EXPECT_EQ(prompts().asked[0].kind, PromptKind::Warning);
    EXPECT_EQ(prompts().asked[0].text, Question);
    EXPECT_EQ(prompts().asked[0].buttons, QMessageBox::Yes | QMessageBox::No);
    EXPECT_EQ(readFile(QStringLiteral("057.npc")), before);
    EXPECT_TRUE(session().isModified());

    prompts().clear();
    prompts().files << pathIn(QStringLiteral("other.npc"));
    trigger("SaveAs"); // the same question after the file is chosen
    EXPECT_EQ(prompts().messageTexts(), QStringList{Question});
    EXPECT_FALSE(QFile::exists(pathIn(QStringLiteral("other.npc"))));
    EXPECT_EQ(session().document().path, path);

    prompts().clear();
    prompts().answers = {QMessageBox::Yes};
    trigger("Save");
    EXPECT_EQ(readFile(QStringLiteral("057.npc")).size(), 1600);
    EXPECT_FALSE(session().isModified());
    EXPECT_EQ(readFile(QStringLiteral("057.npc")).mid(1572), QByteArray(28, '\0'));

    // Nothing to lose, nothing asked: an empty record 49, or the standard layout.
    session().selectRecord(49);
    session().cleanRecord();
    prompts().clear();
    trigger("Save");
    trigger("F_Standart");
    session().initialiseRecord();
    trigger("Save");
    EXPECT_TRUE(prompts().asked.isEmpty());
}

TEST_F(DocumentCommandsTest, DroppedScriptKeepsTheWorkingFolderAndOtherFilesAreIgnored)
{
    const QString path = writeScript(QStringLiteral("drop/Shop.NPC"), linkedRecords());
    commands().FilesDropped(pathIn(QStringLiteral("notes.txt")));
    EXPECT_EQ(main().windowTitle(), QStringLiteral("Scrivlet"));
    commands().FilesDropped(path);
    EXPECT_EQ(main().windowTitle(), QStringLiteral("Scrivlet - ") + QDir::toNativeSeparators(path));
    EXPECT_EQ(session().settings().config().WorkDir, startFolder());
    EXPECT_EQ(main().Lbl_NpcName()->text(), QStringLiteral("Shop"));
    // Not a number: records whose ControlNpc is 255 link into this script.
    EXPECT_EQ(main().gridText(0, 2), QStringLiteral("#57"));
}

TEST_F(DocumentCommandsTest, ClosingAModifiedScriptAsksFirst)
{
    main().show();
    modify();
    EXPECT_FALSE(main().close()); // No
    EXPECT_EQ(prompts().messageTexts(),
              QStringList{QStringLiteral(
                  "Текущие данные не сохранены.\r\nВы уверены, что хотите выйти из программы?")});
    prompts().answers << QMessageBox::Yes;
    EXPECT_TRUE(main().close());
}

TEST_F(DocumentCommandsTest, WindowWidthAndSettingsRoundTrip)
{
    stop();
    writeFile(QStringLiteral("scrivlet.ini"), "[Config]\r\nFormWidth=700\r\nAlertShow=2\r\n");
    start();
    main().show();
    EXPECT_EQ(main().width(), 700);
    EXPECT_EQ(main().splitter()->sizes().value(0), 70);
    EXPECT_EQ(main().StringGrid()->columnWidth(1), 0);
    main().resize(1000, 695);
    EXPECT_EQ(main().splitter()->sizes().value(0), 370);
    QTableWidget *grid = main().StringGrid();
    const int column1 = grid->columnWidth(1);
    EXPECT_GT(column1, 250);
    EXPECT_LE(column1, 370 - 71);
    // The link column stays whole beside the scroll bar.
    EXPECT_LE(grid->columnWidth(0) + column1 + grid->columnWidth(2), grid->viewport()->width());
    main().resize(1100, 695);
    EXPECT_EQ(main().splitter()->sizes().value(0), 470);
    EXPECT_EQ(grid->columnWidth(1), column1 + 100);
    main().resize(1000, 695);
    stop();
    const QByteArray ini = readFile(QStringLiteral("scrivlet.ini"));
    EXPECT_TRUE(ini.contains("FormWidth=1000\r\n"));
    EXPECT_TRUE(ini.contains("AlertShow=2\r\n"));
    EXPECT_TRUE(ini.contains("WorkDir=" + startFolder().toUtf8() + "\r\n"));
}

TEST_F(DocumentCommandsTest, DroppedDialogueFileThatCannotBeReadKeepsThePreviousOne)
{
    const QString script = writeScript(QStringLiteral("057.npc"), linkedRecords());
    writeFile(QStringLiteral("057.edt"), QByteArray(480, '\0'));
    open(script);
    ASSERT_EQ(session().dialogue().path(), pathIn(QStringLiteral("057.edt")));
    QDir(startFolder()).mkdir(QStringLiteral("folder.edt"));
    prompts().clear();
    commands().FilesDropped(pathIn(QStringLiteral("folder.edt")));
    EXPECT_EQ(prompts().asked.size(), 1);
    EXPECT_EQ(prompts().asked.value(0).kind, PromptKind::Error);
    EXPECT_EQ(session().dialogue().path(), pathIn(QStringLiteral("057.edt")));
    EXPECT_EQ(session().dialogue().text().size(), 1);
}

TEST_F(DocumentCommandsTest, DroppingSeveralFilesOnTheWindowOpensOnlyTheFirst)
{
    const QString first = writeScript(QStringLiteral("057.npc"), linkedRecords());
    const QString second = writeScript(QStringLiteral("112.npc"), {});
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(first), QUrl::fromLocalFile(second), QUrl::fromLocalFile(first)});
    QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(&main(), &enter);
    EXPECT_TRUE(enter.isAccepted());
    QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(&main(), &drop);
    EXPECT_TRUE(drop.isAccepted());
    EXPECT_EQ(session().document().path, first);
    EXPECT_EQ(main().windowTitle(), QStringLiteral("Scrivlet - ") + QDir::toNativeSeparators(first));
}

TEST_F(DocumentCommandsTest, OpeningAScriptSaysThatAWriteCutShortInItsFolderWasTakenBack)
{
    const QString path = writeScript(QStringLiteral("scripts/057.npc"), linkedRecords());
    const QString other = writeScript(QStringLiteral("scripts/058.npc"), linkedRecords());
    KillingFileOps ops;
    ops.killAt = 4; // both written, one replaced
    FileSetWriter writer(ops);
    writer.write(path, QByteArray(1600, '\0'));
    writer.write(other, QByteArray(1600, '\0'));
    EXPECT_THROW(writer.commit(), KillingFileOps::Killed);

    open(path);
    // Said first; then comes the question about the missing dialogue file.
    const QStringList texts = prompts().messageTexts();
    ASSERT_EQ(texts.size(), 2);
    EXPECT_EQ(prompts().asked[1].kind, PromptKind::Information);
    EXPECT_TRUE(texts[0].startsWith(QStringLiteral("Прерванная запись файлов (2) в папке ")));
    EXPECT_TRUE(texts[0].endsWith(QStringLiteral("отменена: все файлы прежние.")));
    EXPECT_EQ(main().gridText(0, 2), QStringLiteral("12"));
    EXPECT_EQ(QDir(pathIn(QStringLiteral("scripts"))).entryList(QDir::Files | QDir::Hidden).size(), 2);
}

TEST_F(DocumentCommandsTest, ANewScriptFirstSavedUnderANumberKeepsItsInsideLinks)
{
    // Record 0 of a new script hands control to its record 2.
    const auto linkZeroToTwo = [this] {
        trigger("New");
        records()[0].initialise();
        records()[0].ControlRec = 2;
        records()[2].initialise();
        main().selectGridRow(2);
        main().selectGridRow(0);
        modify();
    };
    linkZeroToTwo();
    ASSERT_EQ(main().gridText(0, 2), QStringLiteral("2"));
    prompts().clear();
    prompts().files << pathIn(QStringLiteral("057.npc"));
    trigger("SaveAs");
    EXPECT_EQ(prompts().asked.size(), 1); // the save dialog only
    EXPECT_EQ(session().record(0).ControlNpc, 57);
    NpcReader reader;
    ASSERT_TRUE(reader.read(pathIn(QStringLiteral("057.npc"))));
    EXPECT_EQ(reader.records()[0].ControlNpc, 57);
    EXPECT_EQ(reader.records()[0].ControlRec, 2);
    EXPECT_EQ(main().gridText(0, 2), QStringLiteral("2"));
    EXPECT_FALSE(session().isModified());
    EXPECT_EQ(session().commandState().undoName, QStringLiteral("ссылки внутри скрипта на номер 57"));

    // A number no link can name is asked about first; then the link column tells the truth.
    const QString question = QStringLiteral(
        "номер 777 не помещается в поле NPC No (0–254): ссылки на этот скрипт невозможны. Сохранить?");
    linkZeroToTwo();
    prompts().clear();
    prompts().files << pathIn(QStringLiteral("777.npc"));
    trigger("SaveAs"); // answered No
    EXPECT_EQ(prompts().messageTexts(), QStringList{question});
    EXPECT_FALSE(QFileInfo::exists(pathIn(QStringLiteral("777.npc"))));
    EXPECT_TRUE(session().isModified());

    prompts().files << pathIn(QStringLiteral("777.npc"));
    prompts().answers << QMessageBox::Yes;
    trigger("SaveAs");
    EXPECT_TRUE(QFileInfo::exists(pathIn(QStringLiteral("777.npc"))));
    EXPECT_EQ(session().record(0).ControlNpc, 255);
    EXPECT_EQ(main().gridText(0, 2), QStringLiteral("#255"));
}
