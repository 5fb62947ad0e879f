#include "common/FileOps.h"

#ifdef Q_OS_WIN

#include "common/WindowsFiles.h"

using namespace WindowsFiles;

bool FileOps::sync(const QStringList &paths, QString &error)
{
    for (const QString &path : paths) {
        DWORD code = ERROR_SUCCESS;
        if (!flush(nativePath(path), code)) {
            error = systemMessage(code);
            return false;
        }
    }
    return true;
}

bool FileOps::remove(const QString &path)
{
    // Only files the writer made or moved aside are removed, the old copy of a read-only
    // script among them.
    const std::wstring name = nativePath(path);
    clearReadOnly(name);
    DWORD code = ERROR_SUCCESS;
    return withRetries([&] { return DeleteFileW(name.c_str()); }, code);
}

#endif
