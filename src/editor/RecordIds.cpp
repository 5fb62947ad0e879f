#include "editor/RecordIds.h"

#include <algorithm>
#include <numeric>

RecordIds RecordIds::numbered()
{
    RecordIds ids;
    std::iota(ids.m_ids.begin(), ids.m_ids.end(), 0);
    return ids;
}

std::optional<int> RecordIds::slotOf(int id) const
{
    const auto found = std::find(m_ids.begin(), m_ids.end(), id);
    return found == m_ids.end() ? std::nullopt : std::optional(int(found - m_ids.begin()));
}

void RecordIds::remove(int slot, int &nextId)
{
    std::shift_left(m_ids.begin() + slot, m_ids.end(), 1);
    m_ids.back() = nextId++;
}

void RecordIds::insert(int slot, int &nextId)
{
    std::shift_right(m_ids.begin() + slot, m_ids.end(), 1);
    m_ids.at(slot) = nextId++;
}

void RecordIds::swap(int a, int b)
{
    std::swap(m_ids.at(a), m_ids.at(b));
}
