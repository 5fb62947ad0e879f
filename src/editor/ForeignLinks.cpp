#include "editor/ForeignLinks.h"

#include "document/NpcFile.h"

#include <algorithm>

namespace
{

// Where the record before a deleted one is now; 0 when none before it is left.
int slotBefore(const RecordIds &saved, const RecordIds &now, int target)
{
    for (int before = target - 1; before >= 0; --before) {
        if (const std::optional<int> slot = now.slotOf(saved.at(before)))
            return *slot;
    }
    return 0;
}

} // namespace

QList<ForeignLinkFix> foreignLinkFixes(const FolderLinks &folder, const RecordIds &saved,
                                       const RecordIds &now)
{
    QList<ForeignLinkFix> fixes;
    const auto &incoming = folder.incoming();
    for (auto it = incoming.begin(); it != incoming.end(); ++it) {
        const int target = it.key();
        if (target < 0 || target >= RecordCount)
            continue; // leads to no record, wherever records move
        const std::optional<int> slot = now.slotOf(saved.at(target));
        if (slot == target)
            continue;
        const int after = slot ? *slot : slotBefore(saved, now, target);
        for (const IncomingLink &link : it.value())
            fixes << ForeignLinkFix{link.path,      link.script,   link.record,
                                    quint8(target), quint8(after), !slot};
    }
    std::sort(fixes.begin(), fixes.end(), [](const ForeignLinkFix &a, const ForeignLinkFix &b) {
        return std::tie(a.path, a.record) < std::tie(b.path, b.record);
    });
    return fixes;
}

bool fixForeignLinks(const QByteArray &file, quint8 ownNumber, const QList<ForeignLinkFix> &fixes,
                     QByteArray &fixed, QString &error)
{
    NpcReader reader;
    if (!reader.readBytes(file)) {
        error = reader.reason();
        return false;
    }
    NpcRecords records = reader.records();
    for (const ForeignLinkFix &fix : fixes) {
        const NpcRecord &record = records.at(fix.record);
        if (record.isEmpty() || record.ControlNpc != ownNumber || record.ControlRec != fix.before) {
            error = QStringLiteral("запись %1 больше не ведёт в запись %2").arg(fix.record).arg(fix.before);
            return false;
        }
    }
    for (const ForeignLinkFix &fix : fixes) {
        if (fix.after)
            records.at(fix.record).ControlRec = *fix.after;
    }
    fixed = NpcWriter::encodeInto(file, records, reader.layout());
    return true;
}
