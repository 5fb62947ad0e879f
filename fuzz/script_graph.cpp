// The dialogue map's graph of any records and dialogue text, and its Graphviz text: a
// box per used record, an edge per link, red exactly where the checks object, and every
// quoted string of the text closed on its own line whatever the phrases hold.
#include "FuzzCheck.h"
#include "dialogue/EdtReader.h"
#include "editor/ScriptChecks.h"
#include "editor/ScriptGraphDot.h"

extern "C" int LLVMFuzzerTestOneInput(const char *data, size_t size)
{
    constexpr qsizetype TableSize = RecordCount * NpcRecord::Size;
    const QByteArray bytes(data, qsizetype(size));
    if (bytes.size() < TableSize + 1)
        return 0;
    NpcRecords records{};
    for (int i = 0; i < RecordCount; ++i)
        records[i] = NpcRecord::decode(reinterpret_cast<const quint8 *>(bytes.constData()) + i * NpcRecord::Size);
    const quint8 own = quint8(bytes.at(TableSize));
    const EdtText phrases = EdtReader::decode(bytes.mid(TableSize + 1));
    // Other characters by number: none, unreadable, or this very table.
    const ScriptLookup others = [&records](quint8 npc) {
        switch (npc % 3) {
        case 0:
            return FolderScript{};
        case 1:
            return FolderScript{QStringLiteral("odd \"%1\\.npc").arg(npc), nullptr};
        default:
            return FolderScript{QStringLiteral("%1.npc").arg(npc), &records};
        }
    };
    ScriptGraphSources sources;
    sources.ownNpcNumber = own;
    sources.phrases = [&phrases](qsizetype k) { return phrases.find(k); };
    sources.others = others;
    const ScriptGraph graph = scriptGraph(records, sources);

    int used = 0;
    for (const NpcRecord &record : records)
        used += record.isEmpty() ? 0 : 1;
    int boxes = 0;
    for (const MapNode &node : graph.nodes) {
        boxes += node.kind == MapNodeKind::Record ? 1 : 0;
        FUZZ_CHECK(node.phrase.size() <= ScriptGraph::PhraseLength + 3);
    }
    FUZZ_CHECK(boxes == used);
    const QList<RecordLink> links = scriptLinks(records, own, others);
    FUZZ_CHECK(graph.edges.size() == links.size());
    for (qsizetype i = 0; i < links.size(); ++i) {
        const MapEdge &edge = graph.edges[i];
        FUZZ_CHECK(graph.nodes[edge.from].record == links[i].record);
        FUZZ_CHECK(graph.nodes[edge.to].record == links[i].target);
        FUZZ_CHECK(edge.broken() == linkFinding(links[i]).has_value());
    }

    const QString dot = dotText({{QStringLiteral("a\\b\".npc"), graph}});
    for (const QString &line : dot.split(QLatin1Char('\n'))) {
        bool quoted = false;
        for (qsizetype i = 0; i < line.size(); ++i) {
            if (quoted && line[i] == QLatin1Char('\\'))
                ++i;
            else if (line[i] == QLatin1Char('"'))
                quoted = !quoted;
            else
                FUZZ_CHECK(line[i].unicode() >= 0x20);
        }
        FUZZ_CHECK(!quoted);
    }
    return 0;
}
