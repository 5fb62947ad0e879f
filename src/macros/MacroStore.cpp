#include "macros/MacroStore.h"

#include "macros/MacroEntry.h"

QByteArray MacroStore::name(int position) const
{
    return MacroEntry::name(m_entries.at(position));
}

void MacroStore::rename(int position, const QByteArray &name)
{
    m_entries[position] = MacroEntry::renamed(m_entries.at(position), name);
}
