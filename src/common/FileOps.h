#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

// The few file-system steps that a change of several files is made of. Tests put a
// subclass in its place that fails a chosen step, as a full disk or a locked file would.
class FileOps
{
public:
    virtual ~FileOps() = default;

    static FileOps &system();

    // A new file in the folder of `target`, under a name of its own, holding the bytes and
    // the rights of the file `rightsFrom` when there is one. Its name goes to tempPath.
    virtual bool writeTemp(const QString &target, const QByteArray &bytes, const QString &rightsFrom,
                           QString &tempPath, QString &error);
    // Puts the bytes of the files written on the disk before any of them replaces an old one.
    virtual bool sync(const QStringList &paths, QString &error);
    // Never over an existing file.
    virtual bool rename(const QString &from, const QString &to, QString &error);
    virtual bool remove(const QString &path);
    virtual bool exists(const QString &path);
    // A name beside the path that no file has now.
    virtual QString freeNameBeside(const QString &path);
};
