#include "common/FileOps.h"

#ifdef Q_OS_WIN

#include <QDir>
#include <QThread>

#include <string>

#include <windows.h>

namespace
{

std::wstring native(const QString &path)
{
    return QDir::toNativeSeparators(path).toStdWString();
}

QString systemMessage(DWORD code)
{
    wchar_t *text = nullptr;
    const DWORD length = FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM |
                                            FORMAT_MESSAGE_IGNORE_INSERTS,
                                        nullptr, code, 0, reinterpret_cast<LPWSTR>(&text), 0, nullptr);
    QString message = length ? QString::fromWCharArray(text, int(length)).trimmed() : QString();
    LocalFree(text);
    return message.isEmpty() ? QStringLiteral("Ошибка Windows %1").arg(code) : message;
}

// Held for a moment by another program: an antivirus scanning the new file, an indexer,
// an editor reading the old one. Worth a few more tries before giving up.
bool passing(DWORD code)
{
    return code == ERROR_SHARING_VIOLATION || code == ERROR_LOCK_VIOLATION || code == ERROR_ACCESS_DENIED;
}

} // namespace

bool FileOps::sync(const QStringList &paths, QString &error)
{
    for (const QString &path : paths) {
        // Flushing needs write access, which a new file that took the rights of a
        // read-only one lacks for the moment.
        const std::wstring name = native(path);
        const DWORD attributes = GetFileAttributesW(name.c_str());
        const bool readOnly = attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY);
        if (readOnly)
            SetFileAttributesW(name.c_str(), attributes & ~DWORD(FILE_ATTRIBUTE_READONLY));
        const HANDLE file = CreateFileW(name.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                        nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
        const bool flushed = file != INVALID_HANDLE_VALUE && FlushFileBuffers(file);
        const DWORD code = GetLastError();
        if (file != INVALID_HANDLE_VALUE)
            CloseHandle(file);
        if (readOnly)
            SetFileAttributesW(name.c_str(), attributes);
        if (!flushed) {
            error = systemMessage(code);
            return false;
        }
    }
    return true;
}

namespace
{

// Tries the step until it succeeds or fails for good; the last error code goes to `code`.
template <typename Step> bool withRetries(Step step, DWORD &code)
{
    constexpr int Tries = 10;
    for (int attempt = 1; attempt <= Tries; ++attempt) {
        if (step())
            return true;
        code = GetLastError();
        if (!passing(code) || attempt == Tries)
            break;
        QThread::msleep(20 * attempt); // a second in all
    }
    return false;
}

} // namespace

bool FileOps::rename(const QString &from, const QString &to, QString &error)
{
    // Without MOVEFILE_REPLACE_EXISTING: a file in the way is a failure, never replaced.
    // A read-only file moves like any other, and keeps its attribute.
    DWORD code = ERROR_SUCCESS;
    if (withRetries([&] { return MoveFileExW(native(from).c_str(), native(to).c_str(), MOVEFILE_WRITE_THROUGH); },
                    code))
        return true;
    error = systemMessage(code);
    return false;
}

bool FileOps::remove(const QString &path)
{
    // Only files the writer made or moved aside are removed: a read-only one (the old
    // copy of a read-only script) loses the attribute first, or Windows refuses.
    const std::wstring name = native(path);
    const DWORD attributes = GetFileAttributesW(name.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY))
        SetFileAttributesW(name.c_str(), attributes & ~DWORD(FILE_ATTRIBUTE_READONLY));
    DWORD code = ERROR_SUCCESS;
    return withRetries([&] { return DeleteFileW(name.c_str()); }, code);
}

#endif
