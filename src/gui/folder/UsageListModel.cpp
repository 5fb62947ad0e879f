#include "gui/folder/UsageListModel.h"

#include "editor/FieldText.h"

UsageListModel::UsageListModel(const ReferenceLists &lists, QObject *parent)
    : FoundListModel({QStringLiteral("Скрипт"), QStringLiteral("Запись"), QStringLiteral("Поле"),
                      QStringLiteral("Значение")},
                     parent),
      m_lists(lists)
{
}

void UsageListModel::clearRows()
{
    m_usages.clear();
    m_records = 0;
    m_scripts = 0;
}

void UsageListModel::append(const QList<Usage> &usages)
{
    appendRows(usages.size(), [&] {
        for (const Usage &usage : usages) {
            const Usage *last = m_usages.isEmpty() ? nullptr : &m_usages.constLast();
            if (!last || last->path != usage.path)
                ++m_scripts;
            if (!last || last->path != usage.path || last->record != usage.record)
                ++m_records;
            m_usages.append(usage);
        }
    });
}

QString UsageListModel::text(int row, int column) const
{
    const Usage &usage = m_usages.at(row);
    switch (column) {
    case Script:
        return scriptName(usage.path);
    case Record:
        return QString::number(usage.record);
    case Field:
        return fieldCaption(usage.field);
    case Value:
        return valueWithName(usage.field, usage.value, m_lists);
    default:
        return {};
    }
}

QString UsageListModel::toolTip(int row, int column) const
{
    const Usage &usage = m_usages.at(row);
    if (column == Script)
        return nativePath(usage.path);
    if (column == Field)
        return NpcRecord::fieldName(usage.field);
    return {};
}
