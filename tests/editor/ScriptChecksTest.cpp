#include "editor/ScriptChecks.h"
#include "support/QtPrinters.h"

#include <gtest/gtest.h>

namespace
{

ReferenceLists testLists()
{
    ReferenceLists lists;
    lists.Action.appendText("0=approach\r\n1=talk\r\n");
    lists.Modes.appendText("0=always\r\n");
    lists.Items.appendText("1=coin\r\n2=bread\r\n");
    lists.Npc.appendText("0=player\r\n57=smith\r\n112=guard\r\n");
    lists.React.appendText("0=none\r\n3=smile\r\n");
    lists.Trigg.appendText("0=t0\r\n1=t1\r\n5=t5\r\n");
    lists.Q_Input.appendText("0=q0\r\n1=q1\r\n");
    lists.Q_Output.appendText("0=done\r\n");
    return lists;
}

NpcRecord plain()
{
    NpcRecord record;
    record.initialise();
    return record;
}

// An in-memory folder: the other scripts by NPC number.
struct Folder {
    QHash<quint8, NpcRecords> scripts;
    QSet<quint8> unreadable;

    FolderScript find(quint8 npc) const
    {
        if (unreadable.contains(npc))
            return {QStringLiteral("%1.npc").arg(npc), nullptr};
        const auto it = scripts.constFind(npc);
        return it == scripts.cend() ? FolderScript{} : FolderScript{QStringLiteral("%1.npc").arg(npc), &*it};
    }
};

class ScriptChecksTest : public ::testing::Test
{
protected:
    // "record:rule" of every finding, in order. The dialogue text has that many lines of
    // "x"; lines nobody speaks are left out here, the text rules have tests of their own.
    QStringList found(const NpcRecords &records, std::optional<qsizetype> lines = 10)
    {
        CheckContext context;
        context.ownNpcNumber = 57;
        context.lists = &lists;
        if (lines)
            context.edtLines = QList<QByteArray>(*lines, "x");
        context.others = [this](quint8 npc) { return folder.find(npc); };
        last = checkScript(records, context);
        last.removeIf(
            [](const CheckFinding &finding) { return finding.rule == QLatin1String("unused-phrase"); });
        QStringList list;
        for (const CheckFinding &finding : std::as_const(last))
            list << QString::number(finding.record) + QLatin1Char(':') + finding.rule;
        return list;
    }
    QStringList foundWith(const NpcRecord &record, std::optional<qsizetype> lines = 10)
    {
        NpcRecords records{};
        records[0] = record;
        return found(records, lines);
    }

    ReferenceLists lists = testLists();
    Folder folder;
    QList<CheckFinding> last;
};

} // namespace

TEST_F(ScriptChecksTest, ACleanScriptHasNoFindings)
{
    NpcRecords records{};
    records[0] = plain();
    records[1] = plain();
    records[0].ControlNpc = 57;
    records[0].ControlRec = 1;
    records[1].FDay = 3;
    records[1].LDay = 4;
    records[1].Phrase = 7;
    records[1].PhraseCnt = 3; // lines 7, 8, 9 of 10
    records[1].TriggT = 5;
    records[1].React = 65533; // -3, named by its absolute value
    EXPECT_EQ(found(records), QStringList());
}

TEST_F(ScriptChecksTest, LinksIntoTheScript)
{
    NpcRecords records{};
    records[0] = plain();
    records[0].ControlNpc = 57;
    records[0].ControlRec = 9;
    records[1] = plain();
    records[1].ControlRec = 50; // above 49 whichever script it names
    records[2] = plain();
    records[2].ControlRec = 49;
    records[2].ControlNpc = 57;
    EXPECT_EQ(found(records), utf8List({"0:link-empty", "1:link-range", "2:link-empty"}));
    EXPECT_EQ(last.at(0).level, CheckLevel::Error);
    EXPECT_EQ(last.at(0).message, QStringLiteral("ControlRec=9: запись 9 этого скрипта пуста"));
    EXPECT_EQ(last.at(1).message, QStringLiteral("ControlRec=50: номер записи больше 49"));

    // An empty record links nowhere, even in script 0, where its zeros read as "NPC 0, record 0".
    NpcRecords zeros{};
    EXPECT_EQ(found(zeros), QStringList());
}

