#pragma once

#include "common/FileOps.h"

#include <QDir>
#include <QFile>

#ifdef Q_OS_WIN
#include <qt_windows.h>
#else
#include <unistd.h>
#endif

// The real file steps until the n-th (from 1), where the process "dies": an exception
// leaves everything as a kill would. A replacement may die half done, after the old file
// got its second name and before the new one took its place.
class KillingFileOps : public FileOps
{
public:
    struct Killed {};

    int killAt = 0; // 0: never
    bool halfway = false;
    int steps = 0;

    bool writeNew(const QString &path, const QByteArray &bytes, const QString &rightsFrom, QString &error) override
    {
        step();
        return FileOps::writeNew(path, bytes, rightsFrom, error);
    }
    bool sync(const QStringList &, QString &) override
    {
        step();
        return true;
    }
    bool replace(const QString &target, const QString &temp, const QString &backup, QString &error) override
    {
        if (halfway && steps + 1 == killAt)
            linkAside(target, backup);
        step();
        return FileOps::replace(target, temp, backup, error);
    }
    bool place(const QString &temp, const QString &target, QString &error) override
    {
        step();
        return FileOps::place(temp, target, error);
    }
    bool putBack(const QString &from, const QString &to, QString &error) override
    {
        step();
        return FileOps::putBack(from, to, error);
    }
    bool remove(const QString &path) override
    {
        step();
        return FileOps::remove(path);
    }

private:
    static void linkAside(const QString &target, const QString &backup)
    {
#ifdef Q_OS_WIN
        CreateHardLinkW(QDir::toNativeSeparators(backup).toStdWString().c_str(),
                        QDir::toNativeSeparators(target).toStdWString().c_str(), nullptr);
#else
        ::link(QFile::encodeName(target).constData(), QFile::encodeName(backup).constData());
#endif
    }

    void step()
    {
        if (++steps == killAt)
            throw Killed{};
    }
};
