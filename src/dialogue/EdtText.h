#pragma once

#include <QByteArray>
#include <QList>

#include <initializer_list>
#include <iterator>

// The dialogue text: its lines, one per phrase, as single-byte text, and what it takes to
// write every line read from a file and not changed since back as the very bytes it was
// read from. The lines are kept in shared blocks of a few hundred: a copy costs next to
// nothing, and a copy that then changes one line copies one block, so that the undo
// history can keep a copy of a text of 100,000 lines for every step.
class EdtText
{
    struct Line {
        QByteArray text;
        QByteArray read; // the record read, where encoding the text would not give it

        bool operator==(const Line &) const = default;
    };
    using Block = QList<Line>;

public:
    class const_iterator
    {
    public:
        using iterator_category = std::forward_iterator_tag;
        using value_type = QByteArray;
        using difference_type = qsizetype;
        using pointer = const QByteArray *;
        using reference = const QByteArray &;

        const_iterator() = default;
        reference operator*() const { return line().text; }
        pointer operator->() const { return &line().text; }
        // The bytes it was read from, when encoding it would not give them back.
        const QByteArray &readRecord() const { return line().read; }
        const_iterator &operator++();
        const_iterator operator++(int);
        bool operator==(const const_iterator &other) const
        {
            return m_block == other.m_block && m_offset == other.m_offset;
        }

    private:
        friend class EdtText;
        const_iterator(const QList<Block> *blocks, qsizetype block) : m_blocks(blocks), m_block(block) {}
        const Line &line() const { return m_blocks->at(m_block).at(m_offset); }

        const QList<Block> *m_blocks = nullptr;
        qsizetype m_block = 0;
        qsizetype m_offset = 0;
    };

    EdtText() = default;
    EdtText(std::initializer_list<QByteArray> lines);
    explicit EdtText(const QList<QByteArray> &lines);

    qsizetype size() const { return m_ends.isEmpty() ? 0 : m_ends.last(); }
    bool isEmpty() const { return size() == 0; }
    const QByteArray &at(qsizetype k) const { return line(k).text; }
    // Line k, or null past the last line.
    const QByteArray *find(qsizetype k) const { return k >= 0 && k < size() ? &at(k) : nullptr; }
    const QByteArray &operator[](qsizetype k) const { return at(k); }
    const QByteArray &front() const { return at(0); }
    const_iterator begin() const { return const_iterator(&m_blocks, 0); }
    const_iterator end() const { return const_iterator(&m_blocks, m_blocks.size()); }
    // A list of the lines, for code that takes plain lines; it costs a step per line.
    QList<QByteArray> lines() const;

    // The bytes that line k was read from where encoding the line would not give them
    // back (units after its end, a blank written as 0x0021, ...); empty otherwise.
    const QByteArray &readRecord(qsizetype k) const { return line(k).read; }
    // What followed the last whole record of the file read, written back after the last.
    const QByteArray &tail() const { return m_tail; }

    // A line as read: `record` is kept only when encoding the line would not give it.
    void appendRead(QByteArray line, QByteArray record);
    void setTail(QByteArray tail) { m_tail = std::move(tail); }

    // A changed line is encoded anew when written; the same text keeps what was read.
    void setLine(qsizetype k, QByteArray line);
    void insertLine(qsizetype k, QByteArray line);
    void removeLine(qsizetype k);
    // Lines k and k + 1 change places, each with the bytes it would be written as.
    void swapLines(qsizetype k);
    void clear();

    // The same lines, written as the same bytes.
    bool operator==(const EdtText &other) const;

private:
    static constexpr qsizetype BlockLines = 256;

    // The block holding line k, and the line's place in it.
    std::pair<qsizetype, qsizetype> locate(qsizetype k) const;
    const Line &line(qsizetype k) const;
    Line &line(qsizetype k);
    void insert(qsizetype k, Line line);
    void shiftEnds(qsizetype fromBlock, qsizetype delta);

    QList<Block> m_blocks;   // none empty
    QList<qsizetype> m_ends; // lines up to the end of each block
    QByteArray m_tail;
};
