#include "editor/FieldCatalogue.h"

namespace
{

using F = NpcField;
using P = FieldPanel;
using S = FieldShow;
using R = LeaveRule;
using D = DefaultCombo;

constexpr const char *DaysRow = "Срок срабатывания:";
constexpr const char *ControlRow = "Передать управление на:";

const FieldCatalogue Catalogue = {{
    {F::Action, "Action", P::Conditions, nullptr, "Воздействие:", ListId::Action, 0, 0, nullptr, nullptr, 0,
     D::Untouched, S::Unsigned, R::CommitListByte},
    {F::Mode, "Mode", P::Conditions, nullptr, "Режим срабатывания:", ListId::Modes, 0, 0, nullptr, nullptr, 0,
     D::Untouched, S::Unsigned, R::CommitListWord},
    {F::FDay, "FDay", P::Conditions, DaysRow, "Первый день:", ListId::None, -1, 254, "Btn_FDay", "0", 0,
     D::Untouched, S::NoneAsMinusOne, R::CommitByte},
    {F::LDay, "LDay", P::Conditions, DaysRow, "Последний день:", ListId::None, -1, 254, "Btn_LDay", "-1",
     NoneByte, D::Untouched, S::NoneAsMinusOne, R::CommitByte},
    {F::ItemIn, "ItemIn", P::Conditions, nullptr, "Получаемый предмет:", ListId::Items, -32768, 0,
     "Btn_ItemIn", "0", 0, D::Clear, S::Signed, R::SignedListWord},
    {F::TriggT, "TriggT", P::Conditions, nullptr, "Триггер - ИСТИНА:", ListId::Trigg, -1, 0, "Btn_TriggT",
     "-1", NoneWord, D::Clear, S::NoneAsMinusOne, R::CommitListWord},
    {F::TriggF, "TriggF", P::Conditions, nullptr, "Триггер - ЛОЖЬ:", ListId::Trigg, -1, 0, "Btn_TriggF", "-1",
     NoneWord, D::Clear, S::NoneAsMinusOne, R::CommitListWord},
    {F::Q_was, "Q_was", P::Conditions, nullptr, "Есть открытый квест:", ListId::Q_Input, -1, 0, "Btn_Q_was",
     "-1", NoneByte, D::Clear, S::NoneAsMinusOne, R::CommitListByte},
    {F::Leader, "Leader", P::Conditions, nullptr, "Лидерство:", ListId::None, 0, 100, "Btn_Leader", "0", 0,
     D::Untouched, S::Unsigned, R::CommitByte},

    {F::Q_Input, "Q_Input", P::Results, nullptr, "Получить квест:", ListId::Q_Input, -1, 0, "Btn_Q_Input",
     "-1", NoneByte, D::Clear, S::NoneAsMinusOne, R::CommitListByte},
    {F::Q_Output, "Q_Output", P::Results, nullptr, "Закрыть квест:", ListId::Q_Output, -1, 0, "Btn_Q_Output",
     "-1", NoneByte, D::Clear, S::NoneAsMinusOne, R::CommitListByte},
    {F::ControlNpc, "ControlNpc", P::Results, ControlRow, "NPC No:", ListId::Npc, -1, 0, "Btn_ControlNpc",
     "-1", NoneByte, D::Clear, S::NoneAsMinusOne, R::CommitListByte},
    {F::ControlRec, "ControlRec", P::Results, ControlRow, "Запись No:", ListId::None, -1, 49,
     "Btn_ControlRec", "-1", NoneByte, D::Untouched, S::NoneAsMinusOne, R::CommitByte},
    {F::Trigg2T, "Trigg2T", P::Results, nullptr, "Триггер в ИСТИНА:", ListId::Trigg, -1, 0, "Btn_Trigg2T",
     "-1", NoneWord, D::Clear, S::NoneAsMinusOne, R::CommitListWord},
    {F::ItemOut, "ItemOut", P::Results, nullptr, "Отдать предмет:", ListId::Items, -32768, 0, "Brn_ItemOut",
     "0", 0, D::Clear, S::Signed, R::SignedListWord},
    {F::Phrase, "Phrase", P::Results, nullptr, "Сказать фразу No:", ListId::None, -1, 142, "Brn_Phrase", "-1",
     NoneByte, D::Untouched, S::NoneAsMinusOne, R::CommitByte},
    {F::PhraseCnt, "PhraseCnt", P::Results, nullptr, "Количество фраз:", ListId::None, -1, 142,
     "Btn_PhraseCnt", "1", 1, D::Untouched, S::Unsigned, R::CommitByte},
    {F::GoSect, "GoSect", P::Results, nullptr, "Перейти на тайл No:", ListId::None, -1, 65534, "Btn_GoSect",
     "-1", NoneWord, D::Untouched, S::NoneAsMinusOne, R::CommitWord},
    {F::React, "React", P::Results, nullptr, "Реакция NPC:", ListId::React, -32768, 0, "Btn_React", "0", 0,
     D::SelectFirst, S::SignedByAbs, R::SignedListWord},
}};

} // namespace

QString FieldInfo::editName() const
{
    return QStringLiteral("Edit_") + QLatin1String(name);
}

QString FieldInfo::comboName() const
{
    return hasList() ? QStringLiteral("Combo_") + QLatin1String(name) : QString();
}

QString FieldInfo::buttonName() const
{
    return button ? QLatin1String(button) : QString();
}

QString FieldInfo::captionText() const
{
    return QString::fromUtf8(caption);
}

QString FieldInfo::rowCaptionText() const
{
    return rowCaption ? QString::fromUtf8(rowCaption) : QString();
}

const FieldCatalogue &fieldCatalogue()
{
    return Catalogue;
}

const FieldInfo *findFieldInfo(NpcField field)
{
    for (const FieldInfo &info : Catalogue) {
        if (info.field == field)
            return &info;
    }
    return nullptr;
}

int fullFieldRange(const FieldInfo &info)
{
    if (NpcRecord::isSignedField(info.field))
        return 32767; // larger values read back as negatives
    return info.noneValue() - 1;
}

int fieldLimit(const FieldInfo &info, const ReferenceLists &lists)
{
    return fieldLimit(info, lists.byId(info.list));
}

int fieldLimit(const FieldInfo &info, const ReferenceList &list)
{
    if (!info.hasList())
        return info.fixedMax;
    const std::optional<qint64> last = list.lastNumber();
    const int full = fullFieldRange(info);
    if (!last || *last < 0 || *last > full)
        return full;
    return int(*last);
}

qint32 shownValue(NpcField field, quint16 stored)
{
    if (NpcRecord::isSignedField(field))
        return qint16(stored);
    const FieldInfo *info = findFieldInfo(field);
    if (info && info->shown == FieldShow::NoneAsMinusOne && stored == info->noneValue())
        return -1;
    return stored;
}

std::optional<quint16> storedValue(NpcField field, qint64 typed)
{
    const qint64 span = NpcRecord::isWordField(field) ? 65536 : 256;
    if (typed >= 0 && typed < span)
        return quint16(typed);
    if (typed < 0 && typed >= -span / 2)
        return quint16(typed + span);
    return std::nullopt;
}

int digitCount(qint64 value)
{
    if (value < 0)
        value = -value;
    int digits = 1;
    while (value >= 10) {
        value /= 10;
        ++digits;
    }
    return digits;
}
