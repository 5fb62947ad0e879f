#include "common/ProcessIdentity.h"

#ifdef Q_OS_WIN

#include <QCoreApplication>
#include <QFileInfo>

#include <iterator>

#include <windows.h>

namespace
{

// The process's creation time, or 0 when it cannot be asked.
quint64 creationTime(HANDLE process)
{
    FILETIME created, exited, kernel, user;
    if (!GetProcessTimes(process, &created, &exited, &kernel, &user))
        return 0;
    return quint64(created.dwHighDateTime) << 32 | created.dwLowDateTime;
}

} // namespace

ProcessIdentity ProcessIdentity::current()
{
    return {QCoreApplication::applicationPid(), creationTime(GetCurrentProcess())};
}

ProcessIdentity ProcessIdentity::of(qint64 pid)
{
    ProcessIdentity process;
    process.pid = pid;
    if (HANDLE handle = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, DWORD(pid))) {
        process.started = creationTime(handle);
        CloseHandle(handle);
    }
    return process;
}

bool ProcessIdentity::isRunning() const
{
    if (pid <= 0)
        return false;
    HANDLE handle = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION | SYNCHRONIZE, FALSE, DWORD(pid));
    if (!handle) {
        // Another user's process, say: it is there, though it cannot be told apart.
        return GetLastError() == ERROR_ACCESS_DENIED;
    }
    // An ended process stays open to anyone holding its handle; it is signalled then.
    const bool running = WaitForSingleObject(handle, 0) == WAIT_TIMEOUT;
    const quint64 created = creationTime(handle);
    CloseHandle(handle);
    return running && (started == 0 || created == 0 || created == started);
}

bool ProcessIdentity::isScrivlet(qint64 pid)
{
    HANDLE handle = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, DWORD(pid));
    if (!handle)
        return GetLastError() == ERROR_ACCESS_DENIED; // cannot be asked: kept as ours
    wchar_t path[MAX_PATH * 4];
    DWORD length = DWORD(std::size(path));
    const bool named = QueryFullProcessImageNameW(handle, 0, path, &length);
    CloseHandle(handle);
    if (!named)
        return true;
    const QString program = QString::fromWCharArray(path, int(length));
    return QFileInfo(program).fileName().startsWith(QLatin1String("scrivlet"), Qt::CaseInsensitive);
}

#endif
