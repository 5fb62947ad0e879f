#include "common/FileSetJournal.h"

#include "common/FileNameBytes.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QStandardPaths>

#ifdef Q_OS_UNIX
#include <cerrno>
#include <fcntl.h>
#include <unistd.h>
#endif

namespace
{

constexpr char Magic[] = "scrivlet-file-set";
constexpr qsizetype HashHexSize = 40; // SHA-1

QByteArray encodedPath(const QString &path)
{
    return FileNameBytes::from(path).toPercentEncoding("/");
}

QByteArray hashField(const QByteArray &hash)
{
    return hash.isEmpty() ? QByteArray("-") : hash.toHex();
}

bool readHash(const QByteArray &field, bool optional, QByteArray &hash)
{
    if (optional && field == "-") {
        hash.clear();
        return true;
    }
    if (field.size() != HashHexSize)
        return false;
    for (const char c : field) {
        if (!((c >= '0' && c <= '9') || (c >= 'a' && c <= 'f')))
            return false;
    }
    hash = QByteArray::fromHex(field);
    return true;
}

bool readPath(const QByteArray &field, QString &path)
{
    const QByteArray bytes = QByteArray::fromPercentEncoding(field);
    if (bytes.contains('\0'))
        return false;
    path = FileNameBytes::to(bytes);
#ifdef Q_OS_WIN
    return QDir::isAbsolutePath(path) && !path.startsWith(u':');
#else
    return bytes.startsWith('/');
#endif
}

bool readStep(const QList<QByteArray> &fields, FileSetStep &step)
{
    const QByteArray &kind = fields.at(0);
    if (kind == "replace" && fields.size() == 6) {
        step.kind = FileSetStep::Kind::Replace;
        return readPath(fields[1], step.target) && readPath(fields[2], step.temp) &&
               readPath(fields[3], step.backup) && readHash(fields[4], false, step.newHash) &&
               readHash(fields[5], true, step.oldHash);
    }
    if (kind == "create" && fields.size() == 4) {
        step.kind = FileSetStep::Kind::Create;
        return readPath(fields[1], step.target) && readPath(fields[2], step.temp) &&
               readHash(fields[3], false, step.newHash);
    }
    if (kind == "move" && fields.size() == 6) {
        step.kind = FileSetStep::Kind::Move;
        return readPath(fields[1], step.source) && readPath(fields[2], step.target) &&
               readPath(fields[3], step.temp) && readHash(fields[4], false, step.newHash) &&
               readHash(fields[5], false, step.oldHash);
    }
    return false;
}

QByteArray stepLine(const FileSetStep &step)
{
    switch (step.kind) {
    case FileSetStep::Kind::Replace:
        return "replace " + encodedPath(step.target) + ' ' + encodedPath(step.temp) + ' ' +
               encodedPath(step.backup) + ' ' + hashField(step.newHash) + ' ' + hashField(step.oldHash);
    case FileSetStep::Kind::Create:
        return "create " + encodedPath(step.target) + ' ' + encodedPath(step.temp) + ' ' + hashField(step.newHash);
    case FileSetStep::Kind::Move:
        break;
    }
    return "move " + encodedPath(step.source) + ' ' + encodedPath(step.target) + ' ' + encodedPath(step.temp) +
           ' ' + hashField(step.newHash) + ' ' + hashField(step.oldHash);
}

QByteArray headerLine()
{
    return QByteArray(Magic) + ' ' + QByteArray::number(FileSetJournal::Version);
}

} // namespace

QByteArray FileSetJournal::toBytes() const
{
    QByteArray bytes = headerLine() + '\n';
    bytes += "owner " + QByteArray::number(owner.pid) + ' ' + QByteArray::number(owner.started) + '\n';
    bytes += "folder " + encodedPath(folder) + '\n';
    for (const FileSetStep &step : steps)
        bytes += stepLine(step) + '\n';
    return bytes + "end\n";
}

QByteArray FileSetJournal::commitLine()
{
    return "commit\n";
}

