#include "gui/records/ReferenceListModel.h"

#include "common/Windows1251.h"
#include "editor/ReferenceList.h"

void ReferenceListModel::setList(const ReferenceList *list)
{
    beginResetModel();
    m_list = list;
    m_count = list ? list->count() : 0;
    m_filter.clear();
    m_rows.clear();
    endResetModel();
}

void ReferenceListModel::setFilter(const QString &text)
{
    if (text == m_filter || !m_list)
        return;
    beginResetModel();
    m_filter = text;
    m_rows.clear();
    if (!text.isEmpty()) {
        for (const int entry : m_list->indexesWithName(text)) {
            if (entry < m_count)
                m_rows.append(entry);
        }
    }
    endResetModel();
}

int ReferenceListModel::entryOf(int row) const
{
    if (row < 0 || row >= rowCount())
        return -1;
    const int entry = isFiltered() ? m_rows.at(row) : row;
    return m_list && entry < m_list->count() ? entry : -1;
}

QString ReferenceListModel::shownText(int entry) const
{
    if (!m_list || entry < 0 || entry >= m_list->count())
        return {};
    const QByteArray text = m_list->comboText(entry, ShownLength + 1);
    if (text.size() <= ShownLength)
        return fromWindows1251(text);
    return fromWindows1251(QByteArrayView(text).first(ShownLength)) + QChar(0x2026);
}

int ReferenceListModel::rowCount(const QModelIndex &parent) const
{
    if (parent.isValid())
        return 0;
    return isFiltered() ? int(m_rows.size()) : m_count;
}

QVariant ReferenceListModel::data(const QModelIndex &index, int role) const
{
    if (role != Qt::DisplayRole && role != Qt::EditRole)
        return {};
    const int entry = index.isValid() ? entryOf(index.row()) : -1;
    return entry < 0 ? QVariant() : QVariant(shownText(entry));
}
