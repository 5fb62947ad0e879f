#pragma once

#include "dialogue/EdtText.h"
#include "document/NpcScriptDocument.h"
#include "editor/RecordIds.h"
#include "editor/RecordList.h"

#include <QList>
#include <QString>

// What undo brings back: the records, the grid's captions, the current record, the ids
// that say where the records of the file on disk went, and the dialogue text (a copy
// shares all but the lines changed since).
struct RecordState {
    NpcRecords records{};
    RecordGridTexts captions;
    int curRec = 0;
    RecordIds ids = RecordIds::numbered();
    EdtText text;
};

// The undo and redo history of the records. A step keeps the state from before it; undo
// swaps that for the records of the moment, so redo returns exactly to them, including
// what changed after the step without being a step of its own. Either way the current
// record becomes the one the step started or ended at. The script is modified while the
// history stands anywhere but at the point last opened or saved.
class RecordHistory
{
public:
    static constexpr int MaxSteps = 1000;

    // A new step, named for the menu ("вырезать запись"); forgets what could be redone.
    void push(const QString &name, const RecordState &before, int afterCurRec, bool changesText = false);
    // An empty history whose one point is the saved one.
    void clear();
    // An empty history, standing at the saved point unless the script is modified.
    void restart(bool modified);
    // Some step undone or redone would change the dialogue text.
    bool changesText() const;
    // Every state to return to gets this text: a text read anew while no step changes it.
    void setText(const EdtText &text);
    void markSaved() { m_saved = m_current; }
    bool isModified() const { return m_current != m_saved; }

    bool canUndo() const { return !m_undo.isEmpty(); }
    bool canRedo() const { return !m_redo.isEmpty(); }
    QString undoName() const { return canUndo() ? m_undo.last().name : QString(); }
    QString redoName() const { return canRedo() ? m_redo.last().name : QString(); }
    int undoCount() const { return int(m_undo.size()); }

    // The state to return to; `now` is kept for the way back.
    RecordState undo(const RecordState &now);
    RecordState redo(const RecordState &now);

private:
    struct Step {
        QString name;
        RecordState state; // to return to
        int otherCurRec;   // the current record at the other end of the step
        bool changesText;
        quint64 point;     // which point of the history the state belongs to
    };
    static RecordState take(QList<Step> &from, QList<Step> &to, RecordState now, quint64 &current);
    QList<Step> m_undo;
    QList<Step> m_redo;
    quint64 m_current = 0;
    quint64 m_saved = 0;
    quint64 m_lastPoint = 0;
};
