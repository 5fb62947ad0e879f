#include "editor/ScriptGraph.h"

#include "common/Windows1251.h"
#include "document/NpcName.h"
#include "editor/FieldCatalogue.h"
#include "editor/FieldText.h"
#include "editor/ScriptChecks.h"

#include <QFileInfo>
#include <QHash>

namespace
{

const QString Dot = QStringLiteral(" · ");

// A condition the record sets, by the field's own rule for "not set".
bool conditionSet(NpcField field, const NpcRecord &record)
{
    const quint16 value = record.value(field);
    switch (field) {
    case NpcField::FDay:
        return value != 0 && value != NoneByte;
    case NpcField::LDay:
    case NpcField::Q_was:
        return value != NoneByte;
    case NpcField::TriggT:
    case NpcField::TriggF:
        return value != NoneWord;
    default:
        return value != 0;
    }
}

constexpr NpcField ConditionFields[] = {NpcField::FDay,   NpcField::LDay,   NpcField::ItemIn, NpcField::TriggT,
                                        NpcField::TriggF, NpcField::Q_was, NpcField::Leader};

// Phrase lines hold whatever bytes the file gave; a control byte would break a line.
QString displayed(const QByteArray &line)
{
    QString text = fromWindows1251(line);
    for (QChar &c : text) {
        if (c.unicode() < 0x20)
            c = QLatin1Char(' ');
    }
    return text;
}

QString phraseLine(const NpcRecord &record, const PhraseLookup &phrases)
{
    if (record.Phrase == NoneByte)
        return {};
    const QByteArray *line = phrases ? phrases(record.Phrase) : nullptr;
    if (!line)
        return QStringLiteral("фраза ") + QString::number(record.Phrase);
    const QString text = displayed(*line);
    if (text.size() <= ScriptGraph::PhraseLength)
        return QStringLiteral("«") + text + QStringLiteral("»");
    QString cut = text.left(ScriptGraph::PhraseLength);
    while (cut.endsWith(QLatin1Char(' '))) // or the ellipsis goes to a line of its own
        cut.chop(1);
    return QStringLiteral("«") + cut + QStringLiteral("…»");
}

QString detailsOf(const QString &title, const NpcRecord &record, const ScriptGraphSources &sources)
{
    QStringList lines{title};
    for (NpcField field : ConditionFields) {
        if (!conditionSet(field, record))
            continue;
        const quint16 value = record.value(field);
        lines << fieldCaption(field) + QStringLiteral(": ") +
                     (sources.lists ? valueWithName(field, value, *sources.lists) : fieldValueText(field, value));
    }
    if (record.Phrase != NoneByte && sources.phrases) {
        for (int n = 0; n < record.PhraseCnt; ++n) {
            const int k = record.Phrase + n;
            if (const QByteArray *line = sources.phrases(k))
                lines << QString::number(k) + QStringLiteral(": ") + displayed(*line);
        }
    }
    return lines.join(QLatin1Char('\n'));
}

// The list's name for a value, else the value as the editor shows it.
QString nameOrNumber(NpcField field, quint16 value, const ReferenceLists *lists)
{
    const QByteArray name = lists ? fieldValueName(field, value, *lists) : QByteArray();
    return name.isEmpty() ? fieldValueText(field, value) : displayed(name);
}

QString nameOf(const ReferenceList *list, qint64 number)
{
    return list ? fromWindows1251(list->nameOf(number)) : QString();
}

MapNode recordNode(int index, const NpcRecord &record, const ScriptGraphSources &sources)
{
    MapNode node;
    node.record = index;
    const QString action = nameOf(sources.lists ? &sources.lists->Action : nullptr, record.Action);
    node.title = QString::number(index) + (action.isEmpty() ? QString() : Dot + action);
    node.conditions = conditionsSummary(record, sources.lists);
    node.results = resultsSummary(record, sources.lists);
    node.phrase = phraseLine(record, sources.phrases);
    node.details = detailsOf(node.title, record, sources);
    return node;
}

MapNode targetNode(const RecordLink &link, const ScriptGraphSources &sources)
{
    MapNode node;
    node.record = link.target;
    if (link.local) {
        node.kind = MapNodeKind::NoRecord;
        node.title = QString::number(link.target);
        node.subtitle = link.target < RecordCount ? QStringLiteral("пустая запись") : QStringLiteral("нет такой записи");
    } else {
        node.kind = MapNodeKind::OtherScript;
        node.npc = link.npc;
        node.path = link.state == LinkState::MissingScript ? QString() : link.targetPath;
        node.title = QLatin1Char('#') + QString::number(link.npc) + Dot + QString::number(link.target);
        node.subtitle = nameOf(sources.lists ? &sources.lists->Npc : nullptr, link.npc);
    }
    node.details = node.subtitle.isEmpty() ? node.title : node.title + QLatin1Char('\n') + node.subtitle;
    return node;
}

// The records of other scripts that lead here: boxes of their own, or the box of a
// target that is the same record of the same character.
void addIncoming(ScriptGraph &graph, const QHash<int, int> &recordNodes, QHash<int, int> &otherNodes,
                 const ScriptGraphSources &sources)
{
    if (!sources.incoming)
        return;
    QHash<QString, int> byPath; // path:record -> node, for scripts without a number
    for (int record = 0; record < RecordCount; ++record) {
        if (!recordNodes.contains(record))
            continue;
        for (const IncomingLink &link : sources.incoming(record)) {
            const NpcName name = parseNpcName(QFileInfo(link.path).fileName());
            const int key = name.numeric ? name.number * 256 + link.record : -1;
            const QString pathKey = link.path + QLatin1Char(':') + QString::number(link.record);
            int node = key >= 0 ? otherNodes.value(key, -1) : byPath.value(pathKey, -1);
            if (node < 0) {
                node = int(graph.nodes.size());
                MapNode from;
                from.kind = MapNodeKind::OtherScript;
                from.record = link.record;
                from.npc = name.numeric ? quint8(name.number) : NoneByte;
                from.path = link.path;
                from.title = link.script + Dot + QString::number(link.record);
                from.subtitle = name.numeric ? nameOf(sources.lists ? &sources.lists->Npc : nullptr, name.number)
                                             : QString();
                from.details = from.subtitle.isEmpty() ? from.title : from.title + QLatin1Char('\n') + from.subtitle;
                graph.nodes << from;
                if (key >= 0)
                    otherNodes.insert(key, node);
                else
                    byPath.insert(pathKey, node);
            }
            graph.edges << MapEdge{node, recordNodes.value(record), {}, {}};
        }
    }
}

} // namespace

