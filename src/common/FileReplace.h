#pragma once

#include <QString>

// The platform's steps of putting a new file in place. Each leaves a file at the target
// path at every instant, so that a kill between two system calls never loses one.
namespace FileReplace
{

// The file at `temp` takes the place of the one at `target`; the old one stays under
// `backup` (a hard link, or a copy where the file system has none).
bool replaceKeepingBackup(const QString &target, const QString &temp, const QString &backup, QString &error);

// The file at `temp` goes to `target`, never over a file that is there.
bool placeNew(const QString &temp, const QString &target, QString &error);

// `from` takes the place of `to`, whether or not a file is there.
bool renameOver(const QString &from, const QString &to, QString &error);

// False for a file whose rights allow no writing at all or deny it to this user.
bool isWritable(const QString &path);

} // namespace FileReplace
