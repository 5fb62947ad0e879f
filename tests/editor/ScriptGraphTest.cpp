#include "common/Windows1251.h"
#include "editor/ScriptChecks.h"
#include "editor/ScriptGraph.h"
#include "editor/ScriptGraphDot.h"
#include "support/QtPrinters.h"
#include "support/UsedRecord.h"

#include <QRandomGenerator>

#include <gtest/gtest.h>

namespace
{

ReferenceLists testLists()
{
    ReferenceLists lists;
    lists.Action.appendText("0=approach\r\n1=talk\r\n2=trade\r\n");
    lists.Items.appendText("12=" + toWindows1251(QStringLiteral("меч")) + "\r\n");
    lists.Npc.appendText("57=smith\r\n112=" + toWindows1251(QStringLiteral("Изяслав")) + "\r\n");
    lists.Trigg.appendText("5=rain\r\n");
    return lists;
}

// Other scripts by number; 113 has none, 120 cannot be read.
struct Folder {
    QHash<quint8, NpcRecords> scripts;

    FolderScript find(quint8 npc) const
    {
        if (npc == 120)
            return {QStringLiteral("npc/120.npc"), nullptr};
        const auto it = scripts.constFind(npc);
        return it == scripts.cend() ? FolderScript{} : FolderScript{QStringLiteral("npc/%1.npc").arg(npc), &*it};
    }
};

class ScriptGraphTest : public ::testing::Test
{
protected:
    ScriptGraph graph(const NpcRecords &records)
    {
        ScriptGraphSources sources;
        sources.ownNpcNumber = 57;
        sources.lists = &lists;
        sources.phrases = [this](qsizetype k) { return k < phrases.size() ? &phrases.at(k) : nullptr; };
        sources.others = [this](quint8 npc) { return folder.find(npc); };
        return scriptGraph(records, sources);
    }

    ReferenceLists lists = testLists();
    QList<QByteArray> phrases;
    Folder folder;
};

QStringList titles(const ScriptGraph &graph)
{
    QStringList list;
    for (const MapNode &node : graph.nodes)
        list << node.title;
    return list;
}

// "from -> to" by title, with "!" for a broken link.
QStringList edges(const ScriptGraph &graph)
{
    QStringList list;
    for (const MapEdge &edge : graph.edges)
        list << graph.nodes[edge.from].title + QStringLiteral(" -> ") + graph.nodes[edge.to].title +
                    (edge.broken() ? QStringLiteral(" !") : QString());
    return list;
}

} // namespace

TEST_F(ScriptGraphTest, EveryNonEmptyRecordIsABoxWithItsActionConditionsAndFirstPhrase)
{
    phrases = {"Hello there", QByteArray(70, 'x'), QByteArray("tab\there\x01"), QByteArray(58, 'y') + "   z"};
    NpcRecords records{};
    records[0] = usedRecord(1);
    records[0].Phrase = 0;
    records[3] = usedRecord(7); // no name in the list
    records[3].Phrase = 1;
    records[3].FDay = 2;
    records[3].LDay = 9;
    records[3].ItemIn = 12;
    records[5] = usedRecord(2);
    records[5].Phrase = 2;
    records[6] = usedRecord(2);
    records[6].Phrase = 4; // beyond the text
    records[7] = usedRecord(2);
    records[7].Phrase = 3;
    records[49].Spare28 = 4; // empty: spare fields do not count

    const ScriptGraph map = graph(records);
    EXPECT_EQ(titles(map), (QStringList{QStringLiteral("0 · talk"), QStringLiteral("3"), QStringLiteral("5 · trade"),
                                        QStringLiteral("6 · trade"), QStringLiteral("7 · trade")}));
    EXPECT_EQ(map.nodes[0].phrase, QStringLiteral("«Hello there»"));
    EXPECT_TRUE(map.nodes[0].conditions.isEmpty());
    EXPECT_EQ(map.nodes[1].phrase, QStringLiteral("«") + QString(60, QLatin1Char('x')) + QStringLiteral("…»"));
    EXPECT_EQ(map.nodes[1].conditions, QStringLiteral("дни 2–9 · предмет меч"));
    EXPECT_EQ(map.nodes[1].details, QStringLiteral("3\nПервый день: 2\nПоследний день: 9\n"
                                                   "Получаемый предмет: 12 (меч)\n1: ") +
                                        QString(70, QLatin1Char('x')));
    EXPECT_EQ(map.nodes[2].phrase, QStringLiteral("«tab here »")); // control bytes would break the line
    EXPECT_EQ(map.nodes[3].phrase, QStringLiteral("фраза 4"));
    EXPECT_EQ(map.nodes[4].phrase, QStringLiteral("«") + QString(58, QLatin1Char('y')) + QStringLiteral("…»"));
    EXPECT_TRUE(map.edges.isEmpty());

    // Without a dialogue text the boxes still say which phrase they speak.
    ScriptGraphSources bare;
    EXPECT_EQ(scriptGraph(records, bare).nodes[0].phrase, QStringLiteral("фраза 0"));
    EXPECT_EQ(scriptGraph(records, bare).nodes[0].title, QStringLiteral("0"));
}

