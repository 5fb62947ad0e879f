#include "session/SessionFixture.h"

#include "common/Windows1251.h"
#include "macros/MacroEntry.h"

#include <QCoreApplication>
#include <QDeadlineTimer>

#include <functional>

namespace
{

using Signals = std::map<std::string, int>;

NpcRecords linked()
{
    NpcRecords records{};
    records[0] = SessionFixture::used(1, 57, 4);
    records[3] = SessionFixture::used(3, 112, 0);
    records[4] = SessionFixture::used(7);
    records[4].Phrase = 1;
    records[4].PhraseCnt = 2;
    return records;
}

} // namespace

class ScriptSessionTest : public SessionFixture
{
};

TEST_F(ScriptSessionTest, OpeningTakesTheScriptItsDialogueAndShowsRecordZero)
{
    writeFile(QStringLiteral("npc/057.edt"), edtBytes({"one", "two", "three"}));
    const QString path = writeScript(QStringLiteral("npc/057.npc"), linked());
    session().selectRecord(7);
    takeSignals();

    const OpenResult opened = session().openScript(path, {.setWorkDir = true});
    ASSERT_TRUE(opened.ok);
    EXPECT_FALSE(opened.dialogueMissing);
    EXPECT_TRUE(opened.dialogueError.isEmpty());
    EXPECT_EQ(session().records(), linked());
    EXPECT_EQ(session().CurRec(), 0);
    EXPECT_FALSE(session().isModified());
    EXPECT_EQ(session().document().path, path);
    EXPECT_FALSE(session().recordShownEmpty());
    EXPECT_EQ(session().document().OwnNpcNumber, 57);
    EXPECT_EQ(session().settings().config().WorkDir, pathIn(QStringLiteral("npc")));
    EXPECT_EQ(session().dialogue().text().size(), 3);
    EXPECT_TRUE(session().dialogue().isLoaded());
    EXPECT_EQ(session().captions().link(0), QStringLiteral("4"));
    EXPECT_EQ(session().captions().link(3), QStringLiteral("#112"));
    EXPECT_EQ(session().captions().action(4), session().captions().actionName("7"));
    EXPECT_FALSE(session().commandState().moveUp);
    EXPECT_TRUE(session().commandState().moveDown);
    EXPECT_TRUE(session().commandState().saveAsMacro);
    EXPECT_FALSE(session().commandState().undo);
    const Signals emitted = takeSignals();
    for (const char *name : {"records", "current", "shown", "dialogue", "state"})
        EXPECT_GE(emitted.count(name), 1u) << name;
}

TEST_F(ScriptSessionTest, TheDialogueFileBesideAScriptMayBeMissingOrUnreadable)
{
    writeFile(QStringLiteral("a/057.edt"), edtBytes({"x"}));
    ASSERT_TRUE(session().openScript(writeScript(QStringLiteral("a/057.npc"), linked()), {}).ok);
    ASSERT_TRUE(session().dialogue().isLoaded());

    const OpenResult missing = session().openScript(writeScript(QStringLiteral("b/057.npc"), linked()), {});
    EXPECT_TRUE(missing.dialogueMissing);
    EXPECT_TRUE(session().dialogue().text().isEmpty()) << "the text of the previous script is gone";
    EXPECT_TRUE(session().dialogue().path().isEmpty());
    EXPECT_FALSE(session().dialogue().isLoaded());

    QDir().mkpath(pathIn(QStringLiteral("c/057.edt/inside")));
    const OpenResult unreadable =
        session().openScript(writeScript(QStringLiteral("c/057.npc"), linked()), {});
    EXPECT_TRUE(unreadable.dialogueMissing) << "a folder is no dialogue file";

    // A game folder copied from Windows keeps the letter case it was written in.
    writeFile(QStringLiteral("d/057.EDT"), edtBytes({"y"}));
    ASSERT_TRUE(session().openScript(writeScript(QStringLiteral("d/057.npc"), linked()), {}).ok);
    EXPECT_EQ(session().dialogue().path(), pathIn(QStringLiteral("d/057.EDT")));
    EXPECT_EQ(session().dialogue().text(), EdtText{"y"});
}

