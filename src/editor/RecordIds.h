#pragma once

#include "document/NpcScriptDocument.h"

#include <array>
#include <optional>

// Which record each slot of a script holds, by an id that stays with the record when the
// list operations move it. Links from other scripts name slots of the file on disk; the
// ids of the slots as last read or written say where those records are now.
class RecordIds
{
public:
    // Slot i holds record i.
    static RecordIds numbered();

    int at(int slot) const { return m_ids.at(slot); }
    // The slot that holds the record, if any still does.
    std::optional<int> slotOf(int id) const;

    // The records below move up; the last slot gets a new (empty) record.
    void remove(int slot, int &nextId);
    // The records from the slot on move down and the last one is lost; the slot gets a
    // new record.
    void insert(int slot, int &nextId);
    void swap(int a, int b);

    bool operator==(const RecordIds &) const = default;

private:
    std::array<int, RecordCount> m_ids{};
};
