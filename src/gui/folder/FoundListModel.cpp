#include "gui/folder/FoundListModel.h"

FoundListModel::FoundListModel(const QStringList &headers, QObject *parent)
    : QAbstractTableModel(parent), m_headers(headers)
{
}

void FoundListModel::clear(const QString &folder)
{
    beginResetModel();
    m_folder = QDir(folder);
    clearRows();
    endResetModel();
}

QString FoundListModel::scriptName(const QString &path) const
{
    return QDir::toNativeSeparators(m_folder.relativeFilePath(path));
}

QString FoundListModel::nativePath(const QString &path) const
{
    return QDir::toNativeSeparators(m_folder.absoluteFilePath(path));
}

int FoundListModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : count();
}

int FoundListModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_headers.size());
}

QVariant FoundListModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= count())
        return {};
    switch (role) {
    case Qt::DisplayRole:
        return text(index.row(), index.column());
    case Qt::ToolTipRole: {
        const QString tip = toolTip(index.row(), index.column());
        return tip.isEmpty() ? QVariant() : tip;
    }
    default:
        return {};
    }
}

QVariant FoundListModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 || section >= m_headers.size())
        return {};
    return m_headers.at(section);
}
