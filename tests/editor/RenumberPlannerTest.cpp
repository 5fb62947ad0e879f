#include "editor/RenumberFixture.h"

#include "editor/RenumberApply.h"
#include "support/FailingFileOps.h"
#include "support/FolderSnapshot.h"
#include "support/QtPrinters.h"

#include <QRandomGenerator>

namespace
{

struct KindCase {
    RenumberKind kind;
    const char *list;
};

const KindCase KindCases[] = {
    {RenumberKind::Item, "Items.txt"},    {RenumberKind::Fact, "Trigg.txt"},
    {RenumberKind::Quest, "Q_Input.txt"}, {RenumberKind::QuestClose, "Q_Output.txt"},
    {RenumberKind::Action, "Action.txt"}, {RenumberKind::Reaction, "React.txt"},
    {RenumberKind::Mode, "Modes.txt"},    {RenumberKind::Npc, "Npc.txt"},
};

// Line 2 is entry 7; the comment and "07" are no entries; 12 is the last number.
const QByteArray ListBytes = "0=\xcd\xee\xeb\xfc\r\n7=seven=7\r\n;7=comment\r\n07=padded\r\n12=last\r\n";
const QByteArray RenumberedList = "0=\xcd\xee\xeb\xfc\r\n9=seven=7\r\n;7=comment\r\n07=padded\r\n12=last\r\n";

std::variant<RenumberPlan, RenumberRefusal> planOf(const RenumberRequest &request)
{
    return RenumberPlanner::planAll(request);
}

QString refusalOf(const std::variant<RenumberPlan, RenumberRefusal> &result)
{
    const auto *refusal = std::get_if<RenumberRefusal>(&result);
    return refusal ? refusal->reason : QStringLiteral("<planned>");
}

} // namespace

class RenumberPlannerTest : public RenumberFixture
{
};

TEST_F(RenumberPlannerTest, EveryKindRenumbersItsFieldsAndItsListEntryAndNothingElse)
{
    for (const KindCase &c : KindCases) {
        const RenumberKindInfo &kind = renumberKindInfo(c.kind);
        SCOPED_TRACE(kind.name);
        QDir(path(QStringLiteral("game"))).removeRecursively();
        for (ListId id : kind.lists)
            put(QStringLiteral("Data/") + ReferenceLists::fileName(id), ListBytes);
        NpcRecords script{};
        script[0] = initialised();
        script[1] = initialised();
        for (NpcField field : kind.fields) {
            script[0].setValue(field, 7);
            script[1].setValue(field, 3);
        }
        script[1].Spare28 = 7;
        putScript(QStringLiteral("game/sub/a.npc"), script, NpcLayout::VestaLayout);

        const auto result = planOf(request(c.kind, 7, 9));
        ASSERT_TRUE(std::holds_alternative<RenumberPlan>(result)) << refusalOf(result).toStdString();
        const RenumberPlan &plan = std::get<RenumberPlan>(result);
        ASSERT_EQ(plan.fields.size(), kind.fields.size());
        EXPECT_EQ(plan.fields[0],
                  (RenumberFieldChange{path(QStringLiteral("game/sub/a.npc")), 0, kind.fields[0], 7, 9}));
        ASSERT_EQ(plan.lists.size(), kind.lists.size());
        EXPECT_EQ(plan.lists[0].line, (ListLineChange{2, "7=seven=7", "9=seven=7"}));
        EXPECT_TRUE(plan.renames.isEmpty());

        QString error;
        ASSERT_TRUE(applyRenumbering(plan, error)) << error.toStdString();
        for (NpcField field : kind.fields)
            script[0].setValue(field, 9);
        EXPECT_EQ(bytes(QStringLiteral("game/sub/a.npc")), NpcWriter::encode(script, NpcLayout::VestaLayout));
        for (ListId id : kind.lists)
            EXPECT_EQ(bytes(QStringLiteral("Data/") + ReferenceLists::fileName(id)), RenumberedList);
    }
}

