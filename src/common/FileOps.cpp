#include "common/FileOps.h"

#include "common/FileReplace.h"

#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QSet>

#ifdef Q_OS_UNIX
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace
{

QString randomSuffix()
{
    static const char Letters[] = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
    QString suffix(7, QLatin1Char('.'));
    for (qsizetype i = 1; i < suffix.size(); ++i)
        suffix[i] = QLatin1Char(Letters[QRandomGenerator::global()->bounded(int(sizeof Letters) - 1)]);
    return suffix;
}

#ifdef Q_OS_UNIX
// The file's bytes on the disk; on Linux those of its whole file system, which is one
// flush where thousands of files would take thousands.
bool flush(const QString &path, QString &error)
{
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC);
#ifdef Q_OS_LINUX
    const bool flushed = fd >= 0 && ::syncfs(fd) == 0;
#else
    const bool flushed = fd >= 0 && ::fsync(fd) == 0;
#endif
    if (!flushed)
        error = qt_error_string(errno);
    if (fd >= 0)
        ::close(fd);
    return flushed;
}
#endif

} // namespace

FileOps &FileOps::system()
{
    static FileOps ops;
    return ops;
}

QString FileOps::freeNameBeside(const QString &path)
{
    QString name;
    do
        name = path + randomSuffix();
    while (exists(name));
    return name;
}

bool FileOps::exists(const QString &path)
{
    const QFileInfo info(path);
    return info.exists() || info.isSymLink();
}

bool FileOps::writeNew(const QString &path, const QByteArray &bytes, const QString &rightsFrom, QString &error)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::NewOnly)) {
        error = file.errorString();
        return false;
    }
    // A buffered write reports a full disk only when flushed; close() would not say.
    const bool written = file.write(bytes) == bytes.size() && file.flush() && file.error() == QFile::NoError;
    if (!written) {
        error = file.errorString();
        file.close();
        file.remove();
        return false;
    }
    file.close();
    if (!rightsFrom.isEmpty() && QFileInfo::exists(rightsFrom)) {
        const QFileDevice::Permissions rights = QFile::permissions(rightsFrom);
        if (file.permissions() != rights)
            file.setPermissions(rights);
    }
    return true;
}

bool FileOps::replace(const QString &target, const QString &temp, const QString &backup, QString &error)
{
    return FileReplace::replaceKeepingBackup(target, temp, backup, error);
}

bool FileOps::place(const QString &temp, const QString &target, QString &error)
{
    return FileReplace::placeNew(temp, target, error);
}

bool FileOps::putBack(const QString &from, const QString &to, QString &error)
{
    return FileReplace::renameOver(from, to, error);
}

// Windows: FileOpsWindows.cpp.
#ifndef Q_OS_WIN
bool FileOps::sync(const QStringList &paths, QString &error)
{
#ifdef Q_OS_UNIX
    QSet<dev_t> flushed;
    for (const QString &path : paths) {
        struct stat st;
        if (::stat(QFile::encodeName(path).constData(), &st) != 0) {
            error = qt_error_string(errno);
            return false;
        }
#ifdef Q_OS_LINUX
        if (flushed.contains(st.st_dev))
            continue;
#endif
        if (!flush(path, error))
            return false;
        flushed.insert(st.st_dev);
    }
#endif
    return true;
}

bool FileOps::remove(const QString &path)
{
    return QFile::remove(path);
}
#endif
