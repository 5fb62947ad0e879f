#include "editor/ReferenceList.h"

#include "common/RegularFile.h"
#include "common/Windows1251.h"
#include "editor/ListLines.h"

#include <QByteArrayMatcher>

#include <algorithm>
#include <cstring>
#include <limits>
#include <numeric>

std::optional<qint64> readDecimal(QByteArrayView text)
{
    // Nearly every number of a list: a few digits, which cannot overflow.
    if (!text.isEmpty() && text.size() <= 18) {
        qint64 number = 0;
        qsizetype digits = 0;
        for (; digits < text.size() && text[digits] >= '0' && text[digits] <= '9'; ++digits)
            number = number * 10 + (text[digits] - '0');
        if (digits == text.size())
            return number;
    }
    qsizetype i = 0;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    if (i == text.size())
        return std::nullopt;
    quint64 magnitude = 0;
    constexpr quint64 limit = quint64(std::numeric_limits<qint64>::max()) + 1;
    for (; i < text.size(); ++i) {
        const char c = text[i];
        if (c < '0' || c > '9')
            return std::nullopt;
        const quint64 digit = quint64(c - '0');
        if (magnitude > (limit - digit) / 10)
            return std::nullopt;
        magnitude = magnitude * 10 + digit;
    }
    if (!negative && magnitude == limit)
        return std::nullopt;
    return negative ? qint64(0 - magnitude) : qint64(magnitude);
}

namespace
{

// The number when the text is how QByteArray::number writes it: no sign but "-", no
// leading zero, no "-0". Told through a flag and a reference, not an optional: reading a
// list of a million lines stalled on the optional's bytes coming back through memory.
bool readPlainNumber(QByteArrayView text, qint64 &number)
{
    // Nearly every line: a few digits, the first not 0, which cannot overflow.
    if (text.size() <= 18 && text.front() >= '1' && text.front() <= '9') {
        number = 0;
        for (const char c : text) {
            if (c < '0' || c > '9')
                return false;
            number = number * 10 + (c - '0');
        }
        return true;
    }
    const std::optional<qint64> read = readDecimal(text);
    if (!read || text.front() == '+')
        return false;
    const qsizetype digits = text.front() == '-' ? 1 : 0;
    if (text[digits] == '0' && (text.size() - digits > 1 || digits == 1))
        return false;
    number = *read;
    return true;
}

} // namespace

bool ReferenceList::readFile(const QString &path)
{
    QByteArray bytes;
    if (!RegularFile::readAll(path, MaxFileSize, bytes, m_error) ||
        !RegularFile::withinLines(bytes, MaxEntries, m_error))
        return false;
    m_error.clear();
    appendText(bytes);
    return true;
}

void ReferenceList::appendText(const QByteArray &bytes)
{
    m_texts.append(bytes); // shared, not copied; never changed, so the views stay valid
    const QByteArray &kept = m_texts.constLast();
    // Room for every line at once: growing a list of a million entries step by step
    // would copy it over and over. Numbers mostly run with the lines.
    m_entries.reserve(m_entries.size() + size_t(1 + RegularFile::countOf(kept, '\n')));
    // Sized at once, not number by number.
    const auto dense = std::min<size_t>(DenseNumbers, m_entries.capacity() + 1);
    if (m_firstByDenseNumber.size() < dense)
        m_firstByDenseNumber.resize(dense, 0);
    const auto keep = [this](const char *line, qsizetype size, qsizetype, qsizetype eq) {
        if (eq >= 0) {
            // A slot still 0 is new, and takes this entry's place.
            const QByteArrayView numberText(line, eq);
            qint64 number = 0;
            int &slot = !numberText.isEmpty() && readPlainNumber(numberText, number)
                            ? firstSlot(number)
                            : m_firstByText[QByteArray::fromRawData(line, numberText.size())];
            if (slot == 0)
                slot = int(m_entries.size()) + 1;
        }
        m_entries.emplace_back(line, size);
    };
    forEachListEntry(kept.constData(), kept.size(), keep);
}

QByteArray ReferenceList::numberText(int index) const
{
    const QByteArrayView e = m_entries.at(size_t(index));
    const qsizetype eq = e.indexOf('=');
    return eq < 0 ? QByteArray() : e.first(eq).toByteArray();
}

QByteArray ReferenceList::name(int index) const
{
    const QByteArrayView e = m_entries.at(size_t(index));
    const qsizetype eq = e.indexOf('=');
    return eq < 0 ? QByteArray() : e.sliced(eq + 1).toByteArray();
}

int ReferenceList::indexOfText(const QByteArray &numberText) const
{
    if (numberText.isEmpty())
        return -1;
    if (qint64 number = 0; readPlainNumber(numberText, number))
        return indexOf(number);
    return m_firstByText.value(numberText, 0) - 1;
}

int &ReferenceList::firstSlot(qint64 number)
{
    if (number < 0 || number >= DenseNumbers)
        return m_firstByNumber[number];
    if (size_t(number) >= m_firstByDenseNumber.size())
        m_firstByDenseNumber.resize(size_t(number) + 1, 0);
    return m_firstByDenseNumber[size_t(number)];
}

int ReferenceList::indexOf(qint64 number) const
{
    if (number < 0 || number >= DenseNumbers)
        return m_firstByNumber.value(number, 0) - 1;
    return size_t(number) < m_firstByDenseNumber.size() ? m_firstByDenseNumber[size_t(number)] - 1 : -1;
}

QByteArray ReferenceList::nameOf(qint64 number) const
{
    const int index = indexOf(number);
    return index < 0 ? QByteArray() : name(index);
}

QByteArray ReferenceList::comboText(int index, qsizetype maxSize) const
{
    const QByteArrayView e = m_entries.at(size_t(index));
    // Each part is cut before it is copied: a name may be megabytes long.
    const qsizetype limit = maxSize < 0 ? e.size() + 3 : maxSize;
    const auto cut = [limit](QByteArrayView part) { return part.first(qMin(part.size(), limit)); };
    const qsizetype eq = e.indexOf('=');
    QByteArray text;
    if (eq < 0) {
        text = cut(e).toByteArray();
    } else {
        const QByteArrayView name = e.sliced(eq + 1);
        text.append(cut(e.first(eq))).append(". ").append(cut(name.isEmpty() ? QByteArrayView("?") : name));
    }
    text.truncate(limit);
    return text;
}

QList<int> ReferenceList::indexesWithName(const QString &text) const
{
    QList<int> found;
    if (text.isEmpty()) {
        found.resize(count());
        std::iota(found.begin(), found.end(), 0);
        return found;
    }
    const QByteArray wanted = toWindows1251(text);
    if (fromWindows1251(wanted) != text)
        return found;
    const QByteArrayMatcher matcher(foldCase1251(wanted));
    QByteArray folded; // one buffer for every name
    for (int i = 0; i < count(); ++i) {
        const QByteArrayView e = m_entries.at(size_t(i));
        const qsizetype eq = e.indexOf('=');
        if (eq < 0)
            continue;
        foldCase1251(e.sliced(eq + 1), folded);
        if (matcher.indexIn(folded) >= 0)
            found.append(i);
    }
    return found;
}

std::optional<qint64> ReferenceList::lastNumber() const
{
    if (m_entries.empty())
        return std::nullopt;
    return readDecimal(numberText(count() - 1));
}

quint16 ReferenceList::MaxNumber(quint16 fallback) const
{
    const std::optional<qint64> number = lastNumber();
    return number ? static_cast<quint16>(static_cast<quint64>(*number) & 0xFFFFu) : fallback;
}
