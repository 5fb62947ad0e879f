#include "common/RegularFile.h"

#include <QFile>
#include <QFileInfo>

#include <algorithm>

#ifdef Q_OS_UNIX
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace RegularFile
{

QString notRegularText()
{
    return QStringLiteral("Это не обычный файл");
}

QString folderText()
{
    return QStringLiteral("Это папка, а не файл");
}

namespace
{

// How many positions `at` (from `from` up to `to`) `matches`: 64 bytes at a time into a
// one-byte sum, which the compiler turns into vector compares. A call of memchr per line
// cost more than the whole count.
template <typename Matches> qsizetype countWhere(const char *from, const char *to, Matches matches)
{
    qsizetype count = 0;
    const char *at = from;
    for (; to - at >= 64; at += 64) {
        unsigned char block = 0;
        for (int i = 0; i < 64; ++i)
            block += matches(at + i);
        count += block;
    }
    for (; at < to; ++at)
        count += matches(at);
    return count;
}

} // namespace

qsizetype countOf(QByteArrayView bytes, char c)
{
    return countWhere(bytes.begin(), bytes.end(), [c](const char *at) { return *at == c; });
}

bool withinLines(QByteArrayView bytes, qsizetype limit, QString &error)
{
    // Each LF ends a line, and each CR that no LF follows: one pass over the bytes.
    qsizetype lines = 1;
    if (!bytes.isEmpty()) {
        lines += countWhere(bytes.begin(), bytes.end() - 1, [](const char *at) {
            return (at[0] == '\n') | ((at[0] == '\r') & (at[1] != '\n'));
        });
        lines += bytes.back() == '\n' || bytes.back() == '\r';
    }
    if (lines <= limit)
        return true;
    error = QStringLiteral("В файле больше %1 строк").arg(limit);
    return false;
}

QString tooLargeText(qint64 limit)
{
    constexpr qint64 MB = 1024 * 1024;
    const QString size =
        limit % MB == 0 ? QStringLiteral("%1 МБ").arg(limit / MB) : QStringLiteral("%1 байт").arg(limit);
    return QStringLiteral("Файл слишком велик: больше ") + size;
}

bool open(QFile &file, QString &error)
{
#ifdef Q_OS_UNIX
    // A non-blocking open never waits for a FIFO's writer; the type is then checked on
    // what was opened, so the path cannot be swapped in between. Reading a regular file
    // does not block whatever the flag says, so it stays.
    const int fd =
        ::open(QFile::encodeName(file.fileName()).constData(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) {
        error = qt_error_string(errno);
        return false;
    }
    struct stat st;
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        error = S_ISDIR(st.st_mode) ? folderText() : notRegularText();
        ::close(fd);
        return false;
    }
    if (!file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        error = file.errorString();
        return false;
    }
#else
    const QFileInfo info(file.fileName());
    if (info.isDir() || (info.exists() && !info.isFile())) {
        error = info.isDir() ? folderText() : notRegularText();
        return false;
    }
    if (!file.open(QIODevice::ReadOnly)) {
        error = file.errorString();
        return false;
    }
#endif
    return true;
}

bool readAtMost(QIODevice &device, qint64 limit, QByteArray &bytes, QString &error)
{
    QByteArray read;
    if (!device.isSequential())
        read.reserve(std::min(device.size() - device.pos(), limit));
    char chunk[16384];
    for (;;) {
        const qint64 got = device.read(chunk, sizeof chunk);
        if (got < 0) {
            error = device.errorString();
            return false;
        }
        if (got == 0)
            break;
        if (read.size() + got > limit) {
            error = tooLargeText(limit);
            return false;
        }
        read.append(chunk, got);
    }
    bytes = std::move(read);
    return true;
}

bool readAll(const QString &path, qint64 limit, QByteArray &bytes, QString &error)
{
    QFile file(path);
    if (!open(file, error))
        return false;
    // Refused before reading; the size is checked again while reading, as the file may grow.
    if (file.size() > limit) {
        error = tooLargeText(limit);
        return false;
    }
    return readAtMost(file, limit, bytes, error);
}

} // namespace RegularFile
