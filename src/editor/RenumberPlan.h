#pragma once

#include "editor/ListRenumbering.h"
#include "editor/RenumberKind.h"

#include <QByteArray>
#include <QList>
#include <QMap>
#include <QString>

#include <optional>

// A list file in use for a renumbering: where it is read, and where its renumbered bytes
// go: the same file, or one in the user's list folder when the one read must stay as it
// is (the lists shipped with the program); empty when it may not be changed at all.
struct RenumberListFile {
    QString readFrom; // empty: no such list in use
    QString writeTo;
};

struct RenumberRequest {
    QString folder; // searched recursively for *.npc in any letter case
    RenumberKind kind = RenumberKind::Item;
    qint64 from = 0;
    qint64 to = 0;
    QMap<ListId, RenumberListFile> lists; // the kind's lists
};

struct RenumberFieldChange {
    QString path;
    int record = 0;
    NpcField field = NpcField::Mode;
    quint16 before = 0;
    quint16 after = 0;

    bool operator==(const RenumberFieldChange &) const = default;
};

struct RenumberListChange {
    QString path; // the file written
    ListLineChange line;

    bool operator==(const RenumberListChange &) const = default;
};

struct RenumberFileRename {
    QString from;
    QString to;

    bool operator==(const RenumberFileRename &) const = default;
};

// One file that applying the plan changes.
struct RenumberFile {
    QString path;   // as it is now
    QString target; // where it ends: the same path, another name, or a copy elsewhere
    bool renamed = false;
    bool list = false;
    QByteArray before;               // its bytes when planned
    std::optional<QByteArray> after; // nothing: only renamed
};

// Every change a renumbering makes, in a stable order: fields by path, record and field;
// files renamed; list lines by list and line.
struct RenumberPlan {
    QString folder; // the one renumbered
    QList<RenumberFieldChange> fields;
    QList<RenumberFileRename> renames;
    QList<RenumberListChange> lists;
    QList<RenumberFile> files;

    bool isEmpty() const { return fields.isEmpty() && renames.isEmpty() && lists.isEmpty(); }
};

struct RenumberRefusal {
    bool unreadable = false; // a file could not be read, rather than a number in the way
    QString reason;
};
