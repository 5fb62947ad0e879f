#pragma once

#include "document/NpcFile.h"

#include <QByteArray>
#include <QList>
#include <QString>

#include <optional>

// One side of a merge: a script as read, with the bytes it was read from.
struct NpcMergeSide {
    NpcRecords records{};
    NpcLayout layout = NpcLayout::StandardLayout;
    QByteArray bytes;

    // The script a reader took from the bytes.
    static NpcMergeSide of(const NpcReader &reader, const QByteArray &bytes);
};

struct NpcFieldConflict {
    int record = 0;
    NpcField field = NpcField::Mode;
    quint16 base = 0;
    quint16 ours = 0;
    quint16 theirs = 0;

    bool operator==(const NpcFieldConflict &) const = default;
};

struct NpcMergeResult {
    QByteArray bytes;
    NpcLayout layout = NpcLayout::StandardLayout;
    QList<NpcFieldConflict> conflicts; // by record and field
    // Theirs switched to the Vesta layout, which has no room for record 49 as merged: ours'
    // layout is kept.
    bool layoutConflict = false;
    // The bytes after the records, merged as one block: both sides changed them differently,
    // and ours' are kept.
    bool tailConflict = false;

    bool isClean() const { return conflicts.isEmpty() && !layoutConflict && !tailConflict; }
};

// A three-way merge of scripts, field by field, records matched by their place: a field
// changed on one side takes that side, one changed alike on both takes it, one changed
// differently keeps ours and is a conflict; the merge never guesses. Ours' layout is kept
// unless only theirs changed it; the bytes beyond the records are one block. No base: the
// script was made on both sides, and every field in which they differ is a conflict.
NpcMergeResult mergeNpc(const std::optional<NpcMergeSide> &base, const NpcMergeSide &ours,
                        const NpcMergeSide &theirs);
