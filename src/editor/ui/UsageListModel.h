#pragma once

#include "editor/ReferenceLists.h"
#include "editor/UsageSearch.h"

#include <QAbstractTableModel>
#include <QDir>

// The usages found so far, a row each: script, record, field, value and name.
class UsageListModel : public QAbstractTableModel
{
    Q_OBJECT
public:
    enum Column { Script, Record, Field, Value, ColumnCount };

    UsageListModel(const ReferenceLists &lists, QObject *parent = nullptr);

    // Empties the list for a search below the folder; scripts are named relative to it.
    void clear(const QString &folder);
    // Usages in path and record order, after those already listed.
    void append(const QList<Usage> &usages);

    const Usage &usage(int row) const { return m_usages.at(row); }
    int recordCount() const { return m_records; }
    int scriptCount() const { return m_scripts; }

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    QString text(const Usage &usage, int column) const;
    QString toolTip(const Usage &usage, int column) const;

    const ReferenceLists &m_lists;
    QDir m_folder;
    QList<Usage> m_usages;
    int m_records = 0;
    int m_scripts = 0;
};
