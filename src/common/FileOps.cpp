#include "common/FileOps.h"

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

#if defined(Q_OS_UNIX) && !defined(Q_OS_LINUX)
bool syncFile(const QString &path, QString &error)
{
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0 || ::fsync(fd) != 0) {
        error = qt_error_string(errno);
        if (fd >= 0)
            ::close(fd);
        return false;
    }
    ::close(fd);
    return true;
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

bool FileOps::writeTemp(const QString &target, const QByteArray &bytes, const QString &rightsFrom,
                        QString &tempPath, QString &error)
{
    QFile file;
    for (;;) {
        file.setFileName(freeNameBeside(target));
        if (file.open(QIODevice::WriteOnly | QIODevice::NewOnly))
            break;
        if (!exists(file.fileName())) {
            error = file.errorString();
            return false;
        }
        // Another program took the name in between.
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
    tempPath = file.fileName();
    return true;
}

bool FileOps::sync(const QStringList &paths, QString &error)
{
#if defined(Q_OS_LINUX)
    // One flush per file system instead of one per file: thousands of fsync calls take
    // seconds, the flush of the whole file system a fraction of one.
    QSet<dev_t> synced;
    for (const QString &path : paths) {
        struct stat st;
        if (::stat(QFile::encodeName(path).constData(), &st) != 0) {
            error = qt_error_string(errno);
            return false;
        }
        if (synced.contains(st.st_dev))
            continue;
        const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC);
        if (fd < 0 || ::syncfs(fd) != 0) {
            error = qt_error_string(errno);
            if (fd >= 0)
                ::close(fd);
            return false;
        }
        ::close(fd);
        synced.insert(st.st_dev);
    }
    return true;
#elif defined(Q_OS_UNIX)
    for (const QString &path : paths) {
        if (!syncFile(path, error))
            return false;
    }
    return true;
#else
    Q_UNUSED(paths);
    Q_UNUSED(error);
    return true;
#endif
}

bool FileOps::rename(const QString &from, const QString &to, QString &error)
{
    QFile file(from);
    if (file.rename(to))
        return true;
    error = file.errorString();
    return false;
}

bool FileOps::remove(const QString &path)
{
    return QFile::remove(path);
}
