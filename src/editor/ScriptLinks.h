#pragma once

#include "document/ScriptFolder.h"

#include <QList>
#include <QString>

#include <functional>
#include <optional>

enum class LinkState {
    Ok,
    EmptyTarget,      // the record it names is empty
    BadRecord,        // ControlRec above 49
    MissingScript,    // no script of that character in the folder
    UnreadableScript, // there is one, but it cannot be read
};

// A record handing control to a record of its own script or of another character's.
struct RecordLink {
    int record = 0;
    bool local = false; // into the same script
    quint8 npc = 0;     // ControlNpc
    quint8 target = 0;  // ControlRec
    QString targetPath; // the other script; empty for a local link and a missing script
    LinkState state = LinkState::Ok;

    bool operator==(const RecordLink &) const = default;
};

// Answers for the other scripts of the script's folder by character number.
using ScriptLookup = std::function<FolderScript(quint8 npcNumber)>;

// The links of the non-empty records, in record order. A link is local when ControlNpc is
// the script's own number, as in the record grid's link column.
QList<RecordLink> scriptLinks(const NpcRecords &records, quint8 ownNpcNumber, const ScriptLookup &others);

// "ok", "empty-target", "bad-record", "missing-script", "unreadable-script".
QString linkStateName(LinkState state);

// A script whose own number changes from `from` to `to`: the records that link inside it
// (ControlNpc `from`, a ControlRec set) are given `to`, so they keep pointing at the same
// records. The records changed, in order.
QList<int> keepInsideLinks(NpcRecords &records, quint8 from, quint8 to);

// The number of a script name that a ControlNpc cannot hold (0-254), as written; nothing
// for a name that is no number or one that fits.
std::optional<qint64> unlinkableNpcNumber(const QString &path);
