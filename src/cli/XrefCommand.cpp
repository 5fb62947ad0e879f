#include "cli/Commands.h"
#include "cli/ScriptScan.h"
#include "editor/ScriptGraphDot.h"
#include "editor/ScriptLinks.h"

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
        QList<GraphOfScript> graphs;
        for (const ScannedScript &scanned : scan.scripts())
            graphs.append({scanned.path, scannedGraph(context, scanned, *scan.dialogueOf(context, scanned))});
        context.out.line(dotText(graphs));
    } else if (format == QLatin1String("json")) {
        QStringList items;
        for (const FoundLink &found : std::as_const(links))
            items << jsonItem(found);
        context.out.line(jsonArray(items));
    } else {
        for (const FoundLink &found : std::as_const(links))
            context.out.line(shownPath(found.source()) + QStringLiteral(" -> ") + shownPath(found.target()) +
                             QLatin1Char(' ') +
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
                       "dot: граф Graphviz, тот же, что рисует карта диалога: кластер на скрипт,\n"
                       "запись с условиями и первой фразой, битые ссылки красные пунктирные\n"
                       "(scrivlet-cli xref папка --format dot | dot -Tsvg > граф.svg)."),
        run,
    };
}