TEST(ConditionsSummary, NamesOnlyWhatIsSet)
{
    const auto summary = [](auto change) {
        NpcRecord record = usedRecord(1);
        change(record);
        return conditionsSummary(record);
    };
    EXPECT_EQ(summary([](NpcRecord &) {}), QString());
    EXPECT_EQ(summary([](NpcRecord &r) { r.FDay = 3; }), QStringLiteral("с дня 3"));
    EXPECT_EQ(summary([](NpcRecord &r) { r.LDay = 7; }), QStringLiteral("дни 0–7"));
    EXPECT_EQ(summary([](NpcRecord &r) { r.FDay = 255, r.LDay = 7; }), QStringLiteral("дни 0–7"));
    EXPECT_EQ(summary([](NpcRecord &r) { r.FDay = 255; }), QString());
    EXPECT_EQ(summary([](NpcRecord &r) { r.ItemIn = 65535; }), QStringLiteral("предмет -1"));
    EXPECT_EQ(summary([](NpcRecord &r) { r.TriggT = 5, r.TriggF = 0; }), QStringLiteral("триггер 5 · не триггер 0"));
    EXPECT_EQ(summary([](NpcRecord &r) { r.Q_was = 0, r.Leader = 40; }), QStringLiteral("квест 0 · лидерство 40"));
    // A record made field by field from an empty one fires on day 0 only, with fact 0 and quest 0.
    NpcRecord bare;
    bare.Action = 1;
    EXPECT_EQ(conditionsSummary(bare), QStringLiteral("дни 0–0 · триггер 0 · не триггер 0 · квест 0"));
}

TEST_F(ScriptGraphTest, BoxesNameValuesFromTheListsAndSayWhatTheRecordDoes)
{
    NpcRecords records{};
    records[0] = usedRecord(1);
    records[0].TriggT = 5;   // named
    records[0].TriggF = 6;   // not named: its number
    records[0].ItemOut = 12; // given
    records[0].Q_Input = 2;
    records[0].Q_Output = 3;
    records[0].Trigg2T = 5;
    records[0].React = 65533; // -3
    records[0].GoSect = 40;
    records[1] = usedRecord(1); // does nothing of the kind

    const ScriptGraph map = graph(records);
    EXPECT_EQ(map.nodes[0].conditions, QStringLiteral("триггер rain · не триггер 6"));
    EXPECT_EQ(map.nodes[0].results, QStringLiteral("→ даёт меч · открывает квест 2 · закрывает квест 3 · факт rain · "
                                                   "реакция -3 · тайл 40"));
    EXPECT_TRUE(map.nodes[0].lines().contains(map.nodes[0].results));
    EXPECT_EQ(map.nodes[1].results, QString());
    EXPECT_EQ(resultsSummary(records[0]), QStringLiteral("→ даёт 12 · открывает квест 2 · закрывает квест 3 · "
                                                         "факт 5 · реакция -3 · тайл 40"))
        << "numbers without the lists";
}

TEST_F(ScriptGraphTest, RecordsOfOtherScriptsLeadingInAreBoxesOfTheirOwn)
{
    folder.scripts[112][4] = usedRecord(1, 57, 0);
    NpcRecords records{};
    records[0] = usedRecord(1, 112, 4); // and back: one box for #112 · 4
    records[1] = usedRecord(1);
    QHash<int, QList<IncomingLink>> incoming;
    incoming[0] = {{QStringLiteral("#112"), 4, QStringLiteral("npc/112.npc")}};
    incoming[1] = {{QStringLiteral("#130"), 2, QStringLiteral("npc/130.npc")},
                   {QStringLiteral("shop"), 7, QStringLiteral("npc/shop.npc")}};
    incoming[5] = {{QStringLiteral("#131"), 0, QStringLiteral("npc/131.npc")}}; // an empty record: no box
    ScriptGraphSources sources;
    sources.ownNpcNumber = 57;
    sources.lists = &lists;
    sources.others = [this](quint8 npc) { return folder.find(npc); };
    sources.incoming = [&incoming](int record) { return incoming.value(record); };

    const ScriptGraph map = scriptGraph(records, sources);
    EXPECT_EQ(edges(map), (QStringList{QStringLiteral("0 · talk -> #112 · 4"), QStringLiteral("#112 · 4 -> 0 · talk"),
                                       QStringLiteral("#130 · 2 -> 1 · talk"), QStringLiteral("shop · 7 -> 1 · talk")}));
    const MapNode &shop = map.nodes[map.edges[3].from];
    EXPECT_EQ(shop.kind, MapNodeKind::OtherScript);
    EXPECT_EQ(shop.path, QStringLiteral("npc/shop.npc"));
    EXPECT_EQ(map.nodes[map.edges[1].from].subtitle, QStringLiteral("Изяслав"));
    EXPECT_EQ(map.nodes.size(), 5);
}

