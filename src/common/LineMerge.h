#pragma once

#include <QByteArray>
#include <QList>

using Lines = QList<QByteArray>;

// Pairs of equal lines (index in a, index in b), ascending in both, as many as a shortest
// edit script keeps. Beyond `maxEdits` differences it stops looking for the best and keeps
// only the lines both share at the start and the end: a coarser answer, never a wrong one.
QList<std::pair<qsizetype, qsizetype>> matchLines(const Lines &a, const Lines &b, int maxEdits = 2000);

// A stretch that both sides changed differently; the result holds ours' lines there.
struct LineConflict {
    qsizetype resultStart = 0; // where ours' lines stand in the result
    qsizetype baseStart = 0;
    qsizetype oursStart = 0;
    qsizetype theirsStart = 0;
    Lines base;
    Lines ours;
    Lines theirs;

    bool operator==(const LineConflict &) const = default;
};

struct LineMergeResult {
    Lines lines;
    QList<LineConflict> conflicts;
};

// A three-way merge as text tools make it: each stretch changed on one side only takes
// that side, one changed alike on both takes it, and one changed differently keeps ours
// and is a conflict. Lines inserted or deleted on one side are followed.
LineMergeResult mergeLines(const Lines &base, const Lines &ours, const Lines &theirs);
