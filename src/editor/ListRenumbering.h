#pragma once

#include <QByteArray>
#include <QList>

// A line of a list file whose entry gets another number.
struct ListLineChange {
    int line = 0; // from 1, as an editor counts them
    QByteArray before;
    QByteArray after;

    bool operator==(const ListLineChange &) const = default;
};

// The list file's bytes with every entry numbered `from` numbered `to`, its name and the
// rest of the file byte for byte. An entry is numbered n when the lookups find it for n:
// its number is written as n in plain decimal (not "07", not "+7"). Lines the list skips,
// comments among them, are never entries. The changed lines go to `changes`.
QByteArray renumberListEntries(const QByteArray &bytes, qint64 from, qint64 to,
                               QList<ListLineChange> *changes = nullptr);

// The first line (from 1) whose entry is numbered n; 0 when there is none.
int lineOfListEntry(const QByteArray &bytes, qint64 n);

// The list file's bytes with the one entry numbered n moved to where its number belongs:
// after the last entry numbered below n that comes before the first one numbered above
// it, so that a list written in ascending order stays so and its last line keeps the
// highest number (the list's limit). Every other line stays byte for byte, but for a line
// ending added where a moved line leaves or reaches the end of the file. The bytes as they
// are when no entry or more than one is numbered n, or when it is in its place already.
QByteArray placeListEntry(const QByteArray &bytes, qint64 n);
