#include "editor/RecordList.h"

#include <utility>

bool linksIntoScript(const NpcRecord &record, quint8 ownNpcNumber)
{
    // In script 0 an empty record reads as "control to NPC 0, record 0"; rewriting it
    // would turn unused slots into records.
    return record.ControlNpc == ownNpcNumber && record.ControlRec != NoneByte && !record.isEmpty();
}

RecordList::RecordList(NpcRecords &records, RecordGridTexts &grid, int curRec, quint8 ownNpcNumber)
    : m_records(records), m_grid(grid), m_curRec(curRec), m_own(ownNpcNumber)
{
    Q_ASSERT(curRec >= 0 && curRec < RecordCount);
}

QString RecordList::CheckLinkDel() const
{
    QString text;
    for (int i = 0; i < RecordCount; ++i) {
        const NpcRecord &record = m_records[i];
        if (!linksIntoScript(record, m_own) || record.ControlRec != m_curRec)
            continue;
        if (!text.isEmpty())
            text += QStringLiteral(", ");
        text += QString::number(i);
    }
    return text;
}

void RecordList::setLinkText(int row)
{
    // A link shifted onto 255 is no link any more; show it as the grid shows "none".
    const quint8 value = m_records[row].ControlRec;
    m_grid.link[row] = value == NoneByte ? QString() : QString::number(value);
}

void RecordList::ChangeLink2Rec(int delta)
{
    for (int i = 0; i < RecordCount; ++i) {
        NpcRecord &record = m_records[i];
        if (!linksIntoScript(record, m_own))
            continue;
        const int v = record.ControlRec;
        if (v < m_curRec || (v == 0 && delta < 0) || (v == RecordCount - 1 && delta > 0))
            continue;
        record.ControlRec = static_cast<quint8>(v + delta);
        setLinkText(i);
    }
}

void RecordList::ChangeLinksPlace(int delta)
{
    const int neighbour = m_curRec + delta;
    for (int i = 0; i < RecordCount; ++i) {
        NpcRecord &record = m_records[i];
        if (!linksIntoScript(record, m_own))
            continue;
        if (record.ControlRec == m_curRec)
            record.ControlRec = static_cast<quint8>(neighbour);
        else if (record.ControlRec == neighbour)
            record.ControlRec = static_cast<quint8>(m_curRec);
        setLinkText(i);
    }
}

void RecordList::removeRecord()
{
    ChangeLink2Rec(-1);
    constexpr int last = RecordCount - 1;
    for (int i = m_curRec; i < last; ++i) {
        m_records[i] = m_records[i + 1];
        m_grid.action[i] = m_grid.action[i + 1];
        m_grid.link[i] = m_grid.link[i + 1];
    }
    m_grid.action[last].clear();
    m_grid.link[last].clear();
    m_records[last] = NpcRecord{};
}

void RecordList::insertRecord(const NpcRecord &record)
{
    ChangeLink2Rec(+1);
    for (int i = RecordCount - 2; i >= m_curRec; --i) {
        m_records[i + 1] = m_records[i];
        m_grid.action[i + 1] = m_grid.action[i];
        m_grid.link[i + 1] = m_grid.link[i];
    }
    m_records[m_curRec] = record;
}

bool RecordList::moveRecord(int delta)
{
    Q_ASSERT(delta == -1 || delta == 1);
    const int neighbour = m_curRec + delta;
    if (neighbour < 0 || neighbour >= RecordCount)
        return false;
    ChangeLinksPlace(delta);
    std::swap(m_records[m_curRec], m_records[neighbour]);
    std::swap(m_grid.action[m_curRec], m_grid.action[neighbour]);
    std::swap(m_grid.link[m_curRec], m_grid.link[neighbour]);
    m_curRec = neighbour;
    return true;
}
