// The macro file from any bytes: written back it reads as the same entries, and applying
// an entry either changes no field or sets exactly what a macro formed from the result holds.
#include "FuzzCheck.h"
#include "macros/MacroEntry.h"
#include "macros/MacroFile.h"

#include <QBuffer>

namespace
{

NpcRecord patterned()
{
    NpcRecord record;
    for (int i = 0; i < NpcFieldCount; ++i)
        record.setValue(static_cast<NpcField>(i), quint32(0x9E37u * (i + 1)));
    return record;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const char *data, size_t size)
{
    QByteArray bytes(data, qsizetype(size));
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    MacroReader reader;
    FUZZ_CHECK(reader.read(&buffer));
    const QList<QByteArray> &entries = reader.entries();
    FUZZ_CHECK(entries == MacroFile::parse(bytes));
    const QByteArray written = MacroFile::encode(entries);
    FUZZ_CHECK(MacroFile::parse(written) == entries);
    QByteArray out;
    QBuffer target(&out);
    target.open(QIODevice::WriteOnly);
    MacroWriter writer;
    FUZZ_CHECK(writer.write(entries, &target) && out == written);

    const NpcRecord before = patterned();
    for (qsizetype i = 0; i < std::min<qsizetype>(entries.size(), 64); ++i) {
        const QByteArray &entry = entries[i];
        NpcRecord record = before;
        QByteArray bad = ",unset"; // no value text holds a comma
        if (!MacroEntry::apply(entry, record, &bad)) {
            FUZZ_CHECK(record == before);
            FUZZ_CHECK(bad != ",unset" && !bad.contains(','));
            continue;
        }
        FUZZ_CHECK(record.Spare28 == before.Spare28 && record.Spare30 == before.Spare30);
        const QByteArray name = MacroEntry::name(entry);
        const QByteArray formed = MacroEntry::form(name, record);
        FUZZ_CHECK(MacroEntry::name(formed) == name);
        NpcRecord again = before;
        FUZZ_CHECK(MacroEntry::apply(formed, again) && again == record);
        const QByteArray other = MacroEntry::renamed(entry, "x");
        FUZZ_CHECK(MacroEntry::valueList(other) == MacroEntry::valueList(entry));
    }
    return 0;
}
