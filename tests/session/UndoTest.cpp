#include "session/SessionFixture.h"

#include <random>

namespace
{

NpcRecords script()
{
    NpcRecords records{};
    for (int i = 0; i < 12; ++i)
        records[i] = SessionFixture::used(quint8(i % 5), 57, quint8((i * 7) % 12));
    records[5].ControlNpc = 112;
    records[49] = SessionFixture::used(2);
    return records;
}

struct Seen {
    NpcRecords records;
    RecordGridTexts captions;
    int curRec;
    bool operator==(const Seen &) const = default;
};

Seen seen(const ScriptSession &session)
{
    return {session.records(), session.captions().texts(), session.CurRec()};
}

} // namespace

class UndoTest : public SessionFixture
{
protected:
    void SetUp() override
    {
        SessionFixture::SetUp();
        writeFile(QStringLiteral("Data/macros.mcr"),
                  "Guard=1,0,65535,65535,255,255,255,4,0,2,1,255,255,255,255,0,65535,0,65535,0,0,0\r\n");
        restart();
        session().macroLibrary().load();
        ASSERT_TRUE(session().openScript(writeScript(QStringLiteral("057.npc"), script()), {}));
    }
};

TEST_F(UndoTest, EachKindOfStepIsUndoneAndRedoneWithCaptionsAndCurrentRecord)
{
    using Step = std::pair<const char *, std::function<void(ScriptSession &)>>;
    const Step steps[] = {
        {"вырезать запись", [](ScriptSession &s) { s.cutRecord(); }},
        {"удалить запись", [](ScriptSession &s) { s.deleteRecord(); }},
        {"вставить запись",
         [](ScriptSession &s) {
             s.copyRecord();
             s.pasteRecord();
         }},
        {"очистить запись", [](ScriptSession &s) { s.cleanRecord(); }},
        {"инициализировать запись", [](ScriptSession &s) { s.initialiseRecord(); }},
        {"сдвинуть запись вверх", [](ScriptSession &s) { s.moveRecord(-1); }},
        {"сдвинуть запись вниз", [](ScriptSession &s) { s.moveRecord(+1); }},
        {"макрос «Guard»", [](ScriptSession &s) { s.applyMacro(0); }},
        {"значение поля «Первый день»",
         [](ScriptSession &s) { s.commitField(NpcField::FDay, QStringLiteral("9")); }},
        {"значение поля «Лидерство»", [](ScriptSession &s) { s.setFieldDefault(NpcField::Leader); }},
    };
    for (const auto &[name, run] : steps) {
        SCOPED_TRACE(name);
        session().selectRecord(4);
        const Seen before = seen(session());
        run(session());
        const Seen after = seen(session());
        ASSERT_TRUE(session().commandState().undo);
        EXPECT_EQ(session().commandState().undoName, QString::fromUtf8(name));
        session().selectRecord(30); // wherever the user went since

        session().undo();
        EXPECT_EQ(seen(session()), before);
        EXPECT_EQ(session().commandState().redoName, QString::fromUtf8(name));
        session().redo();
        EXPECT_EQ(seen(session()), after);
        session().undo();
    }
}

TEST_F(UndoTest, ModifiedFollowsTheHistoryAndTheSavedPoint)
{
    int states = 0;
    QObject::connect(&session(), &ScriptSession::stateChanged, [&] { ++states; });
    session().commitField(NpcField::Leader, QStringLiteral("7"));
    session().cutRecord();
    EXPECT_TRUE(session().isModified());
    session().undo();
    session().undo();
    EXPECT_FALSE(session().isModified());
    EXPECT_FALSE(session().isModified());
    EXPECT_GE(states, 4);
    session().redo();
    EXPECT_TRUE(session().isModified());

    ASSERT_TRUE(session().save());
    EXPECT_FALSE(session().isModified());
    session().undo();
    EXPECT_TRUE(session().isModified()) << "back before the saved point";
    session().redo();
    EXPECT_FALSE(session().isModified());

    // A new step after an undo forgets the way forward, the saved point with it.
    session().undo();
    session().commitField(NpcField::Leader, QStringLiteral("3"));
    EXPECT_FALSE(session().commandState().redo);
    EXPECT_TRUE(session().isModified());
}

