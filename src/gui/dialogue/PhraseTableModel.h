#pragma once

#include "dialogue/EdtText.h"

#include <QAbstractTableModel>
#include <QByteArray>
#include <QList>

class OpenTranslation;
class ScriptSession;

// The lines of the open script's dialogue text as table rows, read from the session as
// they are drawn: nothing is copied per line, so that a text of 100,000 lines costs
// no more to show than one of ten. A filter narrows the rows to the lines holding words,
// or to those a translation leaves in the original. With a translation open, each line
// shows its translation, edited in place, and how far it is done.
class PhraseTableModel : public QAbstractTableModel
{
    Q_OBJECT
public:
    enum Column { NumberColumn, TextColumn, RecordsColumn, TranslationColumn, StateColumn, ColumnCount };

    PhraseTableModel(ScriptSession &session, OpenTranslation &translation, QObject *parent = nullptr);

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;
    // A text typed into a row is one step of the session, a translation a change of the
    // translation; a refused one is announced.
    bool setData(const QModelIndex &index, const QVariant &value, int role) override;

    qsizetype lineAt(int row) const;
    // The row showing the line; -1 when the filter hides it.
    int rowOf(qsizetype line) const;
    // The words as the user types them; empty shows every line.
    void setFilter(const QString &words);
    // Only the lines without a finished translation.
    void setUntranslatedOnly(bool only);
    bool isFiltered() const { return !m_words.isEmpty() || m_untranslatedOnly; }
    // The dialogue file's name, which the translation's entries name.
    QString translationContext() const;

    // Takes what the session has now: new rows when the text changed its lines, new
    // values (the records that speak them, the highlight) otherwise.
    void refresh();
    // The translation changed: its columns, and the rows when they follow it.
    void translationChanged();

signals:
    void editRefused(const QModelIndex &index, const QString &message, const QString &text);

private:
    void filterLines();
    bool isCurrentRecordsLine(qsizetype line) const;
    QVariant translationData(qsizetype line, int column, int role) const;

    ScriptSession &m_session;
    OpenTranslation &m_translation;
    bool m_untranslatedOnly = false;
    QByteArray m_words;       // Windows-1251
    QList<qsizetype> m_lines; // those the filter lets through
    EdtText m_shown;          // the text the rows were made for; shares its blocks
    qsizetype m_rows = 0;
};
