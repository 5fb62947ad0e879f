#pragma once

#include <QAbstractListModel>

class ReferenceList;

// A list's entries as "7. name" for a combo box, decoded only when a view asks for a row
// and cut at ShownLength characters; the list keeps every byte. Narrowed by a filter
// to the names that hold a text, its rows map back to the list's entries.
class ReferenceListModel : public QAbstractListModel
{
    Q_OBJECT
public:
    static constexpr int ShownLength = 256;

    using QAbstractListModel::QAbstractListModel;

    // Every entry of the list, unfiltered. The list must outlive the model or be set
    // again; entries it gains or loses before then are not shown.
    void setList(const ReferenceList *list);
    const ReferenceList *list() const { return m_list; }
    // Entries the list had when it was set, filtered or not.
    int entryCount() const { return m_count; }

    void setFilter(const QString &text);
    const QString &filter() const { return m_filter; }
    bool isFiltered() const { return !m_filter.isEmpty(); }

    // The list entry a row shows; -1 for none.
    int entryOf(int row) const;
    // The text shown for a list entry.
    QString shownText(int entry) const;

    int rowCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;

private:
    const ReferenceList *m_list = nullptr;
    int m_count = 0;   // entries when the list was set
    QList<int> m_rows; // the entries shown while filtered
    QString m_filter;
};
