#pragma once

#include "document/NpcRecord.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <array>
#include <optional>

// One macro as the file keeps it: a name, "=", and the 22 fields of a record as unsigned
// decimals joined by ",". Names are bytes and never parsed.
namespace MacroEntry
{

// Applying sets Mode through React; the two last spare fields keep their values.
constexpr int AppliedValueCount = 20;

// The text before the first "=", empty when there is none.
QByteArray name(const QByteArray &entry);
// The text after the first "="; the whole entry when there is none.
QByteArray valueList(const QByteArray &entry);
// The same values under another name.
QByteArray renamed(const QByteArray &entry, const QByteArray &newName);

// The entry that saves a record under a name.
QByteArray form(const QByteArray &name, const NpcRecord &record);

// Takes the value at the front of the buffer: the text before its first ",", which is
// then removed with that ",". Without a "," the value text is empty, as a list that
// runs out of values reads. Nothing is returned when the text is not a decimal integer;
// the text itself lands in valueText either way.
std::optional<qint32> ReadMacrosStr(QByteArrayView &buffer, QByteArrayView *valueText = nullptr);

struct AppliedValues {
    std::array<qint32, AppliedValueCount> values{};
    bool ok = false;
    QByteArray badValue; // text of the first value that is not an integer
};

// Reads all values that applying needs, so that a bad one is found before any field changes.
AppliedValues readAppliedValues(const QByteArray &valueList);

// Pours the values into the record, keeping the low 8 or 16 bits by field width. A
// malformed list leaves the record untouched and names its first bad value.
bool apply(const QByteArray &entry, NpcRecord &record, QByteArray *badValue = nullptr);

// The conversion message for a value that is not an integer.
QString conversionErrorText(const QString &valueText);

} // namespace MacroEntry
