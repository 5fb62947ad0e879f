#include "session/RecordHistory.h"

void RecordHistory::push(const QString &name, const RecordState &before)
{
    m_redo.clear();
    if (m_undo.size() >= MaxSteps)
        m_undo.removeFirst();
    m_undo.append({name, before, m_current});
    m_current = ++m_lastPoint;
}

void RecordHistory::clear()
{
    m_undo.clear();
    m_redo.clear();
    m_current = m_saved = ++m_lastPoint;
}

RecordState RecordHistory::undo(const RecordState &now)
{
    Step step = m_undo.takeLast();
    m_redo.append({step.name, now, m_current});
    m_current = step.point;
    return std::move(step.state);
}

RecordState RecordHistory::redo(const RecordState &now)
{
    Step step = m_redo.takeLast();
    m_undo.append({step.name, now, m_current});
    m_current = step.point;
    return std::move(step.state);
}
