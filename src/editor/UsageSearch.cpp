#include "editor/UsageSearch.h"

#include "document/NpcFile.h"

UsageSearch::UsageSearch(const QString &folder, const QList<SearchTerm> &terms)
    : FolderSearch(folder), m_terms(terms)
{
}

void UsageSearch::setOpenScript(const QString &path, const NpcRecords &records)
{
    setOpenPath(path);
    m_openRecords = records;
}

QList<Usage> UsageSearch::next(int maxFiles)
{
    QList<Usage> found;
    step(maxFiles, [&](const QString &path, bool open) {
        if (open) {
            match(path, m_openRecords, found);
            return;
        }
        NpcReader reader;
        if (reader.read(path))
            match(path, reader.records(), found);
        else
            addUnread(path, reader.reason());
    });
    return found;
}

void UsageSearch::match(const QString &path, const NpcRecords &records, QList<Usage> &found) const
{
    for (const SearchMatch &match : findRecords(records, m_terms)) {
        for (NpcField field : match.fields)
            found.append({path, match.record, field, records[match.record].value(field)});
    }
}
