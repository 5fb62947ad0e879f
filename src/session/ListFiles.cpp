#include "session/ListFiles.h"

#include <QFileInfo>

namespace
{

ListId idAt(int index)
{
    return ListId(index + 1); // ListId::None comes first
}

} // namespace

ListFiles::Seen ListFiles::seen(const QString &path)
{
    const QFileInfo info(path);
    return {path, info.exists(), info.size(), info.lastModified()};
}

void ListFiles::note(const ListFolders &folders)
{
    m_folders = folders;
    for (int i = 0; i < ReferenceLists::Count; ++i)
        m_files[i] = seen(folders.fileOf(idAt(i)));
    m_noted = true;
}

bool ListFiles::changedOnDisk() const
{
    if (!m_noted)
        return false;
    for (int i = 0; i < ReferenceLists::Count; ++i) {
        if (seen(m_folders.fileOf(idAt(i))) != m_files[i])
            return true;
    }
    return false;
}

QStringList ListFiles::watchedPaths() const
{
    QStringList paths;
    if (!m_noted)
        return paths;
    for (const QString &folder : {m_folders.chosen, m_folders.standard}) {
        if (!folder.isEmpty() && QFileInfo(folder).isDir())
            paths << QFileInfo(folder).absoluteFilePath();
    }
    for (const Seen &file : m_files) {
        if (file.exists && !m_folders.shipped.isEmpty() &&
            QFileInfo(file.path).absolutePath() == QFileInfo(m_folders.shipped).absoluteFilePath())
            continue;
        if (file.exists)
            paths << QFileInfo(file.path).absoluteFilePath();
    }
    paths.removeDuplicates();
    return paths;
}
