// A list file of any shape renumbered: the entries the lookups find for the old number
// carry the new one with their names, every other entry and byte stays, and where the
// new number was free the way back gives the file again.
#include "FuzzCheck.h"
#include "editor/ListRenumbering.h"
#include "editor/ReferenceList.h"

#include <algorithm>

extern "C" int LLVMFuzzerTestOneInput(const char *data, size_t size)
{
    if (size < 2)
        return 0;
    // The first two bytes pick the numbers, so that both are often in the list.
    const qint64 from = static_cast<quint8>(data[0]) % 16;
    const qint64 to = static_cast<quint8>(data[1]) % 16;
    const QByteArray bytes(data + 2, qsizetype(size - 2));
    QList<ListLineChange> changes;
    const QByteArray after = renumberListEntries(bytes, from, to, &changes);

    ReferenceList before;
    before.appendText(bytes);
    ReferenceList renumbered;
    renumbered.appendText(after);
    FUZZ_CHECK(renumbered.count() == before.count());
    const QByteArray oldNumber = QByteArray::number(from);
    qsizetype changed = 0;
    for (int i = 0; i < before.count(); ++i) {
        const bool hit = before.entry(i).contains('=') && before.numberText(i) == oldNumber;
        if (!hit) {
            FUZZ_CHECK(renumbered.entry(i) == before.entry(i));
            continue;
        }
        FUZZ_CHECK(renumbered.numberText(i) == QByteArray::number(to) && renumbered.name(i) == before.name(i));
        FUZZ_CHECK(changes.at(changed).before == before.entry(i) && changes.at(changed).after == renumbered.entry(i));
        ++changed;
    }
    FUZZ_CHECK(changed == changes.size());
    FUZZ_CHECK(after.size() - bytes.size() ==
               changed * (QByteArray::number(to).size() - oldNumber.size()));
    if (from != to && lineOfListEntry(bytes, to) == 0)
        FUZZ_CHECK(renumberListEntries(after, to, from) == bytes);

    // Putting the entry in its place moves lines, never changes one.
    ReferenceList placed;
    placed.appendText(placeListEntry(after, to));
    QList<QByteArray> entriesBefore, entriesAfter;
    for (int i = 0; i < renumbered.count(); ++i)
        entriesBefore << renumbered.entry(i).toByteArray();
    for (int i = 0; i < placed.count(); ++i)
        entriesAfter << placed.entry(i).toByteArray();
    std::sort(entriesBefore.begin(), entriesBefore.end());
    std::sort(entriesAfter.begin(), entriesAfter.end());
    FUZZ_CHECK(entriesAfter == entriesBefore);
    return 0;
}