TEST_F(ScriptChecksTest, LinksToOtherScripts)
{
    NpcRecords other{};
    other[3] = plain();
    folder.scripts.insert(112, other);
    folder.unreadable.insert(200);
    lists.Npc.appendText("113=new\r\n200=far\r\n");

    NpcRecords records{};
    for (int i = 0; i < 4; ++i)
        records[i] = plain();
    records[0].ControlNpc = 112;
    records[0].ControlRec = 3; // fine
    records[1].ControlNpc = 112;
    records[1].ControlRec = 4; // empty there
    records[2].ControlNpc = 113;
    records[2].ControlRec = 0; // no such script
    records[3].ControlNpc = 200;
    records[3].ControlRec = 0; // cannot be read: the folder scan says so, not the rules
    EXPECT_EQ(found(records), utf8List({"1:link-empty-remote", "2:link-missing-script"}));
    EXPECT_EQ(last.at(0).level, CheckLevel::Error);
    EXPECT_EQ(last.at(0).message,
              QStringLiteral("ControlNpc=112, ControlRec=4: запись 4 скрипта 112.npc пуста"));
    EXPECT_EQ(last.at(1).level, CheckLevel::Warning);
    EXPECT_EQ(last.at(1).message, QStringLiteral("ControlNpc=113: в папке нет скрипта NPC 113"));
}

TEST_F(ScriptChecksTest, DaysFollowTheRedFrame)
{
    NpcRecord record = plain();
    record.FDay = 10;
    record.LDay = 10;
    EXPECT_EQ(foundWith(record), utf8List({"0:days"}));
    EXPECT_EQ(last.at(0).message, QStringLiteral("FDay=10, LDay=10: первый день не раньше последнего"));
    record.FDay = 255; // a first day of -1 with a last day set is red in the editor too
    EXPECT_EQ(foundWith(record), utf8List({"0:days"}));
    record.FDay = 9;
    EXPECT_EQ(foundWith(record), QStringList());
    record.FDay = 200;
    record.LDay = 255;
    EXPECT_EQ(foundWith(record), QStringList());
}

TEST_F(ScriptChecksTest, PhrasesAgainstTheDialogueText)
{
    NpcRecord record = plain();
    record.Phrase = 10;
    record.PhraseCnt = 1;
    EXPECT_EQ(foundWith(record, 10), utf8List({"0:phrase-range"}));
    EXPECT_EQ(last.at(0).message, QStringLiteral("Phrase=10: фраза за концом текста (строк в .edt: 10)"));
    record.Phrase = 8;
    record.PhraseCnt = 3;
    EXPECT_EQ(foundWith(record, 10), utf8List({"0:phrase-count"}));
    EXPECT_EQ(
        last.at(0).message,
        QStringLiteral("Phrase=8, PhraseCnt=3: последняя фраза 10 за концом текста (строк в .edt: 10)"));
    record.PhraseCnt = 2;
    EXPECT_EQ(foundWith(record, 10), QStringList());
    record.PhraseCnt = 0;
    EXPECT_EQ(foundWith(record, 9), QStringList());
    // No 8-bit wrap: phrase 250 and ten more run past 255.
    record.Phrase = 250;
    record.PhraseCnt = 10;
    EXPECT_EQ(foundWith(record, 255), utf8List({"0:phrase-count", "0:above-limit"}));
    record.Phrase = 255; // speaks nothing
    EXPECT_EQ(foundWith(record, 0), QStringList());
}

TEST_F(ScriptChecksTest, TheTextItselfUnspokenEmptyAndUnshowableLines)
{
    NpcRecords records{};
    records[0] = plain();
    records[0].Phrase = 1;
    records[0].PhraseCnt = 3; // lines 1 to 3
    records[2] = plain();
    records[2].Phrase = 3;
    records[2].PhraseCnt = 1;
    records[3] = plain(); // speaks nothing: its count alone speaks no line
    records[3].PhraseCnt = 4;
    records[4] = plain();
    records[4].Phrase = 8;
    records[4].PhraseCnt = 0;
    CheckContext context;
    context.edtLines = QList<QByteArray>{"a", "b", "", "tab\there", "e", "f", "", "\x01", "i"};
    const QList<CheckFinding> findings = checkScript(records, context);
    QStringList lines;
    for (const CheckFinding &finding : findings)
        lines << QStringLiteral("%1 %2 %3: %4")
                     .arg(finding.record)
                     .arg(checkLevelName(finding.level), finding.rule, finding.message);
    EXPECT_EQ(lines,
              utf8List({
                  "-1 note unused-phrase: Фразу 0 не произносит ни одна запись",
                  "-1 note unused-phrase: Фразы 4–8 не произносит ни одна запись",
                  "0 warning empty-phrase: Phrase=1, PhraseCnt=3: фраза 2 пуста",
                  "0 warning phrase-control-char: Phrase=1, PhraseCnt=3: в фразе 3 управляющий знак (код 9), "
                  "игра её не покажет",
                  "2 warning phrase-control-char: Phrase=3, PhraseCnt=1: в фразе 3 управляющий знак (код 9), "
                  "игра её не покажет",
              }));
}

