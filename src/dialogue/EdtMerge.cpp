#include "dialogue/EdtMerge.h"

#include "dialogue/EdtReader.h"

namespace
{

Lines records(const QByteArray &bytes)
{
    Lines lines;
    lines.reserve(bytes.size() / EdtReader::RecordSize);
    for (qsizetype at = 0; at + EdtReader::RecordSize <= bytes.size(); at += EdtReader::RecordSize)
        lines.append(bytes.mid(at, EdtReader::RecordSize));
    return lines;
}

} // namespace

EdtMergeResult mergeEdt(const QByteArray &base, const QByteArray &ours, const QByteArray &theirs)
{
    LineMergeResult merged = mergeLines(records(base), records(ours), records(theirs));
    EdtMergeResult result;
    result.bytes.reserve(merged.lines.size() * EdtReader::RecordSize + EdtReader::RecordSize);
    for (const QByteArray &record : std::as_const(merged.lines))
        result.bytes += record;
    // Bytes short of a record are no phrase; ours' stay where they were, at the end.
    result.bytes += ours.right(ours.size() % EdtReader::RecordSize);
    result.conflicts = std::move(merged.conflicts);
    return result;
}