TEST_F(RenumberPlannerTest, ANegativeReactionStaysNegativeAndEmptyRecordsStayEmpty)
{
    put(QStringLiteral("Data/React.txt"), "0=none\r\n7=smile\r\n");
    put(QStringLiteral("Data/Action.txt"), "1=talk\r\n0=approach\r\n");
    NpcRecords script{};
    script[0] = initialised(); // Action 0, React 0
    script[1] = initialised();
    script[1].React = quint16(-7);
    putScript(QStringLiteral("game/1.npc"), script);
    // Bytes beyond the records stay too.
    put(QStringLiteral("game/1.npc"), bytes(QStringLiteral("game/1.npc")) + "tail");

    QString error;
    const auto reaction = planOf(request(RenumberKind::Reaction, 7, 9));
    ASSERT_TRUE(applyRenumbering(std::get<RenumberPlan>(reaction), error)) << error.toStdString();
    EXPECT_EQ(records(QStringLiteral("game/1.npc"))[1].React, quint16(-9));

    const auto action = planOf(request(RenumberKind::Action, 0, 6));
    ASSERT_TRUE(std::holds_alternative<RenumberPlan>(action)) << refusalOf(action).toStdString();
    EXPECT_EQ(std::get<RenumberPlan>(action).fields.size(), 2); // records 0 and 1, not the 48 empty ones
    ASSERT_TRUE(applyRenumbering(std::get<RenumberPlan>(action), error)) << error.toStdString();
    const NpcRecords after = records(QStringLiteral("game/1.npc"));
    EXPECT_EQ(after[0].Action, 6);
    EXPECT_TRUE(after[2].isEmpty());
    EXPECT_TRUE(bytes(QStringLiteral("game/1.npc")).endsWith("tail"));
    EXPECT_EQ(bytes(QStringLiteral("Data/Action.txt")), "1=talk\r\n6=approach\r\n");
}

TEST_F(RenumberPlannerTest, ACharacterTakesItsFilesAndEveryLinkToItAlong)
{
    put(QStringLiteral("Data/Npc.txt"), "57=\xca\xf3\xe7\xed\xe5\xf6\r\n112=guard\r\n");
    NpcRecords smith{};
    smith[0] = initialised();
    smith[0].ControlNpc = 57; // its own record 3
    smith[0].ControlRec = 3;
    smith[3] = initialised();
    putScript(QStringLiteral("game/057.npc"), smith);
    put(QStringLiteral("game/057.EDT"), QByteArray(480, 'x'));
    NpcRecords shop{};
    shop[2] = initialised();
    shop[2].ControlNpc = 57;
    shop[2].ControlRec = 0;
    putScript(QStringLiteral("game/Shop.npc"), shop);
    putScript(QStringLiteral("game/other/9.npc"), shop);

    const auto result = planOf(request(RenumberKind::Npc, 57, 5));
    ASSERT_TRUE(std::holds_alternative<RenumberPlan>(result)) << refusalOf(result).toStdString();
    const RenumberPlan &plan = std::get<RenumberPlan>(result);
    EXPECT_EQ(plan.fields.size(), 3);
    EXPECT_EQ(plan.renames,
              (QList<RenumberFileRename>{
                  {path(QStringLiteral("game/057.npc")), path(QStringLiteral("game/005.npc"))},
                  {path(QStringLiteral("game/057.EDT")), path(QStringLiteral("game/005.EDT"))}}));
    QString error;
    ASSERT_TRUE(applyRenumbering(plan, error)) << error.toStdString();

    smith[0].ControlNpc = 5;
    shop[2].ControlNpc = 5;
    EXPECT_EQ(bytes(QStringLiteral("game/005.npc")), NpcWriter::encode(smith, NpcLayout::StandardLayout));
    EXPECT_EQ(bytes(QStringLiteral("game/005.EDT")), QByteArray(480, 'x'));
    EXPECT_FALSE(QFileInfo::exists(path(QStringLiteral("game/057.npc"))));
    EXPECT_EQ(records(QStringLiteral("game/Shop.npc")), shop);
    EXPECT_EQ(records(QStringLiteral("game/other/9.npc")), shop);
    EXPECT_EQ(bytes(QStringLiteral("Data/Npc.txt")), "5=\xca\xf3\xe7\xed\xe5\xf6\r\n112=guard\r\n");
}