TEST_F(UndoTest, TheClipboardAndTheLayoutStayThroughUndo)
{
    session().selectRecord(3);
    session().cutRecord();
    const NpcRecord cut = session().clipboard();
    session().setLayout(NpcLayout::VestaLayout);
    session().undo();
    EXPECT_EQ(session().clipboard(), cut);
    EXPECT_TRUE(session().commandState().paste);
    EXPECT_EQ(session().document().layout, NpcLayout::VestaLayout);
}

TEST_F(UndoTest, OpeningAndNewStartAnEmptyHistoryAndRefusedValuesAreNoSteps)
{
    session().commitField(NpcField::Leader, QStringLiteral("7"));
    session().newScript();
    EXPECT_FALSE(session().commandState().undo);
    session().commitField(NpcField::Leader, QStringLiteral("7"));
    ASSERT_TRUE(session().openScript(pathIn(QStringLiteral("057.npc")), {}));
    EXPECT_FALSE(session().commandState().undo);
    EXPECT_FALSE(session().commandState().redo);

    session().commitField(NpcField::Action, QStringLiteral("200"));
    session().commitField(NpcField::GoSect, QStringLiteral("-"));
    session().copyRecord();
    session().moveRecord(-1); // record 0 cannot move up
    EXPECT_FALSE(session().commandState().undo);
    EXPECT_FALSE(session().isModified());
}

TEST_F(UndoTest, AThousandStepsAreKept)
{
    for (int i = 0; i < RecordHistory::MaxSteps + 10; ++i)
        session().commitField(NpcField::Leader, QString::number(i % 100));
    int undone = 0;
    while (session().commandState().undo) {
        session().undo();
        ++undone;
    }
    EXPECT_EQ(undone, RecordHistory::MaxSteps);
    EXPECT_TRUE(session().isModified()) << "the opened state fell out of the history";
}

// Random edits, then undo all gives back the first records byte for byte, and redo all
// the last ones.
TEST_F(UndoTest, UndoingEverythingGivesBackTheFirstRecords)
{
    std::mt19937 random(20261209);
    for (int round = 0; round < 60; ++round) {
        SCOPED_TRACE(round);
        ASSERT_TRUE(session().openScript(pathIn(QStringLiteral("057.npc")), {}));
        session().selectRecord(int(random() % RecordCount));
        const NpcRecords first = session().records();
        for (int op = 0; op < 40; ++op) {
            session().selectRecord(int(random() % RecordCount));
            switch (random() % 10) {
            case 0:
                session().cutRecord();
                break;
            case 1:
                session().deleteRecord();
                break;
            case 2:
                session().copyRecord();
                session().pasteRecord();
                break;
            case 3:
                session().cleanRecord();
                break;
            case 4:
                session().initialiseRecord();
                break;
            case 5:
                session().moveRecord(random() % 2 ? 1 : -1);
                break;
            case 6:
                session().applyMacro(0);
                break;
            case 7:
                session().setFieldDefault(NpcField::ControlRec);
                break;
            default:
                session().commitField(random() % 2 ? NpcField::ControlRec : NpcField::FDay,
                                      QString::number(int(random() % 60) - 1));
            }
        }
        const Seen last = seen(session());
        while (session().commandState().undo)
            session().undo();
        EXPECT_EQ(session().records(), first);
        EXPECT_FALSE(session().isModified());
        while (session().commandState().redo)
            session().redo();
        EXPECT_EQ(session().records(), last.records);
        EXPECT_EQ(session().captions().texts(), last.captions);
    }
}
