#pragma once

#include "common/FileOps.h"

// The real file steps, but the n-th write or rename (from 1) fails, as a full disk or a
// locked file would; with `alsoBack`, every rename after it fails too, so that nothing
// can be put back. The disk is not flushed: no test could tell, and it takes a while.
class FailingFileOps : public FileOps
{
public:
    int failWrite = 0;
    int failRename = 0;
    bool alsoBack = false;
    int writes = 0;
    int renames = 0;

    bool writeTemp(const QString &target, const QByteArray &bytes, const QString &rightsFrom, QString &tempPath,
                   QString &error) override
    {
        if (++writes == failWrite) {
            error = QStringLiteral("disk full");
            return false;
        }
        return FileOps::writeTemp(target, bytes, rightsFrom, tempPath, error);
    }
    bool sync(const QStringList &, QString &) override { return true; }
    bool rename(const QString &from, const QString &to, QString &error) override
    {
        ++renames;
        if (renames == failRename || (alsoBack && failRename > 0 && renames > failRename)) {
            error = QStringLiteral("locked");
            return false;
        }
        return FileOps::rename(from, to, error);
    }
};
