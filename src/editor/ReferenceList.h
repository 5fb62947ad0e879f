#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

// A numbered name list: entries "number=name" kept byte for byte, in file order.
class ReferenceList
{
public:
    // Appends the kept lines of a list file; false when it cannot be opened.
    bool readFile(const QString &path);
    void appendText(const QByteArray &bytes);

    int count() const { return m_entries.size(); }
    bool isEmpty() const { return m_entries.isEmpty(); }
    const QByteArray &entry(int index) const { return m_entries.at(index); }
    const QList<QByteArray> &entries() const { return m_entries; }

    QByteArray numberText(int index) const; // text before the first "="
    QByteArray name(int index) const;       // text after the first "="

    // First entry whose number is written exactly as the text; -1 when none.
    int indexOfText(const QByteArray &numberText) const;
    int indexOf(qint64 number) const { return indexOfText(QByteArray::number(number)); }
    QByteArray nameOf(qint64 number) const;

    // "7. name", or "7. ?" for an empty name; still bytes.
    QByteArray comboText(int index) const;

    // Number of the last entry as a 16-bit value; the fallback when there is no
    // entry or its number does not read as an integer.
    quint16 MaxNumber(quint16 fallback) const;

private:
    QList<QByteArray> m_entries;
};