TEST_F(RenumberPlannerTest, RefusesNamingTheReason)
{
    struct Case {
        const char *name;
        RenumberKind kind;
        qint64 from, to;
        std::function<void(RenumberFixture &, RenumberRequest &)> arrange;
        QString reason; // the start, paths made relative to the temporary folder
        bool unreadable = false;
    };
    const auto nothing = [](RenumberFixture &, RenumberRequest &) {};
    const Case cases[] = {
        {"same", RenumberKind::Item, 7, 7, nothing, QStringLiteral("старый и новый номер совпадают")},
        {"no item", RenumberKind::Item, 0, 9, nothing,
         QStringLiteral("номер 0 не может стоять в поле ItemIn (1 - 32767)")},
        {"too wide", RenumberKind::Quest, 7, 255, nothing,
         QStringLiteral("номер 255 не помещается в поле Q_was (0 - 254)")},
        {"field", RenumberKind::Item, 7, 3, nothing,
         QStringLiteral("номер 3 уже занят: game/a.npc:1: ItemIn")},
        {"list entry", RenumberKind::Fact, 7, 12, nothing,
         QStringLiteral("номер 12 уже занят: Data/Trigg.txt:5")},
        {"limit", RenumberKind::Fact, 7, 40, // the list does not end with its highest number
         [](RenumberFixture &f, RenumberRequest &) {
             f.put(QStringLiteral("Data/Trigg.txt"), "0=a\r\n7=b\r\n50=c\r\n12=last\r\n");
         },
         QStringLiteral("номер 40 больше предела поля TriggT (game/a.npc:0): 12")},
        {"unused", RenumberKind::Item, 8, 9, nothing, QStringLiteral("номер 8 нигде не используется")},
        {"unreadable", RenumberKind::Item, 7, 9,
         [](RenumberFixture &f, RenumberRequest &) { f.put(QStringLiteral("game/z/bad.NPC"), "short"); },
         QStringLiteral("не удалось прочитать game/z/bad.NPC: Выбранный файл не является NPC-скриптом "
                        "(размер файла 5, а нужно не меньше 1600 байт)"),
         true},
        {"shipped list", RenumberKind::Fact, 7, 9,
         [](RenumberFixture &, RenumberRequest &r) { r.lists[ListId::Trigg].writeTo.clear(); },
         QStringLiteral("список Data/Trigg.txt поставляется с программой")},
        {"script there", RenumberKind::Npc, 7, 3,
         [](RenumberFixture &f, RenumberRequest &) {
             f.put(QStringLiteral("game/x/03.npc"), QByteArray(1600, 0));
         },
         QStringLiteral("номер 3 уже занят: есть скрипт game/x/03.npc")},
        {"two scripts", RenumberKind::Npc, 7, 9,
         [](RenumberFixture &f, RenumberRequest &) {
             f.put(QStringLiteral("game/007.npc"), QByteArray(1600, 0));
             f.put(QStringLiteral("game/7.NPC"), QByteArray(1600, 0));
         },
         QStringLiteral("в папке game несколько скриптов NPC 7: game/007.npc, game/7.NPC")},
        {"dialogue there", RenumberKind::Npc, 7, 9,
         [](RenumberFixture &f, RenumberRequest &) {
             f.put(QStringLiteral("game/7.npc"), QByteArray(1600, 0));
             f.put(QStringLiteral("game/9.Edt"), "");
         },
         QStringLiteral("номер 9 уже занят: есть файл game/9.Edt")},
        {"unreadable after", RenumberKind::Mode, 0, 5, nothing,
         QStringLiteral(
             "скрипт game/a.npc стал бы нечитаемым: поля Mode и ItemIn записи 0 задают формат файла")},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        QDir(path(QStringLiteral("game"))).removeRecursively();
        QDir(path(QStringLiteral("Data"))).removeRecursively();
        for (const char *list : {"Items.txt", "Trigg.txt", "Q_Input.txt", "Npc.txt"})
            put(QStringLiteral("Data/") + QLatin1String(list), ListBytes);
        NpcRecords script{};
        script[0] = initialised();
        script[0].ItemIn = script[0].TriggT = script[0].Q_was = script[0].ControlNpc = 7;
        script[1] = initialised();
        script[1].ItemIn = 3;
        putScript(QStringLiteral("game/a.npc"), script);
        RenumberRequest r = request(c.kind, c.from, c.to);
        c.arrange(*this, r);
        const QMap<QString, QByteArray> before = folderSnapshot(dir.path());

        const auto result = planOf(r);
        ASSERT_TRUE(std::holds_alternative<RenumberRefusal>(result));
        const RenumberRefusal &refusal = std::get<RenumberRefusal>(result);
        QString reason = refusal.reason;
        reason.replace(dir.path() + QLatin1Char('/'), QString());
        EXPECT_TRUE(reason.startsWith(c.reason)) << reason.toStdString();
        EXPECT_EQ(refusal.unreadable, c.unreadable);
        EXPECT_EQ(folderSnapshot(dir.path()), before);
    }
}

