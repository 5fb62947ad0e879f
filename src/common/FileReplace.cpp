#include "common/FileReplace.h"

#include <QFile>
#include <QFileInfo>

#ifdef Q_OS_UNIX
#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace FileReplace
{

// Windows: FileReplaceWindows.cpp.
#ifdef Q_OS_UNIX

namespace
{

QByteArray name(const QString &path)
{
    return QFile::encodeName(path);
}

bool failed(QString &error)
{
    error = qt_error_string(errno);
    return false;
}

// The old bytes under the backup name, on the disk before the target is replaced.
bool copyAside(const QString &target, const QString &backup, QString &error)
{
    QFile from(target);
    QFile to(backup);
    if (!from.open(QIODevice::ReadOnly)) {
        error = from.errorString();
        return false;
    }
    if (!to.open(QIODevice::WriteOnly | QIODevice::NewOnly)) {
        error = to.errorString();
        return false;
    }
    const QByteArray bytes = from.readAll();
    const bool copied = from.error() == QFile::NoError && to.write(bytes) == bytes.size() && to.flush() &&
                        ::fsync(to.handle()) == 0;
    if (!copied) {
        error = to.error() != QFile::NoError ? to.errorString() : from.errorString();
        to.close();
        to.remove();
        return false;
    }
    to.setPermissions(from.permissions());
    return true;
}

} // namespace

bool replaceKeepingBackup(const QString &target, const QString &temp, const QString &backup, QString &error)
{
    if (::link(name(target).constData(), name(backup).constData()) != 0) {
        // FAT and some network file systems have no hard links.
        if (errno != EPERM && errno != ENOTSUP && errno != EOPNOTSUPP && errno != EMLINK && errno != EXDEV)
            return failed(error);
        if (!copyAside(target, backup, error))
            return false;
    }
    if (::rename(name(temp).constData(), name(target).constData()) != 0) {
        failed(error);
        ::unlink(name(backup).constData());
        return false;
    }
    return true;
}

bool placeNew(const QString &temp, const QString &target, QString &error)
{
#ifdef Q_OS_LINUX
    if (::renameat2(AT_FDCWD, name(temp).constData(), AT_FDCWD, name(target).constData(), RENAME_NOREPLACE) == 0)
        return true;
    if (errno != EINVAL && errno != ENOSYS && errno != ENOTSUP)
        return failed(error);
#endif
    // Without an exclusive rename the link fails on an existing name just as well.
    if (::link(name(temp).constData(), name(target).constData()) == 0) {
        ::unlink(name(temp).constData());
        return true;
    }
    if (errno == EEXIST || QFileInfo::exists(target) || QFileInfo(target).isSymLink())
        return failed(error);
    return renameOver(temp, target, error);
}

bool renameOver(const QString &from, const QString &to, QString &error)
{
    return ::rename(name(from).constData(), name(to).constData()) == 0 || failed(error);
}

bool isWritable(const QString &path)
{
    struct stat st;
    if (::stat(name(path).constData(), &st) != 0)
        return false;
    // The superuser may write anything; a file marked read-only still stays so.
    return (st.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) != 0 && ::access(name(path).constData(), W_OK) == 0;
}

#endif

} // namespace FileReplace
