#include "editor/ScriptGraphDot.h"

#include <QSet>

namespace
{

// A quoted Graphviz string; the line breaks of a label become "\n".
QString quoted(const QString &text)
{
    QString result = QStringLiteral("\"");
    for (const QChar c : text) {
        if (c == QLatin1Char('"') || c == QLatin1Char('\\'))
            result += QLatin1Char('\\') + c;
        else if (c == QLatin1Char('\n'))
            result += QStringLiteral("\\n");
        else
            result += c.unicode() < 0x20 ? QLatin1Char(' ') : c;
    }
    return result + QLatin1Char('"');
}

QString nodeId(const QString &script, const MapNode &node)
{
    if (node.kind != MapNodeKind::OtherScript)
        return script + QLatin1Char(':') + QString::number(node.record);
    const QString other = node.path.isEmpty() ? QLatin1Char('#') + QString::number(node.npc) : node.path;
    return other + QLatin1Char(':') + QString::number(node.record);
}

QString nodeLine(const QString &id, const MapNode &node)
{
    QString attributes = QStringLiteral("label=") + quoted(node.lines().join(QLatin1Char('\n')));
    if (node.kind == MapNodeKind::NoRecord)
        attributes += QStringLiteral(", color=\"%1\", fontcolor=\"%1\", style=dashed")
                          .arg(QLatin1String(MapColours::Broken));
    else if (node.kind == MapNodeKind::OtherScript)
        attributes += QStringLiteral(", style=\"rounded,filled\", fillcolor=\"%1\"")
                          .arg(QLatin1String(MapColours::OtherScript));
    return quoted(id) + QStringLiteral(" [") + attributes + QStringLiteral("];");
}

} // namespace

QString dotText(const QList<GraphOfScript> &scripts)
{
    QStringList lines{QStringLiteral("digraph scrivlet {"), QStringLiteral("  rankdir=TB;"),
                      QStringLiteral("  node [shape=box];")};
    QSet<QString> declared;
    for (qsizetype n = 0; n < scripts.size(); ++n) {
        const GraphOfScript &script = scripts[n];
        lines << QStringLiteral("  subgraph cluster_%1 {").arg(n)
              << QStringLiteral("    label=") + quoted(script.path) + QLatin1Char(';');
        for (const MapNode &node : script.graph.nodes) {
            if (node.kind == MapNodeKind::OtherScript)
                continue;
            const QString id = nodeId(script.path, node);
            declared.insert(id);
            lines << QStringLiteral("    ") + nodeLine(id, node);
        }
        lines << QStringLiteral("  }");
    }
    for (const GraphOfScript &script : scripts) {
        for (const MapNode &node : script.graph.nodes) {
            const QString id = nodeId(script.path, node);
            if (node.kind == MapNodeKind::OtherScript && !declared.contains(id)) {
                declared.insert(id);
                lines << QStringLiteral("  ") + nodeLine(id, node);
            }
        }
    }
    for (const GraphOfScript &script : scripts) {
        const QList<MapNode> &nodes = script.graph.nodes;
        for (const MapEdge &edge : script.graph.edges) {
            QString line = QStringLiteral("  ") + quoted(nodeId(script.path, nodes[edge.from])) +
                           QStringLiteral(" -> ") + quoted(nodeId(script.path, nodes[edge.to]));
            if (edge.broken())
                line += QStringLiteral(" [color=\"%1\", style=dashed, tooltip=%2]")
                            .arg(QLatin1String(MapColours::Broken), quoted(edge.problem));
            lines << line + QLatin1Char(';');
        }
    }
    lines << QStringLiteral("}");
    return lines.join(QLatin1Char('\n'));
}
