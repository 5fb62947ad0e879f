#pragma once

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

// A temporary folder to lay files out in, with paths as a folder search gives them.
class TestFolder : public ::testing::Test
{
protected:
    QString path(const QString &name) const { return QDir::cleanPath(dir.filePath(name)); }
    void write(const QString &name, const QByteArray &bytes) const
    {
        QDir().mkpath(QFileInfo(path(name)).path());
        QFile file(path(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }

    QTemporaryDir dir;
};