TEST_F(ScriptSessionTest, ARefusedFileLeavesTheSessionAsItWas)
{
    ASSERT_TRUE(session().openScript(writeScript(QStringLiteral("057.npc"), linked()), {}).ok);
    session().commitField(NpcField::Leader, QStringLiteral("5"));
    const NpcRecords before = session().records();
    writeFile(QStringLiteral("bad.npc"), QByteArray(1599, '\0'));

    const OpenResult refused = session().openScript(pathIn(QStringLiteral("bad.npc")), {});
    EXPECT_FALSE(refused.ok);
    EXPECT_EQ(refused.message, QStringLiteral("Выбранный файл не является NPC-скриптом\r\n") +
                                   QDir::toNativeSeparators(pathIn(QStringLiteral("bad.npc"))) +
                                   QStringLiteral(": размер файла 1599, а нужно не меньше 1600 байт"));
    EXPECT_EQ(session().records(), before);
    EXPECT_TRUE(session().isModified());
    EXPECT_EQ(session().document().path, pathIn(QStringLiteral("057.npc")));
    EXPECT_TRUE(session().commandState().undo);
}

TEST_F(ScriptSessionTest, NewScriptForgetsTheScriptButKeepsClipboardAndLayout)
{
    writeFile(QStringLiteral("057.edt"), edtBytes({"x"}));
    ASSERT_TRUE(
        session().openScript(writeScript(QStringLiteral("057.npc"), linked(), NpcLayout::VestaLayout), {}));
    session().selectRecord(3);
    session().copyRecord();
    session().cutRecord();

    session().newScript();
    EXPECT_EQ(session().records(), NpcRecords{});
    EXPECT_TRUE(session().document().path.isEmpty());
    EXPECT_FALSE(session().isModified());
    EXPECT_EQ(session().CurRec(), 0);
    EXPECT_TRUE(session().recordShownEmpty());
    EXPECT_EQ(session().document().OwnNpcNumber, NoneByte);
    EXPECT_EQ(session().document().OwnNpcNumber, NoneByte);
    EXPECT_TRUE(session().dialogue().text().isEmpty());
    EXPECT_FALSE(session().dialogue().isLoaded());
    EXPECT_FALSE(session().commandState().undo);
    EXPECT_FALSE(session().commandState().moveUp);
    EXPECT_FALSE(session().commandState().moveDown);
    EXPECT_TRUE(session().commandState().paste);
    EXPECT_EQ(session().clipboard(), linked()[3]);
    EXPECT_EQ(session().document().layout, NpcLayout::VestaLayout);
    for (int row = 0; row < RecordCount; ++row)
        EXPECT_TRUE(session().captions().action(row).isEmpty() && session().captions().link(row).isEmpty()) << row;
}

TEST_F(ScriptSessionTest, SavingMarksTheSavedPointAndAFailedWriteKeepsEverything)
{
    const QString path = writeScript(QStringLiteral("057.npc"), linked());
    ASSERT_TRUE(session().openScript(path, {.setWorkDir = false}));
    session().commitField(NpcField::FDay, QStringLiteral("3"));
    ASSERT_TRUE(session().isModified());

    ASSERT_TRUE(session().save());
    EXPECT_FALSE(session().isModified());
    EXPECT_EQ(readFile(QStringLiteral("057.npc")),
              NpcWriter::encode(session().records(), NpcLayout::StandardLayout));

    session().commitField(NpcField::FDay, QStringLiteral("4"));
    QDir().mkpath(pathIn(QStringLiteral("taken.npc")));
    const SessionResult failed = session().saveAs(pathIn(QStringLiteral("taken.npc")));
    EXPECT_FALSE(failed.ok);
    EXPECT_TRUE(failed.message.startsWith(QStringLiteral("Не удалось записать файл ")));
    EXPECT_TRUE(session().isModified());
    EXPECT_EQ(session().document().path, path);
    EXPECT_TRUE(session().isModified());

    const QString other = pathIn(QStringLiteral("out/112.npc"));
    QDir().mkpath(pathIn(QStringLiteral("out")));
    ASSERT_TRUE(session().saveAs(other));
    EXPECT_EQ(session().document().path, other);
    EXPECT_EQ(session().settings().config().WorkDir, pathIn(QStringLiteral("out")));
    EXPECT_EQ(session().document().OwnNpcNumber, 112);
    EXPECT_EQ(session().captions().link(0), QStringLiteral("#57")) << "the link column is made again";
}

