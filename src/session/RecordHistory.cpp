#include "session/RecordHistory.h"

void RecordHistory::push(const QString &name, const RecordState &before, int afterCurRec)
{
    m_redo.clear();
    if (m_undo.size() >= MaxSteps)
        m_undo.removeFirst();
    m_undo.append({name, before, afterCurRec, m_current});
    m_current = ++m_lastPoint;
}

void RecordHistory::clear()
{
    m_undo.clear();
    m_redo.clear();
    m_current = m_saved = ++m_lastPoint;
}

void RecordHistory::restart(bool modified)
{
    m_undo.clear();
    m_redo.clear();
    m_current = ++m_lastPoint;
    m_saved = modified ? ++m_lastPoint : m_current;
}

RecordState RecordHistory::take(QList<Step> &from, QList<Step> &to, RecordState now, quint64 &current)
{
    Step step = from.takeLast();
    now.curRec = step.otherCurRec;
    to.append({step.name, std::move(now), step.state.curRec, current});
    current = step.point;
    return std::move(step.state);
}

RecordState RecordHistory::undo(const RecordState &now)
{
    return take(m_undo, m_redo, now, m_current);
}

RecordState RecordHistory::redo(const RecordState &now)
{
    return take(m_redo, m_undo, now, m_current);
}
