#include "editor/FieldText.h"

#include "common/Windows1251.h"
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

QString valueWithName(NpcField field, quint16 value, const ReferenceLists &lists)
{
    const QString text = fieldValueText(field, value);
    const QByteArray name = fieldValueName(field, value, lists);
    if (name.isEmpty())
        return text;
    return text + QStringLiteral(" (") + fromWindows1251(name) + QLatin1Char(')');
}

QString fieldCaption(NpcField field)
{
    const FieldInfo *info = findFieldInfo(field);
    if (!info)
        return {};
    QString caption = info->captionText();
    if (caption.endsWith(QLatin1Char(':')))
        caption.chop(1);
    return caption;
}