TEST_F(ScriptGraphTest, LinksLeadToRecordsHereToOtherCharactersAndRedToWhereNothingIs)
{
    folder.scripts[112][4] = usedRecord(1);
    NpcRecords records{};
    records[0] = usedRecord(1, 57, 2);  // here
    records[1] = usedRecord(1, 57, 30); // an empty record
    records[2] = usedRecord(1, 112, 4); // another character
    records[3] = usedRecord(1, 112, 4); // the same record of his: one box
    records[4] = usedRecord(1, 112, 9); // his empty record
    records[5] = usedRecord(1, 113, 0); // no script
    records[6] = usedRecord(1, 57, 60); // past 49
    records[7] = usedRecord(1, 57, 30); // the same empty record: one box
    records[8] = usedRecord(1, 120, 1); // unreadable: nothing to say against it
    records[9] = usedRecord(1, 57, 9);  // itself

    const ScriptGraph map = graph(records);
    EXPECT_EQ(edges(map), (QStringList{
                              QStringLiteral("0 · talk -> 2 · talk"),
                              QStringLiteral("1 · talk -> 30 !"),
                              QStringLiteral("2 · talk -> #112 · 4"),
                              QStringLiteral("3 · talk -> #112 · 4"),
                              QStringLiteral("4 · talk -> #112 · 9 !"),
                              QStringLiteral("5 · talk -> #113 · 0 !"),
                              QStringLiteral("6 · talk -> 60 !"),
                              QStringLiteral("7 · talk -> 30 !"),
                              QStringLiteral("8 · talk -> #120 · 1"),
                              QStringLiteral("9 · talk -> 9 · talk"),
                          }));
    const MapNode &empty = map.nodes[map.nodeOfRecord(30)];
    EXPECT_EQ(empty.kind, MapNodeKind::NoRecord);
    EXPECT_EQ(empty.subtitle, QStringLiteral("пустая запись"));
    EXPECT_EQ(map.nodes[map.nodeOfRecord(60)].subtitle, QStringLiteral("нет такой записи"));
    const MapNode &other = map.nodes[map.edges[2].to];
    EXPECT_EQ(other.kind, MapNodeKind::OtherScript);
    EXPECT_EQ(other.subtitle, QStringLiteral("Изяслав"));
    EXPECT_EQ(other.path, QStringLiteral("npc/112.npc"));
    EXPECT_EQ(map.nodes[map.edges[5].to].path, QString());
    // Another character's record 2 is not this script's record 2.
    EXPECT_EQ(map.nodeOfRecord(4), 4);
    EXPECT_EQ(map.nodeOfRecord(11), -1);
    EXPECT_EQ(map.edges[1].problem, QStringLiteral("ControlRec=30: запись 30 этого скрипта пуста"));
    EXPECT_EQ(map.edges[1].shownProblem, QStringLiteral("«Запись No»=30: запись 30 этого скрипта пуста"));
    EXPECT_EQ(map.edges[5].problem, QStringLiteral("ControlNpc=113: в папке нет скрипта NPC 113"));
}

// Whatever the records, the map agrees with the checks: a box per used record, an edge
// per link, red exactly where the checks find fault with the link.
TEST_F(ScriptGraphTest, RedLinksAreExactlyTheLinksTheChecksFindFaultWith)
{
    folder.scripts[112][4] = usedRecord(1);
    QRandomGenerator random(23);
    for (int round = 0; round < 200; ++round) {
        NpcRecords records{};
        int used = 0;
        for (NpcRecord &record : records) {
            if (random.bounded(3) == 0)
                continue;
            ++used;
            const quint8 npcs[] = {57, 57, 112, 113, 120, 255};
            record = usedRecord(1, npcs[random.bounded(6)], quint8(random.bounded(2) ? random.bounded(55) : 255));
        }
        const ScriptGraph map = graph(records);
        CheckContext context;
        context.ownNpcNumber = 57;
        context.others = [this](quint8 npc) { return folder.find(npc); };
        QSet<int> faulted;
        for (const CheckFinding &finding : checkScript(records, context))
            if (finding.rule.startsWith(QLatin1String("link-")))
                faulted.insert(finding.record);
        int boxes = 0;
        for (const MapNode &node : map.nodes)
            boxes += node.kind == MapNodeKind::Record ? 1 : 0;
        ASSERT_EQ(boxes, used);
        QSet<int> red;
        for (const MapEdge &edge : map.edges) {
            const MapNode &from = map.nodes[edge.from];
            ASSERT_EQ(from.kind, MapNodeKind::Record);
            EXPECT_EQ(records[from.record].ControlRec, map.nodes[edge.to].record);
            if (edge.broken())
                red.insert(from.record);
        }
        ASSERT_EQ(red, faulted) << "round " << round;
    }
}

