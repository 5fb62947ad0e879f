#include "macros/MacroEntry.h"

#include <limits>

namespace MacroEntry
{

QByteArray name(const QByteArray &entry)
{
    const qsizetype eq = entry.indexOf('=');
    return eq < 0 ? QByteArray() : entry.left(eq);
}

QByteArray valueList(const QByteArray &entry)
{
    const qsizetype eq = entry.indexOf('=');
    return eq < 0 ? entry : entry.mid(eq + 1);
}

QByteArray renamed(const QByteArray &entry, const QByteArray &newName)
{
    return newName + '=' + valueList(entry);
}

QByteArray form(const QByteArray &name, const NpcRecord &record)
{
    QByteArray entry = name;
    entry.reserve(name.size() + 1 + NpcFieldCount * 6);
    entry += '=';
    for (int i = 0; i < NpcFieldCount; ++i) {
        if (i > 0)
            entry += ',';
        entry += QByteArray::number(record.value(static_cast<NpcField>(i)));
    }
    return entry;
}

namespace
{

// Optional sign and decimal digits within 32 bits; nothing else, not even blanks.
std::optional<qint32> toInt32(QByteArrayView text)
{
    qsizetype i = 0;
    bool negative = false;
    if (i < text.size() && (text[i] == '-' || text[i] == '+')) {
        negative = text[i] == '-';
        ++i;
    }
    if (i == text.size())
        return std::nullopt;
    const qint64 limit =
        negative ? -qint64(std::numeric_limits<qint32>::min()) : std::numeric_limits<qint32>::max();
    qint64 value = 0;
    for (; i < text.size(); ++i) {
        const char c = text[i];
        if (c < '0' || c > '9')
            return std::nullopt;
        value = value * 10 + (c - '0');
        if (value > limit)
            return std::nullopt;
    }
    return static_cast<qint32>(negative ? -value : value);
}

} // namespace

std::optional<qint32> ReadMacrosStr(QByteArrayView &buffer, QByteArrayView *valueText)
{
    const qsizetype comma = buffer.indexOf(',');
    QByteArrayView text;
    if (comma >= 0) {
        text = buffer.first(comma);
        buffer = buffer.sliced(comma + 1);
    }
    if (valueText)
        *valueText = text;
    return toInt32(text);
}

AppliedValues readAppliedValues(const QByteArray &valueList)
{
    AppliedValues result;
    QByteArrayView buffer(valueList);
    for (qint32 &value : result.values) {
        QByteArrayView text;
        const std::optional<qint32> v = ReadMacrosStr(buffer, &text);
        if (!v) {
            result.badValue = text.toByteArray();
            return result;
        }
        value = *v;
    }
    result.ok = true;
    return result;
}

bool apply(const QByteArray &entry, NpcRecord &record, QByteArray *badValue)
{
    const AppliedValues read = readAppliedValues(valueList(entry));
    if (!read.ok) {
        if (badValue)
            *badValue = read.badValue;
        return false;
    }
    for (int i = 0; i < AppliedValueCount; ++i)
        record.setValue(static_cast<NpcField>(i), static_cast<quint32>(read.values[i]));
    return true;
}

QString conversionErrorText(const QString &valueText)
{
    return QStringLiteral("'%1' is not a valid integer value").arg(valueText);
}

} // namespace MacroEntry
