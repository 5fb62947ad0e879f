#pragma once

#include "editor/ReferenceList.h"

#include <QAbstractListModel>

// The entries of a list that name a number, as "7. name", narrowed to those whose name
// contains a text in any letter case (or whose number is the text).
class NamePickModel : public QAbstractListModel
{
    Q_OBJECT
public:
    using QAbstractListModel::QAbstractListModel;

    void setList(const ReferenceList &list);
    void setFilter(const QString &text);
    const QString &filter() const { return m_filter; }

    qint64 number(int row) const { return m_entries.at(m_shown.at(row)).number; }
    // The first shown row of a number; -1 when none is shown.
    int rowOf(qint64 number) const;

    int rowCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;

private:
    struct Entry {
        QString text;
        QString name;
        qint64 number;
    };
    static bool passes(const Entry &entry, const QString &text);
    void refilter();

    QList<Entry> m_entries;
    QList<int> m_shown;
    QString m_filter;
};
