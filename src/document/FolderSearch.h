#pragma once

#include "document/ScriptFileScan.h"

#include <QList>
#include <QString>

#include <functional>

struct UnreadScript {
    QString path;
    QString reason;
};

// The walk of a search through the scripts below a folder: it lists them, then hands them
// out a batch at a time, so that a window can show the matches as they come and stop the
// search. The script open in the editor is named apart, so that the search can look at
// it as it is being edited, which is what the user will see when a match is opened.
class FolderSearch
{
public:
    // Tree entries listed a step for each script that a step may read.
    static constexpr int ListingFactor = 40;

    explicit FolderSearch(const QString &folder);

    void stop();
    bool isListing() const { return !m_scan.isDone(); }
    bool isFinished() const { return m_stopped || (m_scan.isDone() && m_done == total()); }
    bool wasStopped() const { return m_stopped; }
    // Scripts looked at, and found (so far, while listing).
    qsizetype done() const { return m_done; }
    qsizetype total() const { return m_scan.paths().size(); }
    const QList<UnreadScript> &unread() const { return m_unread; }

protected:
    void setOpenPath(const QString &path);
    // One step: while listing, up to maxFiles * ListingFactor entries of the tree; then
    // `visit` for each of up to maxFiles scripts, in path order, told whether it is the
    // open one.
    void step(int maxFiles, const std::function<void(const QString &path, bool open)> &visit);
    void addUnread(const QString &path, const QString &reason) { m_unread.append({path, reason}); }

private:
    bool isOpenScript(const QString &path) const;

    ScriptFileScan m_scan;
    QString m_openName;
    QString m_openPath; // canonical
    qsizetype m_done = 0;
    bool m_stopped = false;
    QList<UnreadScript> m_unread;
};
