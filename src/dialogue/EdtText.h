#pragma once

#include <QByteArray>
#include <QList>

#include <initializer_list>

// The dialogue text: its lines, one per phrase, as single-byte text, and what it takes to
// write every line read from a file and not changed since back as the very bytes it was
// read from. Copies share their data until one of them changes, so that a copy for each
// undo step costs next to nothing.
class EdtText
{
public:
    EdtText() = default;
    EdtText(std::initializer_list<QByteArray> lines);
    explicit EdtText(QList<QByteArray> lines);

    const QList<QByteArray> &lines() const { return m_lines; }
    qsizetype size() const { return m_lines.size(); }
    bool isEmpty() const { return m_lines.isEmpty(); }
    const QByteArray &at(qsizetype k) const { return m_lines.at(k); }
    const QByteArray &operator[](qsizetype k) const { return m_lines.at(k); }
    const QByteArray &front() const { return m_lines.front(); }
    QList<QByteArray>::const_iterator begin() const { return m_lines.cbegin(); }
    QList<QByteArray>::const_iterator end() const { return m_lines.cend(); }

    // The bytes that line k was read from where encoding the line would not give them
    // back (units after its end, a blank written as 0x0021, ...); empty otherwise.
    const QByteArray &readRecord(qsizetype k) const { return m_readRecords.at(k); }
    // What followed the last whole record of the file read, written back after the last.
    const QByteArray &tail() const { return m_tail; }

    // A line as read: `record` is kept only when encoding the line would not give it.
    void appendRead(QByteArray line, QByteArray record);
    void setTail(QByteArray tail) { m_tail = std::move(tail); }
    void reserve(qsizetype lines);

    // A changed line is encoded anew when written; the same text keeps what was read.
    void setLine(qsizetype k, QByteArray line);
    void insertLine(qsizetype k, QByteArray line);
    void removeLine(qsizetype k);
    // Lines k and k + 1 change places, each with the bytes it would be written as.
    void swapLines(qsizetype k);
    void clear();

    // The same lines, written as the same bytes.
    bool operator==(const EdtText &) const = default;

private:
    QList<QByteArray> m_lines;
    QList<QByteArray> m_readRecords; // beside m_lines, one for each line
    QByteArray m_tail;
};
