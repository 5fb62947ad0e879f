#include "session/GridCaptions.h"

#include "common/Windows1251.h"
#include "document/NpcName.h"

QString GridCaptions::actionName(const QByteArray &numberText) const
{
    const int index = m_lists.Action.indexOfText(numberText);
    return index < 0 ? QString() : fromWindows1251(m_lists.Action.name(index));
}

void GridCaptions::showAction(int row, const NpcRecord &record)
{
    m_texts.action.at(row) = record.isEmpty() ? QString() : actionName(QByteArray::number(record.Action));
}

void GridCaptions::showLink(int row, const NpcRecord &record, quint8 ownNpcNumber)
{
    m_texts.link.at(row) = record.isEmpty() ? QString() : linkText(record, ownNpcNumber);
}

void GridCaptions::fill(const NpcRecords &records, quint8 ownNpcNumber)
{
    for (int row = 0; row < RecordCount; ++row) {
        showAction(row, records.at(row));
        showLink(row, records.at(row), ownNpcNumber);
    }
}

bool GridCaptions::takeNews()
{
    if (m_texts == m_shown)
        return false;
    m_shown = m_texts;
    return true;
}
