#include "editor/ScriptLinks.h"

#include "document/NpcName.h"

namespace
{

LinkState targetState(const NpcRecords &records, quint8 target)
{
    return records[target].isEmpty() ? LinkState::EmptyTarget : LinkState::Ok;
}

} // namespace

QList<RecordLink> scriptLinks(const NpcRecords &records, quint8 ownNpcNumber, const ScriptLookup &others)
{
    QList<RecordLink> links;
    for (int i = 0; i < RecordCount; ++i) {
        const NpcRecord &record = records[i];
        if (record.isEmpty() || record.ControlRec == NoneByte)
            continue;
        RecordLink link;
        link.record = i;
        link.local = record.ControlNpc == ownNpcNumber;
        link.npc = record.ControlNpc;
        link.target = record.ControlRec;
        if (link.target >= RecordCount) {
            link.state = LinkState::BadRecord;
        } else if (link.local) {
            link.state = targetState(records, link.target);
        } else {
            const FolderScript other = others ? others(link.npc) : FolderScript{};
            link.targetPath = other.path;
            if (other.path.isEmpty())
                link.state = LinkState::MissingScript;
            else if (!other.records)
                link.state = LinkState::UnreadableScript;
            else
                link.state = targetState(*other.records, link.target);
        }
        links << link;
    }
    return links;
}

QString linkStateName(LinkState state)
{
    switch (state) {
    case LinkState::Ok:
        return QStringLiteral("ok");
    case LinkState::EmptyTarget:
        return QStringLiteral("empty-target");
    case LinkState::BadRecord:
        return QStringLiteral("bad-record");
    case LinkState::MissingScript:
        return QStringLiteral("missing-script");
    case LinkState::UnreadableScript:
        return QStringLiteral("unreadable-script");
    }
    return {};
}

QList<int> keepInsideLinks(NpcRecords &records, quint8 from, quint8 to)
{
    QList<int> changed;
    if (from == to)
        return changed;
    for (int i = 0; i < RecordCount; ++i) {
        NpcRecord &record = records[i];
        if (!record.isEmpty() && record.ControlNpc == from && record.ControlRec != NoneByte) {
            record.ControlNpc = to;
            changed << i;
        }
    }
    return changed;
}

std::optional<qint64> unlinkableNpcNumber(const QString &path)
{
    const NpcName name = parseNpcName(path);
    if (!name.numeric || (name.value >= 0 && name.value < NoneByte))
        return std::nullopt;
    return name.value;
}
