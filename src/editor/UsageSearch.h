#pragma once

#include "document/FolderSearch.h"
#include "editor/RecordSearch.h"

#include <QList>
#include <QString>

// A field of a script's record that holds a value looked for.
struct Usage {
    QString path;
    int record = 0;
    NpcField field = NpcField::Mode;
    quint16 value = 0;

    bool operator==(const Usage &) const = default;
};

// Where the terms hold in the scripts below a folder, matched as the command line's find
// matches them, a batch of scripts at a time.
class UsageSearch : public FolderSearch
{
public:
    UsageSearch(const QString &folder, const QList<SearchTerm> &terms);

    // The open script's records as they are being edited.
    void setOpenScript(const QString &path, const NpcRecords &records);

    // One step (FolderSearch::step). Returns the matches of the scripts read, one for each
    // field, in path, record and field order.
    QList<Usage> next(int maxFiles);

private:
    void match(const QString &path, const NpcRecords &records, QList<Usage> &found) const;

    QList<SearchTerm> m_terms;
    NpcRecords m_openRecords{};
};