QStringList MapNode::lines() const
{
    QStringList result;
    for (const QString *line : {&title, &subtitle, &conditions, &results, &phrase}) {
        if (!line->isEmpty())
            result << *line;
    }
    return result;
}

int ScriptGraph::nodeOfRecord(int record) const
{
    for (int i = 0; i < nodes.size(); ++i) {
        if (nodes[i].kind != MapNodeKind::OtherScript && nodes[i].record == record)
            return i;
    }
    return -1;
}

ScriptGraph scriptGraph(const NpcRecords &records, const ScriptGraphSources &sources)
{
    ScriptGraph graph;
    QHash<int, int> recordNodes; // record -> node
    for (int i = 0; i < RecordCount; ++i) {
        if (!records[i].isEmpty()) {
            recordNodes.insert(i, int(graph.nodes.size()));
            graph.nodes << recordNode(i, records[i], sources);
        }
    }
    QHash<int, int> otherNodes; // npc * 256 + record -> node
    for (const RecordLink &link : scriptLinks(records, sources.ownNpcNumber, sources.others)) {
        QHash<int, int> &known = link.local ? recordNodes : otherNodes;
        const int key = link.local ? link.target : link.npc * 256 + link.target;
        if (!known.contains(key)) {
            known.insert(key, int(graph.nodes.size()));
            graph.nodes << targetNode(link, sources);
        }
        const std::optional<CheckFinding> finding = linkFinding(link);
        graph.edges << MapEdge{recordNodes.value(link.record), known.value(key),
                               finding ? finding->message : QString(), finding ? finding->shownMessage : QString()};
    }
    addIncoming(graph, recordNodes, otherNodes, sources);
    return graph;
}

QString conditionsSummary(const NpcRecord &record, const ReferenceLists *lists)
{
    QStringList parts;
    const auto number = [&record](NpcField field) { return fieldValueText(field, record.value(field)); };
    const auto named = [&record, lists](NpcField field) { return nameOrNumber(field, record.value(field), lists); };
    if (conditionSet(NpcField::LDay, record))
        parts << QStringLiteral("дни %1–%2").arg(record.FDay == NoneByte ? 0 : record.FDay).arg(record.LDay);
    else if (conditionSet(NpcField::FDay, record))
        parts << QStringLiteral("с дня ") + number(NpcField::FDay);
    const std::pair<NpcField, const char *> others[] = {
        {NpcField::ItemIn, "предмет "}, {NpcField::TriggT, "триггер "}, {NpcField::TriggF, "не триггер "},
        {NpcField::Q_was, "квест "},    {NpcField::Leader, "лидерство "}};
    for (const auto &[field, word] : others) {
        if (conditionSet(field, record))
            parts << QString::fromUtf8(word) + named(field);
    }
    return parts.join(Dot);
}

QString resultsSummary(const NpcRecord &record, const ReferenceLists *lists)
{
    const std::pair<NpcField, const char *> results[] = {
        {NpcField::ItemOut, "даёт "},           {NpcField::Q_Input, "открывает квест "},
        {NpcField::Q_Output, "закрывает квест "}, {NpcField::Trigg2T, "факт "},
        {NpcField::React, "реакция "},          {NpcField::GoSect, "тайл "}};
    QStringList parts;
    for (const auto &[field, word] : results) {
        const FieldInfo *info = findFieldInfo(field);
        const quint16 value = record.value(field);
        const bool none = info->shown == FieldShow::NoneAsMinusOne ? value == info->noneValue() : value == 0;
        if (!none)
            parts << QString::fromUtf8(word) + nameOrNumber(field, value, lists);
    }
    return parts.isEmpty() ? QString() : QStringLiteral("→ ") + parts.join(Dot);
}

std::optional<MapFormat> mapFormatOf(const QString &path)
{
    const QString suffix = QFileInfo(path).suffix().toLower();
    if (suffix == QLatin1String("svg"))
        return MapFormat::Svg;
    if (suffix == QLatin1String("png"))
        return MapFormat::Png;
    return std::nullopt;
}
