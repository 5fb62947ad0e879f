#include "common/WindowsFiles.h"

#ifdef Q_OS_WIN

#include <QDir>

namespace WindowsFiles
{

std::wstring nativePath(const QString &path)
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

bool passing(DWORD code)
{
    return code == ERROR_SHARING_VIOLATION || code == ERROR_LOCK_VIOLATION || code == ERROR_ACCESS_DENIED;
}

DWORD clearReadOnly(const std::wstring &path)
{
    const DWORD attributes = GetFileAttributesW(path.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY))
        SetFileAttributesW(path.c_str(), attributes & ~DWORD(FILE_ATTRIBUTE_READONLY));
    return attributes;
}

bool removeFile(const std::wstring &path)
{
    clearReadOnly(path);
    DWORD code = ERROR_SUCCESS;
    return withRetries([&] { return DeleteFileW(path.c_str()); }, code);
}

bool flush(const std::wstring &path, DWORD &code)
{
    const DWORD attributes = clearReadOnly(path);
    const HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                    nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    const bool flushed = file != INVALID_HANDLE_VALUE && FlushFileBuffers(file);
    code = GetLastError();
    if (file != INVALID_HANDLE_VALUE)
        CloseHandle(file);
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY))
        SetFileAttributesW(path.c_str(), attributes);
    return flushed;
}

} // namespace WindowsFiles

#endif
