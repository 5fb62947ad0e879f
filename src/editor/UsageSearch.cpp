#include "editor/UsageSearch.h"

#include "document/NpcFile.h"

#include <QFileInfo>

UsageSearch::UsageSearch(const QString &folder, const QList<SearchTerm> &terms)
    : m_scan(folder), m_terms(terms)
{
}

void UsageSearch::setOpenScript(const QString &path, const NpcRecords &records)
{
    const QFileInfo info(path);
    m_openName = info.fileName();
    m_openPath = info.canonicalFilePath();
    m_openRecords = records;
}

QList<Usage> UsageSearch::next(int maxFiles)
{
    QList<Usage> found;
    if (m_stopped)
        return found;
    if (!m_scan.isDone()) {
        m_scan.step(maxFiles * ListingFactor);
        return found;
    }
    const QStringList &paths = m_scan.paths();
    for (int i = 0; i < maxFiles && m_done < paths.size(); ++i) {
        const QString &path = paths.at(m_done++);
        if (isOpenScript(path)) {
            match(path, m_openRecords, found);
            continue;
        }
        NpcReader reader;
        if (reader.read(path))
            match(path, reader.records(), found);
        else
            m_unread.append({path, reader.reason()});
    }
    return found;
}

void UsageSearch::stop()
{
    if (!isFinished())
        m_stopped = true;
}

bool UsageSearch::isOpenScript(const QString &path) const
{
    // The name first: it spares most files the look-up of their real path.
    return !m_openPath.isEmpty() && path.endsWith(m_openName) &&
           QFileInfo(path).canonicalFilePath() == m_openPath;
}

void UsageSearch::match(const QString &path, const NpcRecords &records, QList<Usage> &found) const
{
    for (const SearchMatch &match : findRecords(records, m_terms)) {
        for (NpcField field : match.fields)
            found.append({path, match.record, field, records[match.record].value(field)});
    }
}
