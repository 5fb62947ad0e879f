#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

// The few file-system steps that a change of several files is made of. Tests put a
// subclass in its place that fails a chosen step, as a full disk or a locked file would,
// or stops at one, as a kill would.
class FileOps
{
public:
    virtual ~FileOps() = default;

    static FileOps &system();

    // A new file at `path`, where none may be yet, holding the bytes and the rights of
    // the file `rightsFrom` when there is one.
    virtual bool writeNew(const QString &path, const QByteArray &bytes, const QString &rightsFrom,
                          QString &error);
    // Puts the bytes of the files written on the disk before any of them replaces an old one.
    virtual bool sync(const QStringList &paths, QString &error);
    // See FileReplace.
    virtual bool replace(const QString &target, const QString &temp, const QString &backup, QString &error);
    virtual bool place(const QString &temp, const QString &target, QString &error);
    virtual bool putBack(const QString &from, const QString &to, QString &error);
    virtual bool remove(const QString &path);
    virtual bool exists(const QString &path);
    // A name beside the path that no file has now.
    virtual QString freeNameBeside(const QString &path);
};
