#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

// Names in a folder that Qt's decoding of file names loses: bytes not valid in the
// system's encoding, as Windows-1251 names from a zip often are. Qt lists such entries
// not at all, so whatever walks a folder asks here, to refuse them by name rather than
// skip them unseen. Windows keeps names as UTF-16: there are none.
namespace UndecodableNames
{

struct Entry {
    QByteArray name;
    bool folder = false;
};

QList<Entry> in(const QString &folder);

// The folder joined with the name, its undecodable bytes as \xNN.
QString shown(const QString &folder, const QByteArray &name);

// Why such a file is refused.
QString refusalText();

} // namespace UndecodableNames
