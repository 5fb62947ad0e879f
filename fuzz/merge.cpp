// Three-way merges of anything: a side left as the base gives the other side, the same
// edit on both gives it, every conflict keeps ours where it says, and a merged script
// reads back. Bytes up to 0xFF separators are the three versions: lines of one byte for
// the text merge, records filled from them for the script merge.
#include "FuzzCheck.h"
#include "common/LineMerge.h"
#include "document/NpcFile.h"
#include "document/NpcMerge.h"

#include <QBuffer>

namespace
{

NpcMergeSide script(const QByteArray &part)
{
    NpcRecords records{};
    for (qsizetype i = 0; i + 2 < part.size(); i += 3)
        records[quint8(part[i]) % RecordCount].setValue(
            static_cast<NpcField>(quint8(part[i + 1]) % NpcFieldCount), quint8(part[i + 2]));
    records[0].Mode = 0; // a script's first bytes tell its layout
    const NpcLayout layout = part.size() % 2 ? NpcLayout::VestaLayout : NpcLayout::StandardLayout;
    if (layout == NpcLayout::VestaLayout)
        records[RecordCount - 1] = NpcRecord{};
    return {records, layout, NpcWriter::encode(records, layout)};
}

void checkLines(const Lines &base, const Lines &ours, const Lines &theirs)
{
    FUZZ_CHECK(mergeLines(base, ours, base).lines == ours);
    FUZZ_CHECK(mergeLines(base, base, theirs).lines == theirs);
    FUZZ_CHECK(mergeLines(base, theirs, theirs).lines == theirs);
    const LineMergeResult merged = mergeLines(base, ours, theirs);
    for (const LineConflict &conflict : merged.conflicts)
        FUZZ_CHECK(merged.lines.mid(conflict.resultStart, conflict.ours.size()) == conflict.ours);
}

void checkScripts(const NpcMergeSide &base, const NpcMergeSide &ours, const NpcMergeSide &theirs)
{
    const NpcMergeResult oursOnly = mergeNpc(base, ours, base);
    FUZZ_CHECK(oursOnly.isClean() && oursOnly.bytes == ours.bytes);
    const NpcMergeResult theirsOnly = mergeNpc(base, base, theirs);
    FUZZ_CHECK(theirsOnly.isClean() && theirsOnly.bytes == theirs.bytes);
    const NpcMergeResult merged = mergeNpc(base, ours, theirs);
    QByteArray bytes = merged.bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    NpcReader reader;
    FUZZ_CHECK(reader.read(&buffer) && reader.layout() == merged.layout);
    for (const NpcFieldConflict &conflict : merged.conflicts)
        FUZZ_CHECK(reader.records()[conflict.record].value(conflict.field) == conflict.ours);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const char *data, size_t size)
{
    const QList<QByteArray> parts = QByteArray(data, qsizetype(size)).split('\xff');
    if (parts.size() != 3)
        return 0;
    Lines sides[3];
    for (int s = 0; s < 3; ++s) {
        for (const char c : parts[s])
            sides[s].append(QByteArray(1, c));
    }
    checkLines(sides[0], sides[1], sides[2]);
    checkScripts(script(parts[0]), script(parts[1]), script(parts[2]));
    return 0;
}
