#include "editor/FieldText.h"

#include "editor/FieldCatalogue.h"
#include "editor/FieldRules.h"

QString fieldValueText(NpcField field, quint16 value)
{
    const FieldInfo *info = findFieldInfo(field);
    return info ? FieldRules::shownText(*info, value) : QString::number(value);
}

QByteArray fieldValueName(NpcField field, quint16 value, const ReferenceLists &lists)
{
    const FieldInfo *info = findFieldInfo(field);
    if (!info)
        return {};
    const ReferenceList &list = lists.byId(info->list);
    const int index = FieldRules::shownComboIndex(*info, value, list);
    return index < 0 ? QByteArray() : list.name(index);
}
