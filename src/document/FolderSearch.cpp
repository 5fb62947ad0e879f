#include "document/FolderSearch.h"

#include <QFileInfo>

FolderSearch::FolderSearch(const QString &folder) : m_scan(folder) {}

void FolderSearch::setOpenPath(const QString &path)
{
    const QFileInfo info(path);
    m_openName = info.fileName();
    m_openPath = info.canonicalFilePath();
}

void FolderSearch::step(int maxFiles, const std::function<void(const QString &path, bool open)> &visit)
{
    if (m_stopped)
        return;
    if (!m_scan.isDone()) {
        m_scan.step(maxFiles * ListingFactor);
        return;
    }
    const QStringList &paths = m_scan.paths();
    for (int i = 0; i < maxFiles && m_done < paths.size(); ++i) {
        const QString &path = paths.at(m_done++);
        visit(path, isOpenScript(path));
    }
}

void FolderSearch::stop()
{
    if (!isFinished())
        m_stopped = true;
}

bool FolderSearch::isOpenScript(const QString &path) const
{
    // The name first: it spares most files the look-up of their real path.
    return !m_openPath.isEmpty() && path.endsWith(m_openName) &&
           QFileInfo(path).canonicalFilePath() == m_openPath;
}