TEST_F(ScriptSessionTest, OnlyAFilledRecord49IsLeftOutOfTheVestaLayout)
{
    NpcRecords records = linked();
    ASSERT_TRUE(session().openScript(writeScript(QStringLiteral("057.npc"), records), {}));
    EXPECT_FALSE(session().saveDropsLastRecord());
    session().setLayout(NpcLayout::VestaLayout);
    EXPECT_FALSE(session().saveDropsLastRecord());
    EXPECT_FALSE(session().isModified()) << "the layout is not a record change";
    session().selectRecord(49);
    session().initialiseRecord();
    EXPECT_TRUE(session().saveDropsLastRecord());
    session().setLayout(NpcLayout::StandardLayout);
    EXPECT_FALSE(session().saveDropsLastRecord());

    // The grid shows a record holding only a spare field as empty, yet its bytes count.
    records[49].Spare28 = 7;
    ASSERT_TRUE(session().openScript(writeScript(QStringLiteral("058.npc"), records), {}));
    session().setLayout(NpcLayout::VestaLayout);
    EXPECT_TRUE(session().saveDropsLastRecord());
}

TEST_F(ScriptSessionTest, FieldRulesStoreShowAndNameTheStep)
{
    session().selectRecord(2);
    session().initialiseRecord();
    takeSignals();

    RuleOutcome out = session().commitField(NpcField::Action, QStringLiteral("4"));
    EXPECT_EQ(session().record(2).Action, 4);
    EXPECT_EQ(session().captions().action(2), session().captions().actionName("4"));
    EXPECT_EQ(session().commandState().undoName, QStringLiteral("значение поля «Воздействие»"));
    Signals emitted = takeSignals();
    EXPECT_EQ(emitted["shown"], 1);
    EXPECT_EQ(emitted["state"], 1);

    // Refused: nothing stored, no step, yet the name follows the edit's text.
    const int steps = int(session().commandState().undo);
    out = session().commitField(NpcField::Action, QStringLiteral("99"));
    EXPECT_EQ(out.box, RuleOutcome::Box::Error);
    EXPECT_EQ(session().record(2).Action, 4);
    EXPECT_EQ(session().captions().action(2), QString());
    EXPECT_EQ(session().commandState().undoName, QStringLiteral("значение поля «Воздействие»"));
    EXPECT_EQ(int(session().commandState().undo), steps);

    // -1: marked but not shown again.
    out = session().commitField(NpcField::TriggT, QStringLiteral("-1"));
    EXPECT_EQ(out.editText, QStringLiteral("-1"));
    EXPECT_EQ(session().record(2).TriggT, NoneWord);
    emitted = takeSignals();
    EXPECT_EQ(emitted.count("shown"), 0u);
    EXPECT_EQ(session().commandState().undoName, QStringLiteral("значение поля «Триггер - ИСТИНА»"));

    session().setFieldDefault(NpcField::FDay);
    EXPECT_EQ(session().commandState().undoName, QStringLiteral("значение поля «Первый день»"));
    EXPECT_EQ(takeSignals().count("shown"), 0u) << "a default button does not show the record again";

    const int item = session().lists().Npc.indexOf(12);
    ASSERT_GE(item, 0);
    session().pickField(NpcField::ControlNpc, item, QStringLiteral("-1"));
    EXPECT_EQ(session().record(2).ControlNpc, 12);
    EXPECT_EQ(session().commandState().undoName, QStringLiteral("значение поля «NPC No»"));
}

TEST_F(ScriptSessionTest, APhraseCountIsOneWhileThereIsNoPhraseWithoutMarkingTheScript)
{
    NpcRecords records = linked();
    records[5] = used(2);
    records[5].PhraseCnt = 0;
    ASSERT_TRUE(session().openScript(writeScript(QStringLiteral("057.npc"), records), {}));
    session().selectRecord(5);
    EXPECT_EQ(session().record(5).PhraseCnt, 1);
    EXPECT_FALSE(session().isModified());
    EXPECT_FALSE(session().commandState().undo);
}

TEST_F(ScriptSessionTest, QueriesBehindTheQuestions)
{
    NpcRecords records = linked();
    records[9] = used(1, 57, 4);
    records[49] = used(2);
    ASSERT_TRUE(session().openScript(writeScript(QStringLiteral("057.npc"), records), {}));
    session().selectRecord(4);
    EXPECT_EQ(session().linksToCurrent(), QStringLiteral("0, 9"));
    EXPECT_TRUE(session().pasteDropsLastRecord());
    session().selectRecord(49);
    session().cleanRecord();
    EXPECT_FALSE(session().pasteDropsLastRecord());
}

