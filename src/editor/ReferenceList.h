#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QHash>
#include <QList>
#include <QString>

#include <optional>
#include <vector>

// A numbered name list: entries "number=name" kept byte for byte, in file order.
class ReferenceList
{
public:
    // Room for a million entries of a few words each.
    static constexpr qint64 MaxFileSize = 32 * 1024 * 1024;
    // Each line takes room of its own: a file of nothing but line ends is refused too.
    static constexpr qsizetype MaxEntries = 2000000;

    // Appends the kept lines of a list file; false, with the reason in errorString(), when
    // it cannot be read or is larger than MaxFileSize or MaxEntries lines.
    bool readFile(const QString &path);
    QString errorString() const { return m_error; }
    void appendText(const QByteArray &bytes);
    // The bytes of each file read, in reading order.
    const QList<QByteArray> &texts() const { return m_texts; }

    int count() const { return int(m_entries.size()); }
    bool isEmpty() const { return m_entries.empty(); }
    // A view into the list's own bytes, valid while the list lives.
    QByteArrayView entry(int index) const { return m_entries.at(size_t(index)); }

    // Text before the first "="; empty for a line without one.
    QByteArray numberText(int index) const;
    // Text after the first "="; empty for a line without one.
    QByteArray name(int index) const;

    // First entry whose number is written exactly as the text; -1 when none.
    int indexOfText(const QByteArray &numberText) const;
    int indexOf(qint64 number) const;
    QByteArray nameOf(qint64 number) const;

    // "7. name", or "7. ?" for an empty name; a line without "=" as it stands. At most
    // maxSize bytes of it when maxSize is not negative.
    QByteArray comboText(int index, qsizetype maxSize = -1) const;

    // Entries whose name holds the text in any letter case, in list order; every entry
    // for an empty text. A text with a letter Windows-1251 lacks is in no name.
    QList<int> indexesWithName(const QString &text) const;

    // Number of the last entry as a 16-bit value; the fallback when there is no
    // entry or its number does not read as an integer.
    quint16 MaxNumber(quint16 fallback) const;
    // Number of the last entry as written; nothing when there is no entry or its
    // number is not a plain decimal integer that fits 64 bits.
    std::optional<qint64> lastNumber() const;

private:
    QString m_error;
    QList<QByteArray> m_texts;       // the files' bytes, which the entries point into
    std::vector<QByteArrayView> m_entries; // views into m_texts: no copy per line
    // Number -> 1 + first entry carrying it: by value for numbers written as
    // QByteArray::number writes them (nearly every line), by text for the rest. The
    // numbers a field can hold index an array; only others need hashing.
    static constexpr qint64 DenseNumbers = 65536;
    int &firstSlot(qint64 number);
    std::vector<int> m_firstByDenseNumber;
    QHash<qint64, int> m_firstByNumber;
    QHash<QByteArray, int> m_firstByText;
};

// A plain decimal integer: an optional sign and digits, nothing else.
std::optional<qint64> readDecimal(QByteArrayView text);
