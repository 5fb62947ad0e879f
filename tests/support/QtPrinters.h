#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <initializer_list>
#include <ostream>

// Readable failure messages for Qt strings.
inline void PrintTo(const QString &text, std::ostream *os)
{
    *os << '"' << text.toStdString() << '"';
}

inline void PrintTo(const QStringList &list, std::ostream *os)
{
    *os << '{';
    for (const QString &text : list)
        *os << '"' << text.toStdString() << "\" ";
    *os << '}';
}

inline void PrintTo(const QByteArray &bytes, std::ostream *os)
{
    *os << "QByteArray(" << bytes.size() << " bytes: " << bytes.left(64).toHex(' ').toStdString()
        << (bytes.size() > 64 ? " ..." : "") << ')';
}

// A list of UTF-8 literals, for expected values.
inline QStringList utf8List(std::initializer_list<const char *> items)
{
    QStringList list;
    for (const char *item : items)
        list << QString::fromUtf8(item);
    return list;
}
