#pragma once

#include "dialogue/PhraseSearch.h"

#include <QAbstractTableModel>
#include <QDir>

// The phrases found so far, a row each: script, phrase number, the records that speak it
// and the line.
class PhraseHitListModel : public QAbstractTableModel
{
    Q_OBJECT
public:
    enum Column { Script, Phrase, Records, Line, ColumnCount };

    using QAbstractTableModel::QAbstractTableModel;

    // Empties the list for a search below the folder; scripts are named relative to it.
    void clear(const QString &folder);
    // Hits in path and line order, after those already listed.
    void append(const QList<PhraseHit> &hits);

    const PhraseHit &hit(int row) const { return m_hits.at(row); }
    int scriptCount() const { return m_scripts; }

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    QString text(const PhraseHit &hit, int column) const;

    QDir m_folder;
    QList<PhraseHit> m_hits;
    int m_scripts = 0;
};
