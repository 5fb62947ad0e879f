#pragma once

#include <QAbstractTableModel>
#include <QDir>
#include <QStringList>

// What a search below a folder found so far, a row each, read only; the scripts are named
// relative to the folder.
class FoundListModel : public QAbstractTableModel
{
    Q_OBJECT
public:
    FoundListModel(const QStringList &headers, QObject *parent);

    // Empties the list for a search below the folder.
    void clear(const QString &folder);

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

protected:
    virtual int count() const = 0;
    virtual void clearRows() = 0;
    virtual QString text(int row, int column) const = 0;
    virtual QString toolTip(int row, int column) const = 0;

    QString scriptName(const QString &path) const;
    QString nativePath(const QString &path) const;
    // Rows added at the end: `rows` of them, taken in by `take` between the signals.
    template <typename Take> void appendRows(qsizetype rows, Take take)
    {
        if (rows == 0)
            return;
        beginInsertRows({}, count(), count() + int(rows) - 1);
        take();
        endInsertRows();
    }

private:
    QStringList m_headers;
    QDir m_folder;
};
