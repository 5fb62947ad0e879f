#pragma once

#include "editor/ListFolders.h"

#include <QDateTime>
#include <QStringList>

#include <array>

// The files the eight lists were read from, as they were then, so that a change made by
// another program (another editor, a renumbering from the command line) is noticed: a
// file changed or gone, or a file appearing that now comes first.
class ListFiles
{
public:
    // Just before the lists are read from the folders.
    void note(const ListFolders &folders);
    bool changedOnDisk() const;
    // The files and the folders to watch; the shipped lists are the program's own.
    QStringList watchedPaths() const;

private:
    struct Seen {
        QString path;
        bool exists = false;
        qint64 size = 0;
        QDateTime modified;
        bool operator==(const Seen &) const = default;
    };
    static Seen seen(const QString &path);

    ListFolders m_folders;
    std::array<Seen, ReferenceLists::Count> m_files;
    bool m_noted = false;
};
