#include "editor/RenumberKind.h"

#include "editor/FieldRules.h"

namespace
{

using F = NpcField;

const QList<RenumberKindInfo> Kinds = {
    {RenumberKind::Item, "item", {F::ItemIn, F::ItemOut}, {ListId::Items}},
    {RenumberKind::Fact, "fact", {F::TriggT, F::TriggF, F::Trigg2T}, {ListId::Trigg}},
    {RenumberKind::Quest, "quest", {F::Q_was, F::Q_Input}, {ListId::Q_Input}},
    {RenumberKind::QuestClose, "quest-close", {F::Q_Output}, {ListId::Q_Output}},
    {RenumberKind::Action, "action", {F::Action}, {ListId::Action}},
    {RenumberKind::Reaction, "reaction", {F::React}, {ListId::React}},
    {RenumberKind::Mode, "mode", {F::Mode}, {ListId::Modes}},
    {RenumberKind::Npc, "npc", {F::ControlNpc}, {ListId::Npc}},
};

} // namespace

const QList<RenumberKindInfo> &renumberKinds()
{
    return Kinds;
}

const RenumberKindInfo &renumberKindInfo(RenumberKind kind)
{
    return Kinds.at(int(kind));
}

std::optional<RenumberKind> renumberKindNamed(const QString &name)
{
    for (const RenumberKindInfo &info : Kinds) {
        if (name == QLatin1String(info.name))
            return info.kind;
    }
    return std::nullopt;
}

std::optional<qint64> renumberedNumber(NpcField field, quint16 value)
{
    const FieldInfo *info = findFieldInfo(field);
    return info ? FieldRules::listedNumber(*info, value) : std::nullopt;
}

quint16 renumberedValue(NpcField field, quint16 value, qint64 to)
{
    const FieldInfo *info = findFieldInfo(field);
    if (info && info->shown == FieldShow::SignedByAbs && value >= 32768)
        return quint16(65536 - to);
    return quint16(to);
}

std::pair<qint64, qint64> numberRange(NpcField field)
{
    const FieldInfo *info = findFieldInfo(field);
    if (!info || !info->hasList())
        return {1, 0};
    return {info->shown == FieldShow::Signed ? 1 : 0, fullFieldRange(*info)};
}

bool fieldCanHold(NpcField field, qint64 n)
{
    const auto [lowest, highest] = numberRange(field);
    return n >= lowest && n <= highest;
}
