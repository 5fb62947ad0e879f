#pragma once

#include "editor/ListLint.h"
#include "editor/ReferenceLists.h"

#include <QString>
#include <QStringList>

// Where the eight lists are looked for, in order: the folder the user chose, the Data
// folder of the start folder (where the user keeps lists), then the lists shipped with
// the program. The editor and the command line look in the same places.
struct ListFolders {
    QString chosen;
    QString standard;
    QString shipped;

    static ListFolders of(const QString &chosen, const QString &startFolder, const QString &shipped);
    // The start folder's Data folder.
    static QString standardFolderOf(const QString &startFolder);

    // The file a list is read from: that of the first folder holding it.
    QString fileOf(ListId id) const { return ReferenceLists::fileFor(id, chosen, standard, shipped); }

    bool operator==(const ListFolders &) const = default;
};

struct LoadedLists {
    ListFolders folders; // where they were looked for
    ReferenceLists lists;
    QStringList failed; // the paths that could not be read, in reading order
};

LoadedLists loadLists(const ListFolders &folders);
