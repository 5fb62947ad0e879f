#include "gui/folder/NamePickModel.h"

#include "common/Windows1251.h"

void NamePickModel::setList(const ReferenceList &list)
{
    QList<Entry> entries;
    entries.reserve(list.count());
    for (int i = 0; i < list.count(); ++i) {
        // A line whose number does not read as one names nothing a field can hold.
        if (const std::optional<qint64> number = readDecimal(list.numberText(i)))
            entries.append({fromWindows1251(list.comboText(i)), fromWindows1251(list.name(i)), *number});
    }
    m_entries = std::move(entries);
    refilter();
}

void NamePickModel::setFilter(const QString &text)
{
    if (text == m_filter)
        return;
    m_filter = text;
    refilter();
}

int NamePickModel::rowOf(qint64 number) const
{
    for (int row = 0; row < m_shown.size(); ++row) {
        if (m_entries.at(m_shown.at(row)).number == number)
            return row;
    }
    return -1;
}

int NamePickModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_shown.size());
}

QVariant NamePickModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= m_shown.size() || role != Qt::DisplayRole)
        return {};
    return m_entries.at(m_shown.at(index.row())).text;
}

bool NamePickModel::passes(const Entry &entry, const QString &text)
{
    return text.isEmpty() || entry.name.contains(text, Qt::CaseInsensitive) ||
           QString::number(entry.number) == text;
}

void NamePickModel::refilter()
{
    beginResetModel();
    m_shown.clear();
    const QString text = m_filter.trimmed();
    for (int i = 0; i < m_entries.size(); ++i) {
        if (passes(m_entries.at(i), text))
            m_shown << i;
    }
    endResetModel();
}
