#pragma once

#include <QByteArray>
#include <QList>

// A dialogue file as the game writes it, built independently of the reader under test:
// a record of 480 bytes a line, each byte one above itself, blanks as they are.
inline QByteArray dialogueFileBytes(const QList<QByteArray> &lines)
{
    QByteArray bytes;
    for (const QByteArray &line : lines) {
        QByteArray record(480, '\0');
        for (qsizetype i = 0; i < line.size(); ++i) {
            const auto c = static_cast<quint8>(line.at(i));
            const quint16 unit = c == ' ' ? 0x20 : quint16(c + 1);
            record[2 * i] = static_cast<char>(unit & 0xFF);
            record[2 * i + 1] = static_cast<char>(unit >> 8);
        }
        bytes += record;
    }
    return bytes;
}
