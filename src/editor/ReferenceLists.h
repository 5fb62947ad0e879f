#pragma once

#include "editor/ReferenceList.h"

#include <QStringList>

// Which list names a field; None for the fields without one.
enum class ListId { None, Action, Items, Npc, React, Trigg, Q_Input, Q_Output, Modes };

// The eight lists that name field values, in the order they are read.
struct ReferenceLists {
    static constexpr int Count = 8;

    ReferenceList Action;
    ReferenceList Items;
    ReferenceList Npc;
    ReferenceList React;
    ReferenceList Trigg;
    ReferenceList Q_Input;
    ReferenceList Q_Output;
    ReferenceList Modes;

    // Each list comes from the data folder when it holds the file, else from the
    // standard folder. Returns the paths that could not be read, in reading order.
    QStringList load(const QString &dataDir, const QString &standardDir);

    // The list of an id; an empty list for ListId::None.
    const ReferenceList &byId(ListId id) const;
    static QString fileName(ListId id);
};
