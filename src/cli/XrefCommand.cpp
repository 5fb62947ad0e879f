#include "cli/Commands.h"
#include "cli/ScriptScan.h"
#include "common/Windows1251.h"
#include "editor/ScriptLinks.h"

#include <QMap>

namespace
{

struct FoundLink {
    const ScannedScript *from;
    RecordLink link;

    QString source() const { return from->path + QLatin1Char(':') + QString::number(link.record); }
    QString targetScript() const
    {
        if (link.local)
            return from->path;
        return link.targetPath.isEmpty() ? QStringLiteral("#%1").arg(link.npc) : link.targetPath;
    }
    QString target() const { return targetScript() + QLatin1Char(':') + QString::number(link.target); }
};

QString jsonItem(const FoundLink &found)
{
    const RecordLink &link = found.link;
    const QString targetFile = link.local                  ? jsonString(found.from->path)
                               : link.targetPath.isEmpty() ? QStringLiteral("null")
                                                           : jsonString(link.targetPath);
    return QStringLiteral("{\"file\": %1, \"record\": %2, \"npc\": %3, \"target_file\": %4, "
                          "\"target_record\": %5, \"local\": %6, \"state\": %7}")
        .arg(jsonString(found.from->path), QString::number(link.record), QString::number(link.npc),
             targetFile, QString::number(link.target),
             link.local ? QStringLiteral("true") : QStringLiteral("false"),
             jsonString(linkStateName(link.state)));
}

// Graphviz: one cluster per script, a node per record that takes part in a link, labelled
// with its number and action; broken links in red.
void printDot(CliContext &context, const QList<FoundLink> &links)
{
    const ReferenceLists &lists = context.lists();
    QMap<QString, QMap<int, QString>> clusters; // script -> record -> label
    QMap<QString, int> outside;                 // targets in no script found
    for (const FoundLink &found : links) {
        const NpcRecord &record = found.from->script->records[found.link.record];
        const QByteArray action = lists.Action.nameOf(record.Action);
        QString label = QString::number(found.link.record);
        if (!action.isEmpty())
            label += QLatin1Char('\n') + fromWindows1251(action);
        clusters[found.from->path][found.link.record] = label;
        if (found.link.state == LinkState::MissingScript || found.link.state == LinkState::BadRecord ||
            found.link.state == LinkState::UnreadableScript)
            outside[found.target()] = 0;
        else if (!clusters[found.targetScript()].contains(found.link.target))
            clusters[found.targetScript()][found.link.target] = QString::number(found.link.target);
    }
    context.out.line(QStringLiteral("digraph scrivlet {"));
    context.out.line(QStringLiteral("  node [shape=box];"));
    int n = 0;
    for (auto script = clusters.cbegin(); script != clusters.cend(); ++script, ++n) {
        context.out.line(QStringLiteral("  subgraph cluster_%1 {").arg(n));
        context.out.line(QStringLiteral("    label=%1;").arg(jsonString(script.key())));
        for (auto node = script->cbegin(); node != script->cend(); ++node)
            context.out.line(
                QStringLiteral("    %1 [label=%2];")
                    .arg(jsonString(script.key() + QLatin1Char(':') + QString::number(node.key())),
                         jsonString(node.value())));
        context.out.line(QStringLiteral("  }"));
    }
    for (auto node = outside.cbegin(); node != outside.cend(); ++node)
        context.out.line(QStringLiteral("  %1 [color=red, fontcolor=red];").arg(jsonString(node.key())));
    for (const FoundLink &found : links) {
        const bool broken = found.link.state != LinkState::Ok;
        context.out.line(QStringLiteral("  %1 -> %2%3;")
                             .arg(jsonString(found.source()), jsonString(found.target()),
                                  broken ? QStringLiteral(" [color=red]") : QString()));
    }
    context.out.line(QStringLiteral("}"));
}

int run(CliContext &context)
{
    const ScriptScan scan(context, context.args.positional);
    QList<FoundLink> links;
    for (const ScannedScript &scanned : scan.scripts()) {
        const auto others = [folder = scanned.folder](quint8 npc) { return folder->find(npc); };
        for (const RecordLink &link : scriptLinks(scanned.script->records, scanned.ownNpcNumber, others))
            links.append({&scanned, link});
    }
    const QString format = context.args.value(QStringLiteral("--format"), QStringLiteral("text"));
    if (format == QLatin1String("dot")) {
        printDot(context, links);
    } else if (format == QLatin1String("json")) {
        QStringList items;
        for (const FoundLink &found : std::as_const(links))
            items << jsonItem(found);
        context.out.line(jsonArray(items));
    } else {
        for (const FoundLink &found : std::as_const(links))
            context.out.line(found.source() + QStringLiteral(" -> ") + found.target() + QLatin1Char(' ') +
                             linkStateName(found.link.state));
    }
    return context.exitCode(false);
}

} // namespace

Command xrefCommand()
{
    return {
        {QStringLiteral("xref"),
         {formatOption({QStringLiteral("text"), QStringLiteral("json"), QStringLiteral("dot")})},
         1,
         -1},
        QStringLiteral("ссылки между записями скриптов, в том числе граф Graphviz"),
        QStringLiteral("scrivlet-cli xref ПУТЬ... [--format text|json|dot] [--data ПАПКА]\n"
                       "\n"
                       "Перечисляет ссылки записей (ControlNpc, ControlRec) внутри скриптов и между\n"
                       "ними: 057.npc:4 -> 057.npc:9 ok, 057.npc:6 -> #112:0 missing-script.\n"
                       "Состояния: ok, empty-target (запись пуста), bad-record (номер больше 49),\n"
                       "missing-script (нет скрипта NPC в папке), unreadable-script (не читается).\n"
                       "dot: граф Graphviz, кластер на скрипт, битые ссылки красные\n"
                       "(scrivlet-cli xref папка --format dot | dot -Tsvg > граф.svg)."),
        run,
    };
}
