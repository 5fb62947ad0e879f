#include "dialogue/EdtText.h"

#include <algorithm>

EdtText::const_iterator &EdtText::const_iterator::operator++()
{
    if (++m_offset == m_blocks->at(m_block).size()) {
        ++m_block;
        m_offset = 0;
    }
    return *this;
}

EdtText::const_iterator EdtText::const_iterator::operator++(int)
{
    const_iterator before = *this;
    ++*this;
    return before;
}

EdtText::EdtText(std::initializer_list<QByteArray> lines) : EdtText(QList<QByteArray>(lines)) {}

EdtText::EdtText(const QList<QByteArray> &lines)
{
    for (const QByteArray &line : lines)
        appendRead(line, QByteArray());
}

QList<QByteArray> EdtText::lines() const
{
    QList<QByteArray> list;
    list.reserve(size());
    for (const Block &block : m_blocks) {
        for (const Line &line : block)
            list.append(line.text);
    }
    return list;
}

std::pair<qsizetype, qsizetype> EdtText::locate(qsizetype k) const
{
    Q_ASSERT(k >= 0 && k < size());
    const qsizetype block = std::upper_bound(m_ends.begin(), m_ends.end(), k) - m_ends.begin();
    return {block, k - (m_ends.at(block) - m_blocks.at(block).size())};
}

const EdtText::Line &EdtText::line(qsizetype k) const
{
    const auto [block, offset] = locate(k);
    return m_blocks.at(block).at(offset);
}

EdtText::Line &EdtText::line(qsizetype k)
{
    const auto [block, offset] = locate(k);
    return m_blocks[block][offset];
}

void EdtText::shiftEnds(qsizetype fromBlock, qsizetype delta)
{
    for (qsizetype b = fromBlock; b < m_ends.size(); ++b)
        m_ends[b] += delta;
}

void EdtText::appendRead(QByteArray line, QByteArray record)
{
    insert(size(), {std::move(line), std::move(record)});
}

void EdtText::insert(qsizetype k, Line line)
{
    if (m_blocks.isEmpty() || (k == size() && m_blocks.last().size() >= BlockLines)) {
        m_blocks.append(Block{std::move(line)});
        m_ends.append(size() + 1);
        return;
    }
    const auto [block, offset] =
        k == size() ? std::pair(m_blocks.size() - 1, m_blocks.last().size()) : locate(k);
    Block &into = m_blocks[block];
    into.insert(offset, std::move(line));
    shiftEnds(block, +1);
    if (into.size() >= 2 * BlockLines) {
        // Halved, so that a copy that changes it stays small.
        Block second = into.sliced(BlockLines);
        into.resize(BlockLines);
        m_blocks.insert(block + 1, std::move(second));
        m_ends.insert(block, m_ends.at(block) - m_blocks.at(block + 1).size());
    }
}

void EdtText::setLine(qsizetype k, QByteArray text)
{
    if (at(k) == text)
        return;
    line(k) = {std::move(text), QByteArray()};
}

void EdtText::insertLine(qsizetype k, QByteArray text)
{
    Q_ASSERT(k >= 0 && k <= size());
    insert(k, {std::move(text), QByteArray()});
}

void EdtText::removeLine(qsizetype k)
{
    const auto [block, offset] = locate(k);
    m_blocks[block].removeAt(offset);
    shiftEnds(block, -1);
    if (m_blocks.at(block).isEmpty()) {
        m_blocks.removeAt(block);
        m_ends.removeAt(block);
    }
}

void EdtText::swapLines(qsizetype k)
{
    std::swap(line(k), line(k + 1));
}

void EdtText::clear()
{
    m_blocks.clear();
    m_ends.clear();
    m_tail.clear();
}

bool EdtText::operator==(const EdtText &other) const
{
    if (size() != other.size() || m_tail != other.m_tail)
        return false;
    // A copy kept for undo shares every block but those changed since: compare only those.
    if (std::equal(m_ends.begin(), m_ends.end(), other.m_ends.begin(), other.m_ends.end())) {
        for (qsizetype b = 0; b < m_blocks.size(); ++b) {
            if (m_blocks[b].constData() != other.m_blocks[b].constData() && m_blocks[b] != other.m_blocks[b])
                return false;
        }
        return true;
    }
    // Equal texts may be cut into blocks differently.
    auto mine = begin();
    for (auto theirs = other.begin(); theirs != other.end(); ++mine, ++theirs) {
        if (*mine != *theirs || mine.readRecord() != theirs.readRecord())
            return false;
    }
    return true;
}
