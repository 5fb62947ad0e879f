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
    return removeFile(nativePath(path));
}

#endif
