#include "editor/ListRenumbering.h"

#include "editor/ReferenceList.h"

#include <algorithm>

namespace
{

// Calls found(line, size) for each entry numbered n, until it returns false.
template <typename Found> void forEachEntryNumbered(const QByteArray &bytes, qint64 n, Found &&found)
{
    const QByteArray number = QByteArray::number(n);
    bool more = true;
    forEachListEntry(bytes.constData(), bytes.size(), [&](const char *line, qsizetype size) {
        if (more && size > number.size() && line[number.size()] == '=' &&
            QByteArrayView(line, number.size()) == number)
            more = found(line, size);
    });
}

int lineNumber(const QByteArray &bytes, const char *at)
{
    return int(std::count(bytes.constData(), at, '\n')) + 1;
}

} // namespace

QByteArray renumberListEntries(const QByteArray &bytes, qint64 from, qint64 to,
                               QList<ListLineChange> *changes)
{
    const QByteArray oldNumber = QByteArray::number(from);
    const QByteArray newNumber = QByteArray::number(to);
    QByteArray result;
    const char *copied = bytes.constData();
    const char *counted = copied;
    int line = 1;
    forEachEntryNumbered(bytes, from, [&](const char *entry, qsizetype size) {
        if (result.isEmpty())
            result.reserve(bytes.size() + 64);
        result.append(copied, entry - copied).append(newNumber);
        copied = entry + oldNumber.size();
        if (changes) {
            line += int(std::count(counted, entry, '\n'));
            counted = entry;
            const QByteArray before(entry, size);
            changes->append({line, before, newNumber + before.mid(oldNumber.size())});
        }
        return true;
    });
    if (copied == bytes.constData())
        return bytes;
    result.append(copied, bytes.constData() + bytes.size() - copied);
    return result;
}

int lineOfListEntry(const QByteArray &bytes, qint64 n)
{
    int line = 0;
    forEachEntryNumbered(bytes, n, [&](const char *entry, qsizetype) {
        line = lineNumber(bytes, entry);
        return false;
    });
    return line;
}
