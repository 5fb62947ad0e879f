#pragma once

#include "document/ScriptFileScan.h"
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

struct UnreadScript {
    QString path;
    QString reason;
};

// Where the terms hold in the scripts below a folder, matched as the command line's find
// matches them. It lists the scripts, then reads them a batch at a time, so that a window
// can show the matches as they come and stop the search.
class UsageSearch
{
public:
    // Tree entries listed a step for each script that a step may read.
    static constexpr int ListingFactor = 40;

    UsageSearch(const QString &folder, const QList<SearchTerm> &terms);

    // Records to match instead of a file's: the open script as it is being edited, which
    // is what the user will see when a match is opened.
    void setOpenScript(const QString &path, const NpcRecords &records);

    // One step: while listing, up to maxFiles * ListingFactor entries of the tree; then up
    // to maxFiles scripts are read. Returns the matches of the scripts read, one for each
    // field, in path, record and field order.
    QList<Usage> next(int maxFiles);
    void stop();

    bool isListing() const { return !m_scan.isDone(); }
    bool isFinished() const { return m_stopped || (m_scan.isDone() && m_done == total()); }
    bool wasStopped() const { return m_stopped; }
    // Scripts looked at, and found (so far, while listing).
    qsizetype done() const { return m_done; }
    qsizetype total() const { return m_scan.paths().size(); }
    const QList<UnreadScript> &unread() const { return m_unread; }

private:
    bool isOpenScript(const QString &path) const;
    void match(const QString &path, const NpcRecords &records, QList<Usage> &found) const;

    ScriptFileScan m_scan;
    QList<SearchTerm> m_terms;
    QString m_openName;
    QString m_openPath; // canonical
    NpcRecords m_openRecords{};
    qsizetype m_done = 0;
    bool m_stopped = false;
    QList<UnreadScript> m_unread;
};
