#pragma once

#include "common/LineMerge.h"

#include <QByteArray>
#include <QList>

// A three-way merge of dialogue files, phrase by phrase: each phrase is its record of 480
// bytes taken whole, so that every phrase kept is written byte for byte. Phrases inserted
// or deleted on one side are followed as a text merge follows lines; a stretch changed
// differently on both sides keeps ours and is listed (its lines are raw records).
struct EdtMergeResult {
    QByteArray bytes;
    QList<LineConflict> conflicts;
};

EdtMergeResult mergeEdt(const QByteArray &base, const QByteArray &ours, const QByteArray &theirs);
