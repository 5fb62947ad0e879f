#include "common/FileReplace.h"

#ifdef Q_OS_WIN

#include "common/WindowsFiles.h"

#include <QFileInfo>

using namespace WindowsFiles;

namespace FileReplace
{

namespace
{

bool isReadOnly(DWORD attributes)
{
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY);
}

bool failed(DWORD code, QString &error)
{
    error = systemMessage(code);
    return false;
}

// A move that may replace a file, read-only or not, whose attributes come back if it stays.
bool moveOver(const std::wstring &from, const std::wstring &to, DWORD &code)
{
    const DWORD attributes = clearReadOnly(to);
    if (withRetries([&] { return MoveFileExW(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH); },
                    code))
        return true;
    if (isReadOnly(attributes))
        SetFileAttributesW(to.c_str(), attributes);
    return false;
}

} // namespace

bool replaceKeepingBackup(const QString &target, const QString &temp, const QString &backup, QString &error)
{
    const std::wstring to = nativePath(target);
    const std::wstring aside = nativePath(backup);
    const DWORD attributes = GetFileAttributesW(to.c_str());
    DWORD code = ERROR_SUCCESS;
    // A program holding the file without letting others move it (the game, an editor)
    // would keep the old copy's second name from going away: asked before there is one.
    HANDLE probe = INVALID_HANDLE_VALUE;
    if (!withRetries(
            [&] {
                probe = CreateFileW(to.c_str(), DELETE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
                return probe != INVALID_HANDLE_VALUE;
            },
            code))
        return failed(code, error);
    CloseHandle(probe);
    if (!CreateHardLinkW(aside.c_str(), to.c_str(), nullptr)) {
        // FAT (a USB stick) and some network shares have no hard links: a copy on the disk.
        code = GetLastError();
        if (code != ERROR_INVALID_FUNCTION && code != ERROR_NOT_SUPPORTED && code != ERROR_TOO_MANY_LINKS)
            return failed(code, error);
        if (!CopyFileW(to.c_str(), aside.c_str(), TRUE))
            return failed(GetLastError(), error);
        if (!flush(aside, code)) {
            removeFile(aside);
            return failed(code, error);
        }
    }
    // Over a file that is there, the move is one step: the target never goes missing.
    if (!moveOver(nativePath(temp), to, code)) {
        removeFile(aside);
        return failed(code, error);
    }
    // A link shares the attributes it lost for the move: the old copy keeps them for a way back.
    if (isReadOnly(attributes))
        SetFileAttributesW(aside.c_str(), attributes);
    return true;
}

bool placeNew(const QString &temp, const QString &target, QString &error)
{
    // Without MOVEFILE_REPLACE_EXISTING: a file in the way is a failure, never replaced.
    DWORD code = ERROR_SUCCESS;
    const std::wstring from = nativePath(temp);
    const std::wstring to = nativePath(target);
    return withRetries([&] { return MoveFileExW(from.c_str(), to.c_str(), MOVEFILE_WRITE_THROUGH); }, code) ||
           failed(code, error);
}

bool renameOver(const QString &from, const QString &to, QString &error)
{
    DWORD code = ERROR_SUCCESS;
    return moveOver(nativePath(from), nativePath(to), code) || failed(code, error);
}

bool isWritable(const QString &path)
{
    return QFileInfo(path).isWritable();
}

} // namespace FileReplace

#endif
