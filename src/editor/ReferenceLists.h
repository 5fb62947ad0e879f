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

    // Each list comes from the first folder that holds its file: the data folder, the
    // standard folder, then the folder shipped with the program (empty names are
    // skipped). Returns the paths that could not be read, in reading order; a file that
    // no folder holds is reported under the standard folder, where the user keeps lists.
    QStringList load(const QString &dataDir, const QString &standardDir, const QString &shippedDir = {});

    // The file that load() reads a list from.
    static QString fileFor(ListId id, const QString &dataDir, const QString &standardDir,
                           const QString &shippedDir = {});

    // The file each list was read from, empty when it was read from none.
    QString sourceOf(ListId id) const;
    // The folders the lists were read from, each once, in reading order.
    QStringList sourceFolders() const;

    // The list of an id; an empty list for ListId::None.
    const ReferenceList &byId(ListId id) const;
    static QString fileName(ListId id);

private:
    QString m_sources[8]; // by ListId, from Action
};