bool FileSetJournal::parse(const QByteArray &bytes, QString &error)
{
    *this = FileSetJournal{};
    const auto fail = [&error](int line, const QString &what) {
        error = QStringLiteral("строка %1: %2").arg(line).arg(what);
        return false;
    };
    if (bytes.size() > MaxSize)
        return fail(1, QStringLiteral("журнал больше %1 байт").arg(MaxSize));
    QList<QByteArray> lines = bytes.split('\n');
    // A kill while the journal was written leaves it without its end: nothing was
    // touched then, and the last line may be cut anywhere.
    const QByteArray last = lines.takeLast();
    if (lines.isEmpty() && headerLine().startsWith(last))
        return true; // cut within its first line, or before it
    const QList<QByteArray> header = lines.value(0, last).split(' ');
    if (header.size() != 2 || header[0] != Magic)
        return fail(1, QStringLiteral("это не журнал записи файлов"));
    if (header[1] != QByteArray::number(Version))
        return fail(1, QStringLiteral("версия журнала %1 не поддерживается").arg(QString::fromLatin1(header[1].left(20))));
    int number = 1;
    for (qsizetype i = 1; i < lines.size(); ++i) {
        const QByteArray &line = lines[i];
        number = int(i + 1);
        if (committed)
            return fail(number, QStringLiteral("строка после отметки о завершении"));
        if (complete) {
            if (line != "commit")
                return fail(number, QStringLiteral("строка после конца списка файлов"));
            committed = true;
            continue;
        }
        const QList<QByteArray> fields = line.split(' ');
        if (i == 1) {
            bool pidOk = false;
            bool startOk = false;
            if (fields.size() != 3 || fields[0] != "owner")
                return fail(number, QStringLiteral("нет строки owner"));
            owner.pid = fields[1].toLongLong(&pidOk);
            owner.started = fields[2].toULongLong(&startOk);
            if (!pidOk || !startOk)
                return fail(number, QStringLiteral("неверный номер процесса"));
        } else if (i == 2) {
            if (fields.size() != 2 || fields[0] != "folder" || !readPath(fields[1], folder))
                return fail(number, QStringLiteral("нет строки folder"));
        } else if (line == "end") {
            complete = true;
        } else {
            FileSetStep step;
            if (!readStep(fields, step))
                return fail(number, QStringLiteral("неверная строка файла"));
            steps.append(step);
        }
    }
    if (lines.size() < 3 || !complete)
        steps.clear(); // the cut last line says nothing either
    return true;
}

QString FileSetJournal::folderPath()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
           QStringLiteral("/Scrivlet/journal");
}

namespace
{

#ifdef Q_OS_UNIX
bool writeDurably(const QString &path, int flags, const QByteArray &bytes, QString &error)
{
    // Never through a link planted at the name.
    const int fd = ::open(QFile::encodeName(path).constData(), flags | O_WRONLY | O_NOFOLLOW | O_CLOEXEC, 0600);
    if (fd < 0) {
        error = qt_error_string(errno);
        return false;
    }
    qsizetype done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.constData() + done, size_t(bytes.size() - done));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            break;
        done += n;
    }
    const bool written = done == bytes.size() && ::fsync(fd) == 0;
    if (!written)
        error = qt_error_string(errno);
    ::close(fd);
    return written;
}

bool syncFolder(const QString &folder)
{
    const int fd = ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    const bool synced = fd >= 0 && ::fsync(fd) == 0;
    if (fd >= 0)
        ::close(fd);
    return synced;
}
#else
bool writeDurably(const QString &path, QIODevice::OpenMode mode, const QByteArray &bytes, QString &error)
{
    QFile file(path);
    if (!file.open(mode) || file.write(bytes) != bytes.size() || !file.flush()) {
        error = file.errorString();
        return false;
    }
    return true;
}
#endif

} // namespace

qint64 FileSetJournal::pidInName(const QString &path)
{
    const QString name = QFileInfo(path).fileName();
    return name.left(name.indexOf(u'-')).toLongLong();
}

bool FileSetJournal::create(QString &path, QString &error) const
{
    const QByteArray bytes = toBytes();
    const QString folder = folderPath();
    if (!QDir().mkpath(folder)) {
        error = QStringLiteral("не удалось создать папку %1").arg(QDir::toNativeSeparators(folder));
        return false;
    }
    QFile::setPermissions(folder, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    for (;;) {
        path = folder + QStringLiteral("/%1-%2").arg(owner.pid).arg(QRandomGenerator::global()->generate64(), 0, 36) +
               QLatin1String(Suffix);
#ifdef Q_OS_UNIX
        if (writeDurably(path, O_CREAT | O_EXCL, bytes, error)) {
            syncFolder(folder);
            return true;
        }
        if (errno != EEXIST)
            return false;
#else
        if (!QFile::exists(path))
            return writeDurably(path, QIODevice::WriteOnly | QIODevice::NewOnly, bytes, error);
#endif
    }
}

bool FileSetJournal::markCommitted(const QString &path, QString &error)
{
#ifdef Q_OS_UNIX
    return writeDurably(path, O_APPEND, commitLine(), error);
#else
    return writeDurably(path, QIODevice::Append, commitLine(), error);
#endif
}