TEST_F(RenumberPlannerTest, ApplyingEndsWhollyChangedOrExactlyAsItWasWhicheverStepFails)
{
    const auto makeFolder = [this] {
        QDir(dir.path()).removeRecursively();
        QDir().mkpath(dir.path());
        put(QStringLiteral("Data/Npc.txt"), "57=smith\r\n");
        NpcRecords linking{};
        linking[0] = initialised();
        linking[0].ControlNpc = 57;
        for (const char *name : {"game/057.npc", "game/a.npc", "game/b/b.npc", "game/c.npc"})
            putScript(QLatin1String(name), linking);
        put(QStringLiteral("game/057.edt"), QByteArray(960, 'e'));
    };
    for (const bool renames : {false, true}) {
        makeFolder();
        const QMap<QString, QByteArray> before = folderSnapshot(dir.path());
        const auto result = planOf(request(RenumberKind::Npc, 57, 58));
        ASSERT_TRUE(std::holds_alternative<RenumberPlan>(result)) << refusalOf(result).toStdString();
        for (int n = 1;; ++n) {
            SCOPED_TRACE((renames ? "rename " : "write ") + std::to_string(n));
            FailingFileOps ops;
            (renames ? ops.failRename : ops.failWrite) = n;
            QString error;
            if (applyRenumbering(std::get<RenumberPlan>(result), error, ops)) {
                EXPECT_GT(n, 4); // four scripts written, and more steps to place them
                break;
            }
            ASSERT_EQ(folderSnapshot(dir.path()), before) << error.toStdString();
            EXPECT_TRUE(error.contains(QStringLiteral("Ни один файл не изменён"))) << error.toStdString();
        }
        EXPECT_TRUE(QFileInfo::exists(path(QStringLiteral("game/058.edt"))));
        EXPECT_EQ(records(QStringLiteral("game/b/b.npc"))[0].ControlNpc, 58);
    }
}