TEST_F(ScriptSessionTest, MacrosApplyAsStepsAndAFailedApplicationChangesNothing)
{
    writeFile(QStringLiteral("Data/macros.mcr"),
              "Guard=1,0,65535,65535,255,255,255,4,0,2,1,255,255,255,255,0,65535,0,65535,0,0,0\r\n"
              "Bad=1,x,2\r\n");
    restart();
    ASSERT_TRUE(session().macroLibrary().load());
    ASSERT_EQ(session().macroLibrary().macros().count(), 2);

    ASSERT_TRUE(session().applyMacro(0));
    EXPECT_EQ(session().currentRecord().Action, 4);
    EXPECT_EQ(session().commandState().undoName, QStringLiteral("макрос «Guard»"));
    EXPECT_EQ(session().captions().action(0), session().captions().actionName("4"));

    const NpcRecords before = session().records();
    const SessionResult bad = session().applyMacro(1);
    EXPECT_FALSE(bad.ok);
    EXPECT_EQ(bad.message, QStringLiteral("'x' is not a valid integer value"));
    EXPECT_EQ(session().records(), before);
    EXPECT_EQ(session().commandState().undoName, QStringLiteral("макрос «Guard»"));
}

TEST_F(ScriptSessionTest, AMacroThatCannotBeWrittenIsTakenBackOut)
{
    session().initialiseRecord();
    QDir().mkpath(pathIn(QStringLiteral("Data/macros.mcr")));
    const SessionResult failed =
        session().macroLibrary().add(toWindows1251(QStringLiteral("Стражник")), session().currentRecord());
    EXPECT_FALSE(failed.ok);
    EXPECT_TRUE(session().macroLibrary().macros().isEmpty());

    QDir(pathIn(QStringLiteral("Data/macros.mcr"))).removeRecursively();
    int saved = 0;
    QObject::connect(&session().macroLibrary(), &MacroLibrary::saved, [&] { ++saved; });
    ASSERT_TRUE(session().macroLibrary().add("Guard", session().currentRecord()));
    EXPECT_EQ(saved, 1);
    EXPECT_EQ(session().macroLibrary().macros().entries(),
              QList<QByteArray>{MacroEntry::form("Guard", session().currentRecord())});
    EXPECT_EQ(readFile(QStringLiteral("Data/macros.mcr")), session().macroLibrary().macros().entry(0) + "\r\n");
}

TEST_F(ScriptSessionTest, DialogueLoadImportAndExport)
{
    writeFile(QStringLiteral("one.edt"), edtBytes({"A", "B"}));
    ASSERT_TRUE(session().dialogue().load(pathIn(QStringLiteral("one.edt"))));
    EXPECT_EQ(session().dialogue().text(), (EdtText{"A", "B"}));
    EXPECT_EQ(session().dialogue().path(), pathIn(QStringLiteral("one.edt")));

    // A load that fails keeps the old text; an import that fails has already let it go.
    EXPECT_FALSE(session().dialogue().load(pathIn(QStringLiteral("missing.edt"))));
    EXPECT_EQ(session().dialogue().text().size(), 2);
    const SessionResult imported = session().dialogue().import(pathIn(QStringLiteral("missing.edt")));
    EXPECT_EQ(imported.message,
              QStringLiteral("Проблема чтения файла ") + pathIn(QStringLiteral("missing.edt")));
    EXPECT_TRUE(session().dialogue().text().isEmpty());
    EXPECT_EQ(session().dialogue().path(), pathIn(QStringLiteral("missing.edt")));

    ASSERT_TRUE(session().dialogue().reload().ok == false);
    ASSERT_TRUE(session().dialogue().load(pathIn(QStringLiteral("one.edt"))));
    ASSERT_TRUE(session().dialogue().exportTo(pathIn(QStringLiteral("one.txt"))));
    EXPECT_EQ(readFile(QStringLiteral("one.txt")), QByteArray("#0\r\nA\r\n\r\n#1\r\nB\r\n\r\n"));
}

TEST_F(ScriptSessionTest, SettingsTheConfigurationDialogChanges)
{
    EXPECT_FALSE(session().settings().canRunEditor());
    session().settings().setExternalEditor(pathIn(QStringLiteral("none.exe")));
    EXPECT_FALSE(session().settings().canRunEditor());
    writeFile(QStringLiteral("edt.exe"), "x");
    session().settings().setExternalEditor(pathIn(QStringLiteral("edt.exe")));
    EXPECT_TRUE(session().settings().canRunEditor());
    session().settings().setExternalEditor(QString());
    EXPECT_TRUE(session().settings().canRunEditor()) << "once usable, it stays so for the run";

    session().settings().setWarningsOff(true);
    EXPECT_FALSE(session().settings().config().warningsOn());
    session().settings().setDataDir(pathIn(QStringLiteral("mods")));
    ASSERT_TRUE(session().settings().save());
    EXPECT_TRUE(readFile(QStringLiteral("scrivlet.ini")).contains("AlertShow=1"));
}

