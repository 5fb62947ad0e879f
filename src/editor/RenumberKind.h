#pragma once

#include "document/NpcRecord.h"
#include "editor/FieldCatalogue.h"

#include <QList>
#include <QString>

#include <optional>
#include <utility>

// What a game folder can be renumbered by: the fields that hold such a number and the
// lists that name it. What closing a quest means is numbered on its own, in its own list.
enum class RenumberKind { Item, Fact, Quest, QuestClose, Action, Reaction, Mode, Npc };

struct RenumberKindInfo {
    RenumberKind kind;
    const char *name; // as the command line spells it: "item"
    QList<NpcField> fields;
    QList<ListId> lists;
};

const QList<RenumberKindInfo> &renumberKinds();
const RenumberKindInfo &renumberKindInfo(RenumberKind kind);
std::optional<RenumberKind> renumberKindNamed(const QString &name);

// The number of the kind that a stored value stands for, as its list names it: nothing for
// a none value or an item of 0 or below; a negative reaction stands for its absolute value.
std::optional<qint64> renumberedNumber(NpcField field, quint16 value);
// The stored value that stands for `to` where `value` stood for another number: a
// negative reaction stays negative.
quint16 renumberedValue(NpcField field, quint16 value, qint64 to);
// The numbers a list field can stand for: an item from 1, the rest from 0, up to the
// largest value below the none value (or the largest positive one).
std::pair<qint64, qint64> numberRange(NpcField field);
bool fieldCanHold(NpcField field, qint64 n);
