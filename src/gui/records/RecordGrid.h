#pragma once

#include <QTableWidget>

class QMenu;
class ScriptSession;

// The grid of the 50 records (StringGrid): the row number, the action name and where the
// record hands control. It follows the session's current record and captions, marks the
// rows the checks find fault with, and selecting a row makes its record current.
class RecordGrid : public QTableWidget
{
    Q_OBJECT
public:
    RecordGrid(ScriptSession &session, QWidget *parent);

    // Offered on a right click.
    void setContextMenu(QMenu *menu);
    // Selects a row as a click would; the selection handling runs when it changes.
    void selectGridRow(int row);
    void StringGridSelectCell(int column, int row);
    QString cellText(int row, int column) const;
    // The action column takes what a pane of this width leaves.
    void fitColumns(int paneWidth);

signals:
    // A double click on a record's link.
    void linkDoubleClicked();

private:
    void showCaptions();
    void showCurrentRow(int row);
    void showFindings();

    ScriptSession &m_session;
    bool m_followingSession = false; // the selection moves because the session did
};