TEST_F(ScriptSessionTest, PrefetchedListsAreThoseReadThenAndOnlyFromTheSameFolders)
{
    writeFile(QStringLiteral("Data/Items.txt"), "1=own sword\r\n");
    writeFile(QStringLiteral("mods/Items.txt"), "1=mod sword\r\n");
    ScriptSession prefetched(pathIn(QString()));
    prefetched.prefetchLists();
    EXPECT_TRUE(prefetched.loadLists().isEmpty());
    EXPECT_EQ(prefetched.lists().Items.nameOf(1), "own sword");
    EXPECT_EQ(prefetched.lists().Action.count(), session().lists().Action.count());

    ScriptSession moved(pathIn(QString()));
    moved.prefetchLists();
    moved.settings().config().DataDir = pathIn(QStringLiteral("mods"));
    moved.loadLists();
    EXPECT_EQ(moved.lists().Items.nameOf(1), "mod sword") << "the data folder changed after the prefetch";
    EXPECT_EQ(moved.lists().sourceOf(ListId::Items), pathIn(QStringLiteral("mods/Items.txt")));
}

TEST_F(ScriptSessionTest, ListsReadLaterAreTakenInFromTheEventLoopUnlessReadBefore)
{
    writeFile(QStringLiteral("Data/Items.txt"), "1=coin\r\nabc\r\n");
    ScriptSession later(pathIn(QString()));
    int taken = 0;
    QList<qsizetype> heard; // failures, each time
    QObject::connect(&later, &ScriptSession::listsChanged, [&] { ++taken; });
    QObject::connect(&later, &ScriptSession::listsReadLater,
                     [&](const QList<SessionResult> &failures) { heard << failures.size(); });
    later.countUnclearListLines();
    EXPECT_FALSE(SessionTester::unclearCountBegun(later)) << "no lists to count yet";
    later.loadListsLater();
    EXPECT_FALSE(later.listsRead()) << "taken in from the event loop";
    for (QDeadlineTimer enough(60000); heard.isEmpty() && !enough.hasExpired();)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 100);
    EXPECT_EQ(later.lists().Items.nameOf(1), "coin");
    EXPECT_EQ(heard, QList<qsizetype>{0});
    EXPECT_TRUE(SessionTester::unclearCountBegun(later)) << "counted once read, as asked before";
    later.loadListsLater();
    later.loadListsIfUnread();
    QCoreApplication::processEvents();
    EXPECT_EQ(taken, 1) << "read once";

    // A reading taken by whatever needs the lists first is not taken in again.
    ScriptSession taker(pathIn(QString()));
    QObject::connect(&taker, &ScriptSession::listsChanged, [&] { ++taken; });
    QObject::connect(&taker, &ScriptSession::listsReadLater,
                     [&](const QList<SessionResult> &failures) { heard << failures.size(); });
    taker.loadListsLater();
    taker.loadListsIfUnread();
    EXPECT_TRUE(taker.listsRead());
    QCoreApplication::processEvents();
    EXPECT_EQ(taken, 2);
    EXPECT_EQ(heard.size(), 1);

    // One prefetched before is taken in at once.
    ScriptSession prefetched(pathIn(QString()));
    QObject::connect(&prefetched, &ScriptSession::listsReadLater,
                     [&](const QList<SessionResult> &failures) { heard << failures.size(); });
    prefetched.prefetchLists();
    prefetched.loadListsLater();
    EXPECT_TRUE(prefetched.listsRead());
    EXPECT_EQ(heard.size(), 2);
}

