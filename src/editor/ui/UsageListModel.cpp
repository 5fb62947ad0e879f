#include "editor/ui/UsageListModel.h"

#include "editor/FieldText.h"

UsageListModel::UsageListModel(const ReferenceLists &lists, QObject *parent)
    : QAbstractTableModel(parent), m_lists(lists)
{
}

void UsageListModel::clear(const QString &folder)
{
    beginResetModel();
    m_folder = QDir(folder);
    m_usages.clear();
    m_records = 0;
    m_scripts = 0;
    endResetModel();
}

void UsageListModel::append(const QList<Usage> &usages)
{
    if (usages.isEmpty())
        return;
    const int first = int(m_usages.size());
    beginInsertRows({}, first, first + int(usages.size()) - 1);
    for (const Usage &usage : usages) {
        const Usage *last = m_usages.isEmpty() ? nullptr : &m_usages.constLast();
        if (!last || last->path != usage.path)
            ++m_scripts;
        if (!last || last->path != usage.path || last->record != usage.record)
            ++m_records;
        m_usages.append(usage);
    }
    endInsertRows();
}

int UsageListModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_usages.size());
}

int UsageListModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant UsageListModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= m_usages.size())
        return {};
    const Usage &usage = m_usages.at(index.row());
    switch (role) {
    case Qt::DisplayRole:
        return text(usage, index.column());
    case Qt::ToolTipRole:
        return toolTip(usage, index.column());
    default:
        return {};
    }
}

QVariant UsageListModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return {};
    switch (section) {
    case Script:
        return QStringLiteral("Скрипт");
    case Record:
        return QStringLiteral("Запись");
    case Field:
        return QStringLiteral("Поле");
    case Value:
        return QStringLiteral("Значение");
    default:
        return {};
    }
}

QString UsageListModel::text(const Usage &usage, int column) const
{
    switch (column) {
    case Script:
        return QDir::toNativeSeparators(m_folder.relativeFilePath(usage.path));
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

QString UsageListModel::toolTip(const Usage &usage, int column) const
{
    if (column == Script)
        return QDir::toNativeSeparators(m_folder.absoluteFilePath(usage.path));
    if (column == Field)
        return NpcRecord::fieldName(usage.field);
    return {};
}
