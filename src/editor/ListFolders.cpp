#include "editor/ListFolders.h"

#include <QDir>

ListFolders ListFolders::of(const QString &chosen, const QString &startFolder, const QString &shipped)
{
    return {chosen, standardFolderOf(startFolder), shipped};
}

QString ListFolders::standardFolderOf(const QString &startFolder)
{
    return QDir(startFolder).filePath(QStringLiteral("Data"));
}

LoadedLists loadLists(const ListFolders &folders)
{
    LoadedLists loaded{folders, {}, {}};
    loaded.failed = loaded.lists.load(folders.chosen, folders.standard, folders.shipped);
    return loaded;
}
