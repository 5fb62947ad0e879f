#pragma once

#include <QByteArray>
#include <QList>

// The macros in their order, each entry kept as the bytes of its line. Entries are
// addressed by position only; names need not be unique.
class MacroStore
{
public:
    int count() const { return int(m_entries.size()); }
    bool isEmpty() const { return m_entries.isEmpty(); }
    const QByteArray &entry(int position) const { return m_entries.at(position); }
    const QList<QByteArray> &entries() const { return m_entries; }
    QByteArray name(int position) const;

    void setEntries(QList<QByteArray> entries) { m_entries = std::move(entries); }
    void append(const QByteArray &entry) { m_entries.append(entry); }
    void removeAt(int position) { m_entries.removeAt(position); }
    void removeLast() { m_entries.removeLast(); }
    // Keeps the entry's values and position.
    void rename(int position, const QByteArray &name);
    void exchange(int first, int second) { m_entries.swapItemsAt(first, second); }
    void clear() { m_entries.clear(); }

private:
    QList<QByteArray> m_entries;
};
