#include "session/RecordHistory.h"

#include <algorithm>

void RecordHistory::push(const QString &name, const RecordState &before, int afterCurRec, bool changesText)
{
    m_redo.clear();
    if (m_undo.size() >= MaxSteps)
        m_undo.removeFirst();
    m_undo.append({name, before, afterCurRec, changesText, m_current});
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

bool RecordHistory::changesText() const
{
    auto any = [](const QList<Step> &steps) {
        return std::any_of(steps.begin(), steps.end(), [](const Step &step) { return step.changesText; });
    };
    return any(m_undo) || any(m_redo);
}

void RecordHistory::setText(const EdtText &text)
{
    for (QList<Step> *steps : {&m_undo, &m_redo}) {
        for (Step &step : *steps)
            step.state.text = text;
    }
}

RecordState RecordHistory::take(QList<Step> &from, QList<Step> &to, RecordState now, quint64 &current)
{
    Step step = from.takeLast();
    now.curRec = step.otherCurRec;
    to.append({step.name, std::move(now), step.state.curRec, step.changesText, current});
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