TEST_F(RenumberPlannerTest, AFileChangedSinceThePlanWasMadeStopsItBeforeAnyWrite)
{
    put(QStringLiteral("Data/Items.txt"), "7=sword\r\n");
    NpcRecords script{};
    script[0] = initialised();
    script[0].ItemOut = 7;
    putScript(QStringLiteral("game/a.npc"), script);
    putScript(QStringLiteral("game/b.npc"), script);
    const auto result = planOf(request(RenumberKind::Item, 7, 8));
    script[1] = initialised();
    putScript(QStringLiteral("game/b.npc"), script);
    const QMap<QString, QByteArray> before = folderSnapshot(dir.path());
    QString error;
    EXPECT_FALSE(applyRenumbering(std::get<RenumberPlan>(result), error));
    EXPECT_EQ(error, QStringLiteral(
                         "Файл %1 изменился после того, как были рассчитаны изменения; ничего не записано.")
                         .arg(path(QStringLiteral("game/b.npc"))));
    EXPECT_EQ(folderSnapshot(dir.path()), before);
}

TEST_F(RenumberPlannerTest, StoppedBeforeTheEndItPlansNothing)
{
    NpcRecords script{};
    script[0] = initialised();
    script[0].ItemIn = 7;
    for (int i = 0; i < 30; ++i)
        putScript(QStringLiteral("game/%1.npc").arg(i), script);
    RenumberPlanner planner(request(RenumberKind::Item, 7, 8));
    while (planner.isListing())
        planner.next(5);
    planner.next(5);
    EXPECT_EQ(planner.done(), 5);
    EXPECT_EQ(planner.total(), 30);
    planner.stop();
    planner.next(5);
    EXPECT_TRUE(planner.isFinished());
    EXPECT_TRUE(planner.wasStopped());
    EXPECT_EQ(planner.done(), 5);
    EXPECT_TRUE(planner.plan().isEmpty());
}

// Whatever the scripts and lists hold, every field of the kind names after the renumbering
// what it named before, and every other byte stays.
TEST_F(RenumberPlannerTest, EveryFieldNamesWhatItNamedBefore)
{
    QRandomGenerator random(22);
    const QString script = QStringLiteral("game/s.npc");
    for (int round = 0; round < 60; ++round) {
        const RenumberKindInfo &kind = renumberKinds().at(random.bounded(renumberKinds().size()));
        SCOPED_TRACE(std::string(kind.name) + " round " + std::to_string(round));
        const auto listNow = [&](ListId id) {
            ReferenceList list;
            list.readFile(path(QStringLiteral("Data/") + ReferenceLists::fileName(id)));
            return list;
        };
        QMap<ListId, ReferenceList> before;
        for (ListId id : kind.lists) {
            QByteArray list;
            for (int line = 0; line < 12; ++line)
                list += (random.bounded(5) == 0 ? ";" : "") + QByteArray::number(random.bounded(16)) +
                        "=name" + QByteArray::number(line) + "\r\n";
            put(QStringLiteral("Data/") + ReferenceLists::fileName(id), list + "40=last\r\n");
            before.insert(id, listNow(id));
        }
        NpcRecords old{};
        for (NpcRecord &record : old) {
            if (random.bounded(3) == 0)
                continue;
            record.initialise();
            record.Spare30 = quint16(random.bounded(65536));
            for (NpcField field : kind.fields)
                record.setValue(field, random.bounded(8) == 0 ? 0xFFFF : random.bounded(16));
        }
        old[0].Mode = 0; // the first bytes of the file tell its layout
        putScript(script, old);

        const auto result = planOf(request(kind.kind, 3, 20));
        QString error;
        FailingFileOps unflushed;
        if (std::holds_alternative<RenumberPlan>(result)) {
            ASSERT_TRUE(applyRenumbering(std::get<RenumberPlan>(result), error, unflushed))
                << error.toStdString();
        }
        const NpcRecords now = records(script);
        for (int r = 0; r < RecordCount; ++r) {
            NpcRecord masked = now[r];
            for (NpcField field : kind.fields) {
                const ListId list = findFieldInfo(field)->list;
                const auto was = renumberedNumber(field, old[r].value(field));
                const auto is = renumberedNumber(field, now[r].value(field));
                EXPECT_EQ(was.has_value(), is.has_value());
                if (was && !old[r].isEmpty()) {
                    EXPECT_EQ(before[list].nameOf(*was), listNow(list).nameOf(*is));
                }
                masked.setValue(field, old[r].value(field));
            }
            EXPECT_EQ(masked, old[r]);
        }
    }
}

