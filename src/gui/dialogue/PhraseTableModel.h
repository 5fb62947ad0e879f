#pragma once

#include "dialogue/EdtText.h"

#include <QAbstractTableModel>
#include <QByteArray>
#include <QList>

class ScriptSession;

// The lines of the open script's dialogue text as table rows, read from the session as
// they are drawn: nothing is copied per line, so that a text of 100,000 lines costs
// no more to show than one of ten. A filter narrows the rows to the lines holding words.
class PhraseTableModel : public QAbstractTableModel
{
    Q_OBJECT
public:
    enum Column { NumberColumn, TextColumn, RecordsColumn, ColumnCount };

    explicit PhraseTableModel(ScriptSession &session, QObject *parent = nullptr);

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;
    // A text typed into a row is one step of the session; a refused one is announced.
    bool setData(const QModelIndex &index, const QVariant &value, int role) override;

    qsizetype lineAt(int row) const;
    // The row showing the line; -1 when the filter hides it.
    int rowOf(qsizetype line) const;
    // The words as the user types them; empty shows every line.
    void setFilter(const QString &words);
    bool isFiltered() const { return !m_words.isEmpty(); }

    // Takes what the session has now: new rows when the text changed its lines, new
    // values (the records that speak them, the highlight) otherwise.
    void refresh();

signals:
    void editRefused(const QModelIndex &index, const QString &message, const QString &text);

private:
    void filterLines();
    bool isCurrentRecordsLine(qsizetype line) const;

    ScriptSession &m_session;
    QByteArray m_words;       // Windows-1251
    QList<qsizetype> m_lines; // those the filter lets through
    EdtText m_shown;          // the text the rows were made for; shares its blocks
    qsizetype m_rows = 0;
};
