#include "document/NpcMerge.h"

#include <algorithm>

NpcMergeSide NpcMergeSide::of(const NpcReader &reader, const QByteArray &bytes)
{
    return NpcMergeSide{reader.records(), reader.layout(), bytes};
}

namespace
{

bool sameButLink(NpcRecord a, NpcRecord b)
{
    a.ControlRec = b.ControlRec;
    return a == b;
}

// Whether the side holds at `at` a record that the base had elsewhere: moved, cut and
// pasted, or copied. Links into the script are rewritten as records move, so they do not
// tell records apart.
bool movedIn(const NpcRecords &side, const NpcRecords &base, int at)
{
    const NpcRecord &record = side[at];
    if (record.isEmpty() || sameButLink(record, base[at]))
        return false;
    for (int from = 0; from < RecordCount; ++from) {
        if (from != at && !base[from].isEmpty() && sameButLink(record, base[from]))
            return true;
    }
    return false;
}

QByteArray tailOf(const QByteArray &bytes)
{
    return bytes.mid(NpcReader::FileSize);
}

} // namespace

NpcMergeResult mergeNpc(const std::optional<NpcMergeSide> &base, const NpcMergeSide &ours,
                        const NpcMergeSide &theirs)
{
    const NpcRecords &baseRecords = base ? base->records : NpcRecords{};
    NpcMergeResult result;
    NpcRecords merged = ours.records;
    for (int r = 0; r < RecordCount; ++r) {
        // A change made to one record must not land on another moved into its place.
        const bool oursMoved = base && movedIn(ours.records, baseRecords, r);
        const bool theirsMoved = base && movedIn(theirs.records, baseRecords, r);
        for (int f = 0; f < NpcFieldCount; ++f) {
            const auto field = static_cast<NpcField>(f);
            const quint16 b = baseRecords[r].value(field);
            const quint16 o = ours.records[r].value(field);
            const quint16 t = theirs.records[r].value(field);
            if (o == t || (base && t == b && !theirsMoved))
                continue;
            if (base && o == b && !oursMoved)
                merged[r].setValue(field, t);
            else
                result.conflicts.append({r, field, b, o, t});
        }
    }

    const NpcLayout baseLayout = base ? base->layout : ours.layout;
    result.layout = ours.layout != baseLayout ? ours.layout : theirs.layout;
    NpcRecord &last = merged[RecordCount - 1];
    if (vestaLosesLastRecord(merged, result.layout)) {
        // The Vesta layout has no place for record 49: what would be lost is a conflict.
        if (ours.layout != NpcLayout::VestaLayout) {
            result.layoutConflict = true;
            result.layout = ours.layout;
        } else {
            for (int f = 0; f < NpcFieldCount; ++f) {
                const auto field = static_cast<NpcField>(f);
                const quint16 o = ours.records[RecordCount - 1].value(field);
                if (last.value(field) != o)
                    result.conflicts.append({RecordCount - 1, field,
                                             baseRecords[RecordCount - 1].value(field), o,
                                             last.value(field)});
            }
            last = ours.records[RecordCount - 1];
            std::sort(result.conflicts.begin(), result.conflicts.end(), [](const auto &a, const auto &b) {
                return std::pair(a.record, a.field) < std::pair(b.record, b.field);
            });
        }
    }
    const QByteArray oursTail = tailOf(ours.bytes);
    const QByteArray theirsTail = tailOf(theirs.bytes);
    QByteArray tail = oursTail;
    if (oursTail != theirsTail) {
        if (base && oursTail == tailOf(base->bytes))
            tail = theirsTail;
        else if (!base || theirsTail != tailOf(base->bytes))
            result.tailConflict = true;
    }
    result.bytes = result.layout == ours.layout
                       ? NpcWriter::encodeInto(ours.bytes.first(NpcReader::FileSize), merged, ours.layout)
                       : NpcWriter::encode(merged, result.layout);
    result.bytes += tail;
    return result;
}