TEST(RenumberedFileName, KeepsTheSpellingAndThePaddingOfTheName)
{
    EXPECT_EQ(renumberedFileName(QStringLiteral("057.npc"), 57, 5), QStringLiteral("005.npc"));
    EXPECT_EQ(renumberedFileName(QStringLiteral("057.EDT"), 57, 1234), QStringLiteral("1234.EDT"));
    EXPECT_EQ(renumberedFileName(QStringLiteral("57.Npc"), 57, 112), QStringLiteral("112.Npc"));
    EXPECT_EQ(renumberedFileName(QStringLiteral("300.npc"), 44, 5), QString()); // 300 is 44 in 8 bits
    EXPECT_EQ(renumberedFileName(QStringLiteral("Shop.npc"), 57, 5), QString());
}

TEST_F(RenumberPlannerTest, AQuestAndAQuestClosingAreNumberedApart)
{
    put(QStringLiteral("Data/Q_Input.txt"), "4=find the ring\r\n");
    put(QStringLiteral("Data/Q_Output.txt"), "4=\xca\xe2\xe5\xf1\xf2\r\n");
    NpcRecords script{};
    script[0] = initialised();
    script[0].Q_Input = 4;
    script[0].Q_Output = 4;
    putScript(QStringLiteral("game/1.npc"), script);

    QString error;
    const auto quest = planOf(request(RenumberKind::Quest, 4, 17));
    ASSERT_TRUE(std::holds_alternative<RenumberPlan>(quest)) << refusalOf(quest).toStdString();
    ASSERT_TRUE(applyRenumbering(std::get<RenumberPlan>(quest), error)) << error.toStdString();
    EXPECT_EQ(records(QStringLiteral("game/1.npc"))[0].Q_Input, 17);
    EXPECT_EQ(records(QStringLiteral("game/1.npc"))[0].Q_Output, 4);
    EXPECT_EQ(bytes(QStringLiteral("Data/Q_Output.txt")), "4=\xca\xe2\xe5\xf1\xf2\r\n");

    const auto closing = planOf(request(RenumberKind::QuestClose, 4, 17));
    ASSERT_TRUE(std::holds_alternative<RenumberPlan>(closing)) << refusalOf(closing).toStdString();
    ASSERT_TRUE(applyRenumbering(std::get<RenumberPlan>(closing), error)) << error.toStdString();
    EXPECT_EQ(records(QStringLiteral("game/1.npc"))[0].Q_Output, 17);
    EXPECT_EQ(bytes(QStringLiteral("Data/Q_Output.txt")), "17=\xca\xe2\xe5\xf1\xf2\r\n");
    EXPECT_EQ(renumberKindNamed(QStringLiteral("quest-close")), RenumberKind::QuestClose);
}

TEST_F(RenumberPlannerTest, TheLastItemRenumberedLowerKeepsTheListsLimit)
{
    put(QStringLiteral("Data/Items.txt"), "1=a\r\n11=b\r\n13=c\r\n1001=last\r\n");
    NpcRecords script{};
    script[0] = initialised();
    script[0].ItemIn = 1001;
    script[1] = initialised();
    script[1].ItemOut = 13;
    putScript(QStringLiteral("game/1.npc"), script);

    const auto result = planOf(request(RenumberKind::Item, 1001, 12));
    ASSERT_TRUE(std::holds_alternative<RenumberPlan>(result)) << refusalOf(result).toStdString();
    QString error;
    ASSERT_TRUE(applyRenumbering(std::get<RenumberPlan>(result), error)) << error.toStdString();
    EXPECT_EQ(bytes(QStringLiteral("Data/Items.txt")), "1=a\r\n11=b\r\n12=last\r\n13=c\r\n");
}