TEST_F(ScriptSessionTest, UnclearListLinesAreCountedOnceAskedForAndThenForEachReadingOfTheLists)
{
    writeFile(QStringLiteral("Data/Items.txt"), "1=coin\r\nabc\r\n");
    QList<QList<UnclearListCount>> heard;
    QObject::connect(&session(), &ScriptSession::unclearListsCounted,
                     [&] { heard << session().unclearListCounts(); });
    session().loadLists();
    EXPECT_FALSE(SessionTester::unclearCountBegun(session())) << "not counted before it is asked for";
    session().countUnclearListLines();
    EXPECT_TRUE(session().unclearListCounts().isEmpty()) << "not counted before the event loop runs";
    writeFile(QStringLiteral("Data/Items.txt"), "abc\r\n-5=minus\r\n");
    session().loadLists(); // before the first count is heard
    for (QDeadlineTimer enough(60000); heard.isEmpty() && !enough.hasExpired();)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 100);
    QCoreApplication::processEvents();
    const QList<UnclearListCount> expected{{pathIn(QStringLiteral("Data/Items.txt")), 2}};
    EXPECT_EQ(heard, QList<QList<UnclearListCount>>{expected}) << "the first count came too late to be heard";
    EXPECT_EQ(session().unclearListLines().size(), 2);
}

TEST_F(ScriptSessionTest, EveryWayAwayFromTheRecordIsAnnouncedBeforeAnythingChanges)
{
    const QString path = writeScript(QStringLiteral("057.npc"), linked());
    ASSERT_TRUE(session().openScript(path, {}));
    writeFile(QStringLiteral("Data/macros.mcr"), MacroEntry::form("Guard", used(9)) + "\r\n");
    ASSERT_TRUE(session().macroLibrary().load());
    NpcRecords heard{};
    int heardAt = -1;
    int announced = 0;
    QObject::connect(&session(), &ScriptSession::aboutToLeaveRecord, [&] {
        ++announced;
        heard = session().records();
        heardAt = session().CurRec();
    });
    const std::pair<const char *, std::function<void()>> ways[] = {
        {"select", [&] { session().selectRecord(4); }},
        {"copy", [&] { session().copyRecord(); }},
        {"paste", [&] { session().pasteRecord(); }},
        {"cut", [&] { session().cutRecord(); }},
        {"delete", [&] { session().deleteRecord(); }},
        {"clean", [&] { session().cleanRecord(); }},
        {"initialise", [&] { session().initialiseRecord(); }},
        {"move", [&] { session().moveRecord(+1); }},
        {"macro", [&] { session().applyMacro(0); }},
        {"undo", [&] { session().undo(); }},
        {"redo", [&] { session().redo(); }},
        {"save", [&] { session().save(); }},
        {"save as", [&] { session().saveAs(pathIn(QStringLiteral("058.npc"))); }},
        {"open", [&] { session().openScript(path, {}); }},
        {"new", [&] { session().newScript(); }},
        {"asking about unsaved changes", [&] { session().hasUnsavedChanges(); }},
        {"asking about record 49", [&] { session().saveDropsLastRecord(); }},
        {"following a link", [&] { session().linkToFollow(); }},
    };
    for (const auto &[name, go] : ways) {
        const NpcRecords before = session().records();
        const int at = session().CurRec();
        announced = 0;
        go();
        EXPECT_EQ(announced, 1) << name;
        EXPECT_EQ(heard, before) << name;
        EXPECT_EQ(heardAt, at) << name;
    }
}

TEST_F(ScriptSessionTest, SelectingChangesNoRecordAndCommandsFollowTheSession)
{
    ASSERT_TRUE(session().openScript(writeScript(QStringLiteral("057.npc"), linked()), {}));
    takeSignals();
    session().selectRecord(3);
    Signals emitted = takeSignals();
    EXPECT_EQ(emitted.count("records"), 0u);
    EXPECT_EQ(emitted["current"], 1);

    CommandState can = session().commandState();
    EXPECT_TRUE(can.moveUp && can.moveDown && can.saveAsMacro && can.followLink);
    EXPECT_FALSE(can.save || can.paste || can.undo || can.goBack);
    session().copyRecord();
    EXPECT_TRUE(session().commandState().paste);
    session().pasteRecord();
    can = session().commandState();
    EXPECT_FALSE(can.paste) << "one paste per copy";
    EXPECT_TRUE(can.save && can.undo);
    EXPECT_EQ(can.undoName, QStringLiteral("вставить запись"));

    session().newScript();
    can = session().commandState();
    EXPECT_FALSE(can.moveUp || can.moveDown || can.saveAsMacro || can.dialogue) << "after New, until a selection";
    session().selectRecord(0);
    EXPECT_TRUE(session().commandState().moveDown);
    session().noteTypedValue();
    EXPECT_TRUE(session().commandState().save) << "a typed value can be saved";
}
