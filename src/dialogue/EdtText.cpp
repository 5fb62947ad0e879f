#include "dialogue/EdtText.h"

EdtText::EdtText(std::initializer_list<QByteArray> lines) : EdtText(QList<QByteArray>(lines))
{
}

EdtText::EdtText(QList<QByteArray> lines) : m_lines(std::move(lines)), m_readRecords(m_lines.size())
{
}

void EdtText::appendRead(QByteArray line, QByteArray record)
{
    m_lines.append(std::move(line));
    m_readRecords.append(std::move(record));
}

void EdtText::reserve(qsizetype lines)
{
    m_lines.reserve(lines);
    m_readRecords.reserve(lines);
}

void EdtText::setLine(qsizetype k, QByteArray line)
{
    if (m_lines.at(k) == line)
        return;
    m_lines[k] = std::move(line);
    m_readRecords[k] = QByteArray();
}

void EdtText::insertLine(qsizetype k, QByteArray line)
{
    m_lines.insert(k, std::move(line));
    m_readRecords.insert(k, QByteArray());
}

void EdtText::removeLine(qsizetype k)
{
    m_lines.removeAt(k);
    m_readRecords.removeAt(k);
}

void EdtText::swapLines(qsizetype k)
{
    m_lines.swapItemsAt(k, k + 1);
    m_readRecords.swapItemsAt(k, k + 1);
}

void EdtText::clear()
{
    m_lines.clear();
    m_readRecords.clear();
    m_tail.clear();
}
