#pragma once

#include <QString>
#include <QStringList>

// The user's own words, never flagged: one a line, UTF-8, in the program's data folder.
namespace PersonalWords
{

QString defaultPath();
// The words of the file; none, without an error, when there is no file yet.
bool read(const QString &path, QStringList &words, QString &error);
// The word added at the end of the file, which is written anew through a temporary file.
bool add(const QString &path, const QString &word, QString &error);

} // namespace PersonalWords