TEST_F(ScriptChecksTest, WithoutDialogueTextThePhraseRulesGiveWayToOneNote)
{
    NpcRecord record = plain();
    record.Phrase = 100;
    EXPECT_EQ(foundWith(record, std::nullopt), utf8List({"-1:edt-missing"}));
    EXPECT_EQ(last.at(0).level, CheckLevel::Note);
    EXPECT_EQ(last.at(0).record, CheckFinding::WholeScript);

    CheckContext unreadable;
    unreadable.skipPhrases = true;
    NpcRecords records{};
    records[0] = record;
    EXPECT_TRUE(checkScript(records, unreadable).isEmpty());
}

TEST_F(ScriptChecksTest, ListValuesNamedOrNot)
{
    NpcRecord record = plain();
    record.TriggT = 3;      // in a gap of the list
    record.TriggF = 6;      // above its last number
    record.Q_was = 255;     // none never counts
    record.ItemIn = 0;      // no item
    record.ItemOut = 65535; // -1: negatives name no item
    record.React = 65531;   // -5: React 5 is not named
    record.Mode = 65535;    // Mode has no none value
    EXPECT_EQ(foundWith(record),
              utf8List({"0:above-list", "0:undocumented", "0:above-list", "0:above-list"}));
    EXPECT_EQ(last.at(0).message,
              QStringLiteral("Mode=65535: больше последнего номера списка Modes.txt (0)"));
    EXPECT_EQ(last.at(1).message, QStringLiteral("TriggT=3: значение не названо в списке Trigg.txt"));
    EXPECT_EQ(last.at(3).message, QStringLiteral("React=-5: больше последнего номера списка React.txt (3)"));
    EXPECT_EQ(last.at(1).level, CheckLevel::Warning);
    // The editor names the fields as its panels do.
    EXPECT_EQ(last.at(1).shownMessage,
              QStringLiteral("«Триггер - ИСТИНА»=3: значение не названо в списке Trigg.txt"));
    EXPECT_EQ(last.at(3).shownMessage,
              QStringLiteral("«Реакция NPC»=-5: больше последнего номера списка React.txt (3)"));

    // A list that could not be read names nothing, so it is not compared with.
    lists.Trigg = ReferenceList();
    record.Mode = 0;
    record.React = 3;
    EXPECT_EQ(foundWith(record), QStringList());
}

TEST_F(ScriptChecksTest, FieldsAboveTheirFixedLimits)
{
    NpcRecord record = plain();
    record.Leader = 101;
    record.Phrase = 143;  // beyond the text as well
    record.PhraseCnt = 200;
    record.GoSect = 65535; // none
    record.LDay = 255;     // none
    EXPECT_EQ(foundWith(record, 300),
              utf8List({"0:phrase-count", "0:above-limit", "0:above-limit", "0:above-limit"}));
    EXPECT_EQ(last.at(1).message, QStringLiteral("Leader=101: больше предела поля (100)"));
    EXPECT_EQ(last.at(1).level, CheckLevel::Warning);
    EXPECT_EQ(last.at(3).shownMessage, QStringLiteral("«Количество фраз»=200: больше предела поля (142)"));

    // At the limits nothing is said; a link has its own rule.
    record.Leader = 100;
    record.Phrase = 142;
    record.PhraseCnt = 1;
    record.ControlRec = 60;
    EXPECT_EQ(foundWith(record, 300), utf8List({"0:link-range"}));
}

TEST_F(ScriptChecksTest, SpareFieldsEvenInEmptyRecords)
{
    NpcRecords records{};
    records[4].Spare28 = 7;
    records[5] = plain();
    records[5].Spare19 = 1;
    records[5].Spare30 = 2;
    EXPECT_EQ(found(records), utf8List({"4:spare", "5:spare", "5:spare"}));
    EXPECT_EQ(last.at(0).message, QStringLiteral("Spare28=7: запасное поле не равно нулю"));
    EXPECT_EQ(last.at(0).shownMessage, last.at(0).message) << "a spare field has no caption";
    EXPECT_EQ(last.at(0).level, CheckLevel::Note);
}

TEST_F(ScriptChecksTest, ValuesInMessagesAreNotReadAsPlaceholders)
{
    NpcRecords other{};
    CheckContext context;
    context.ownNpcNumber = 57;
    context.edtLines.emplace();
    context.others = [&](quint8) { return FolderScript{QStringLiteral("dir/%2%1{FDay}.npc"), &other}; };
    NpcRecords records{};
    records[0] = plain();
    records[0].ControlNpc = 112;
    records[0].ControlRec = 1;
    const QList<CheckFinding> findings = checkScript(records, context);
    ASSERT_EQ(findings.size(), 1);
    EXPECT_EQ(findings.at(0).message,
              QStringLiteral("ControlNpc=112, ControlRec=1: запись 1 скрипта %2%1{FDay}.npc пуста"));
    EXPECT_EQ(findings.at(0).shownMessage,
              QStringLiteral("«NPC No»=112, «Запись No»=1: запись 1 скрипта %2%1{FDay}.npc пуста"));
}