TEST_F(ScriptGraphTest, DotTextIsTheGraphWithScriptsAsClustersAndSharedTargetsOnce)
{
    phrases = {"Say \"hi\" \\ bye"};
    NpcRecords own{};
    own[0] = usedRecord(1, 57, 1);
    own[0].Phrase = 0;
    own[0].Leader = 5;
    own[1] = usedRecord(2, 112, 4);
    own[2] = usedRecord(2, 57, 9);
    folder.scripts[112][4] = usedRecord(0, 113, 0);
    const ScriptGraph first = graph(own);
    phrases.clear();
    ScriptGraphSources sources;
    sources.ownNpcNumber = 112;
    sources.others = [this](quint8 npc) { return folder.find(npc); };
    const ScriptGraph second = scriptGraph(folder.scripts[112], sources);
    NpcRecords third{};
    third[3] = usedRecord(1, 113, 0);
    const ScriptGraph other = scriptGraph(third, sources);

    EXPECT_EQ(dotText({{QStringLiteral("npc/057.npc"), first},
                       {QStringLiteral("npc/112.npc"), second},
                       {QStringLiteral("x/3.npc"), other}}),
              QStringLiteral("digraph scrivlet {\n"
                             "  rankdir=TB;\n"
                             "  node [shape=box];\n"
                             "  subgraph cluster_0 {\n"
                             "    label=\"npc/057.npc\";\n"
                             "    \"npc/057.npc:0\" [label=\"0 · talk\\nлидерство 5\\n«Say \\\"hi\\\" \\\\ bye»\"];\n"
                             "    \"npc/057.npc:1\" [label=\"1 · trade\"];\n"
                             "    \"npc/057.npc:2\" [label=\"2 · trade\"];\n"
                             "    \"npc/057.npc:9\" [label=\"9\\nпустая запись\", color=\"#c62828\", "
                             "fontcolor=\"#c62828\", style=dashed];\n"
                             "  }\n"
                             "  subgraph cluster_1 {\n"
                             "    label=\"npc/112.npc\";\n"
                             "    \"npc/112.npc:4\" [label=\"4\"];\n"
                             "  }\n"
                             "  subgraph cluster_2 {\n"
                             "    label=\"x/3.npc\";\n"
                             "    \"x/3.npc:3\" [label=\"3\"];\n"
                             "  }\n"
                             "  \"#113:0\" [label=\"#113 · 0\", style=\"rounded,filled\", fillcolor=\"#e3ecf7\"];\n"
                             "  \"npc/057.npc:0\" -> \"npc/057.npc:1\";\n"
                             "  \"npc/057.npc:1\" -> \"npc/112.npc:4\";\n"
                             "  \"npc/057.npc:2\" -> \"npc/057.npc:9\" [color=\"#c62828\", style=dashed, "
                             "tooltip=\"ControlRec=9: запись 9 этого скрипта пуста\"];\n"
                             "  \"npc/112.npc:4\" -> \"#113:0\" [color=\"#c62828\", style=dashed, "
                             "tooltip=\"ControlNpc=113: в папке нет скрипта NPC 113\"];\n"
                             "  \"x/3.npc:3\" -> \"#113:0\" [color=\"#c62828\", style=dashed, "
                             "tooltip=\"ControlNpc=113: в папке нет скрипта NPC 113\"];\n"
                             "}"));
}

TEST(MapFormat, IsChosenByTheExtensionInAnyCase)
{
    EXPECT_EQ(mapFormatOf(QStringLiteral("a/map.svg")), MapFormat::Svg);
    EXPECT_EQ(mapFormatOf(QStringLiteral("MAP.PNG")), MapFormat::Png);
    EXPECT_EQ(mapFormatOf(QStringLiteral("map.svg.txt")), std::nullopt);
    EXPECT_EQ(mapFormatOf(QStringLiteral("svg")), std::nullopt);
}
