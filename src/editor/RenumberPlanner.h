#pragma once

#include "document/ScriptFileScan.h"
#include "editor/RenumberPlan.h"

#include <QHash>
#include <QMap>

#include <variant>

// Plans a renumbering without writing anything: every field of the kind that holds the
// old number, in every script below the folder, the entry of each list of the kind, and
// for a character its script and dialogue files. It refuses, naming the reason, when the
// new number is in use or does not fit its fields, or when a file cannot be read. It goes
// a step at a time, so that a window can show progress and stop it.
class RenumberPlanner
{
public:
    // Tree entries listed a step for each script that a step may read.
    static constexpr int ListingFactor = 40;
    // Far above a script's 1600 bytes; a larger *.npc is not read whole.
    static constexpr qint64 MaxScriptFileSize = 1024 * 1024;

    explicit RenumberPlanner(RenumberRequest request);

    // One step: while listing, up to maxFiles * ListingFactor entries of the tree; then up
    // to maxFiles scripts are read; at the end the lists and file names are planned.
    void next(int maxFiles);
    void stop();

    bool isFinished() const { return m_finished || m_stopped; }
    bool wasStopped() const { return m_stopped; }
    bool isListing() const { return !m_scan.isDone(); }
    qsizetype done() const { return m_done; }
    qsizetype total() const { return m_scan.paths().size(); }

    // Once finished: the reason it was refused, or the plan.
    const std::optional<RenumberRefusal> &refusal() const { return m_refusal; }
    const RenumberPlan &plan() const { return m_plan; }

    // The whole planning at once.
    static std::variant<RenumberPlan, RenumberRefusal> planAll(const RenumberRequest &request);

private:
    void refuse(const QString &reason, bool unreadable = false);
    void readScript(const QString &path);
    void finish();
    void planScriptRenames();
    void planLists();
    void checkLimits();

    RenumberRequest m_request;
    const RenumberKindInfo &m_kind;
    ScriptFileScan m_scan;
    qsizetype m_done = 0;
    bool m_finished = false;
    bool m_stopped = false;
    std::optional<RenumberRefusal> m_refusal;
    RenumberPlan m_plan;
    QHash<QString, qsizetype> m_fileOf;        // plan file by path
    QMap<QString, QStringList> m_numberedFrom; // the character's scripts by folder
    QMap<ListId, ReferenceList> m_listsAfter;  // for the limits
};

// A file name with the number in it renumbered: the first run of digits, which must read
// as `from`, becomes `to`, zero-padded to the same width when it was; empty when the name
// holds no such number.
QString renumberedFileName(const QString &name, qint64 from, qint64 to);
