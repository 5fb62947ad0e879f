#pragma once

#include "common/FileOps.h"

#include <functional>

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
    // Called before each rename with its count, as another program might act then.
    std::function<void(int)> beforeRename;

    bool writeNew(const QString &path, const QByteArray &bytes, const QString &rightsFrom, QString &error) override
    {
        if (++writes == failWrite) {
            error = QStringLiteral("disk full");
            return false;
        }
        return FileOps::writeNew(path, bytes, rightsFrom, error);
    }
    bool sync(const QStringList &, QString &) override { return true; }
    bool replace(const QString &target, const QString &temp, const QString &backup, QString &error) override
    {
        return mayRename(error) && FileOps::replace(target, temp, backup, error);
    }
    bool place(const QString &temp, const QString &target, QString &error) override
    {
        return mayRename(error) && FileOps::place(temp, target, error);
    }
    bool putBack(const QString &from, const QString &to, QString &error) override
    {
        return mayRename(error) && FileOps::putBack(from, to, error);
    }

private:
    bool mayRename(QString &error)
    {
        ++renames;
        if (beforeRename)
            beforeRename(renames);
        if (renames == failRename || (alsoBack && failRename > 0 && renames > failRename)) {
            error = QStringLiteral("locked");
            return false;
        }
        return true;
    }
};
