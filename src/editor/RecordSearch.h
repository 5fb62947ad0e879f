#pragma once

#include "document/NpcScriptDocument.h"
#include "editor/FieldCatalogue.h"

#include <QList>

#include <optional>

// One condition of a search: any of its fields holds the value.
struct SearchTerm {
    QList<NpcField> fields;
    qint64 value = 0; // as typed: -1 is the none value, other negatives their two's complement

    static SearchTerm field(NpcField field, qint64 value) { return {{field}, value}; }
    static SearchTerm fact(qint64 value);   // TriggT, TriggF, Trigg2T
    static SearchTerm item(qint64 value);   // ItemIn, ItemOut
    static SearchTerm quest(qint64 value);  // Q_was, Q_Input, Q_Output
    static SearchTerm npc(qint64 value);    // ControlNpc
    static SearchTerm action(qint64 value); // Action
};

struct SearchMatch {
    int record = 0;
    QList<NpcField> fields; // the fields that held the values, in file order

    bool operator==(const SearchMatch &) const = default;
};

// The non-empty records for which every term holds, in record order.
QList<SearchMatch> findRecords(const NpcRecords &records, const QList<SearchTerm> &terms);
