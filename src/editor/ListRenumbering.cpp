#include "editor/ListRenumbering.h"

#include "editor/ListLines.h"
#include "editor/ReferenceList.h"

namespace
{

// Calls found(line, size, lineNumber) for each entry numbered n, until it returns false.
template <typename Found> void forEachEntryNumbered(const QByteArray &bytes, qint64 n, Found &&found)
{
    const QByteArray number = QByteArray::number(n);
    bool more = true;
    forEachListEntry(bytes.constData(), bytes.size(),
                     [&](const char *line, qsizetype size, qsizetype lineNumber) {
                         if (more && size > number.size() && line[number.size()] == '=' &&
                             QByteArrayView(line, number.size()) == number)
                             more = found(line, size, int(lineNumber));
                     });
}

} // namespace

QByteArray renumberListEntries(const QByteArray &bytes, qint64 from, qint64 to,
                               QList<ListLineChange> *changes)
{
    const QByteArray oldNumber = QByteArray::number(from);
    const QByteArray newNumber = QByteArray::number(to);
    QByteArray result;
    const char *copied = bytes.constData();
    forEachEntryNumbered(bytes, from, [&](const char *entry, qsizetype size, int line) {
        if (result.isEmpty())
            result.reserve(bytes.size() + 64);
        result.append(copied, entry - copied).append(newNumber);
        copied = entry + oldNumber.size();
        if (changes) {
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
    forEachEntryNumbered(bytes, n, [&](const char *, qsizetype, int entryLine) {
        line = entryLine;
        return false;
    });
    return line;
}

namespace
{

struct ListLine {
    qsizetype begin = 0;
    qsizetype end = 0;  // past the line ending
    qsizetype text = 0; // the line without its ending
    bool ended = false; // by a line feed
    std::optional<qint64> number;
};

// The lines before a Ctrl-Z, each with the number a lookup finds its entry by.
QList<ListLine> listLines(const QByteArray &bytes)
{
    QList<ListLine> lines;
    const qsizetype eof = bytes.indexOf('\x1a');
    const qsizetype size = eof < 0 ? bytes.size() : eof;
    for (qsizetype at = 0; at < size;) {
        const qsizetype newline = bytes.indexOf('\n', at);
        const qsizetype end = newline < 0 || newline >= size ? size : newline + 1;
        qsizetype textEnd = end > at && bytes.at(end - 1) == '\n' ? end - 1 : end;
        if (textEnd > at && bytes.at(textEnd - 1) == '\r')
            --textEnd;
        ListLine line{at, end, textEnd - at, end > at && bytes.at(end - 1) == '\n', std::nullopt};
        const QByteArrayView text(bytes.constData() + at, line.text);
        const qsizetype equals = text.indexOf('=');
        if (equals > 0 && !text.contains(';')) {
            const std::optional<qint64> number = readDecimal(text.first(equals));
            if (number && QByteArray::number(*number) == text.first(equals))
                line.number = number;
        }
        lines.append(line);
        at = end;
    }
    return lines;
}

QByteArray lineEnding(const QByteArray &bytes)
{
    const qsizetype newline = bytes.indexOf('\n');
    return newline > 0 && bytes.at(newline - 1) == '\r' ? QByteArrayLiteral("\r\n") : QByteArrayLiteral("\n");
}

} // namespace

QByteArray placeListEntry(const QByteArray &bytes, qint64 n)
{
    const QList<ListLine> lines = listLines(bytes);
    qsizetype moved = -1;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        if (lines[i].number != n)
            continue;
        if (moved >= 0)
            return bytes;
        moved = i;
    }
    if (moved < 0)
        return bytes;
    // The line goes before index `before` of the file's lines.
    qsizetype lastBelow = -1;
    qsizetype firstAbove = -1;
    for (qsizetype i = 0; i < lines.size() && firstAbove < 0; ++i) {
        if (i == moved || !lines[i].number)
            continue;
        if (*lines[i].number > n)
            firstAbove = i;
        else
            lastBelow = i;
    }
    if (lastBelow < 0 && firstAbove < 0)
        return bytes; // the only entry
    const qsizetype before = lastBelow >= 0 ? lastBelow + 1 : firstAbove;
    if (before == moved || before == moved + 1)
        return bytes;

    const QByteArray eol = lineEnding(bytes);
    // A line that ended the file gets an ending when another line comes after it.
    const auto lineBytes = [&](qsizetype i, bool followed) -> QByteArray {
        const ListLine &line = lines[i];
        if (line.ended || !followed)
            return bytes.mid(line.begin, line.end - line.begin);
        return bytes.mid(line.begin, line.text) + eol;
    };
    QByteArray result;
    result.reserve(bytes.size() + eol.size());
    const qsizetype last =
        before == lines.size() ? moved : (moved == lines.size() - 1 ? lines.size() - 2 : lines.size() - 1);
    for (qsizetype i = 0; i <= lines.size(); ++i) {
        if (i == before)
            result += lineBytes(moved, moved != last);
        if (i < lines.size() && i != moved)
            result += lineBytes(i, i != last);
    }
    const qsizetype tail = lines.constLast().end;
    result += QByteArrayView(bytes.constData() + tail, bytes.size() - tail);
    return result;
}
