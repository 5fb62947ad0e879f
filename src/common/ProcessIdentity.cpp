#include "common/ProcessIdentity.h"

#ifndef Q_OS_WIN

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>

#include <optional>

namespace
{

struct ProcessEntry {
    char state = 0;
    quint64 started = 0;
};

// The process's line in /proc: "pid (name) state ppid ... starttime ..."; the name may
// hold blanks and parentheses, so the fields are counted from the last ')'.
std::optional<ProcessEntry> readEntry(qint64 pid)
{
    QFile file(QStringLiteral("/proc/%1/stat").arg(pid));
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    const QByteArray line = file.read(4096);
    const qsizetype close = line.lastIndexOf(')');
    if (close < 0)
        return std::nullopt;
    const QList<QByteArray> fields = line.mid(close + 2).split(' ');
    // After the name: state is the first field, starttime the twentieth.
    if (fields.size() < 20 || fields.at(0).isEmpty())
        return std::nullopt;
    ProcessEntry entry;
    entry.state = fields.at(0).at(0);
    entry.started = fields.at(19).toULongLong();
    return entry;
}

} // namespace

ProcessIdentity ProcessIdentity::current()
{
    return of(QCoreApplication::applicationPid());
}

ProcessIdentity ProcessIdentity::of(qint64 pid)
{
    ProcessIdentity process;
    process.pid = pid;
    if (const std::optional<ProcessEntry> entry = readEntry(pid))
        process.started = entry->started;
    return process;
}

bool ProcessIdentity::isRunning() const
{
    if (pid <= 0)
        return false;
    const std::optional<ProcessEntry> entry = readEntry(pid);
    if (!entry)
        return false;
    if (entry->state == 'Z' || entry->state == 'X')
        return false;
    return started == 0 || entry->started == started;
}

bool ProcessIdentity::isScrivlet(qint64 pid)
{
    const QString program = QFile::symLinkTarget(QStringLiteral("/proc/%1/exe").arg(pid));
    return QFileInfo(program).fileName().startsWith(QLatin1String("scrivlet"), Qt::CaseInsensitive);
}

#endif
