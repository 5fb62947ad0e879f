#pragma once

#include <QByteArray>
#include <QString>

// File names kept in our own files (the settings, the journal of a change to many files).
// On Unix: the bytes the system names the file by. On Windows: UTF-8, since the ANSI code
// page cannot spell every name; a name written there by an older program in that code page
// is still read.
namespace FileNameBytes
{

QByteArray from(const QString &path);
QString to(const QByteArray &bytes);

} // namespace FileNameBytes
