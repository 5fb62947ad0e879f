#pragma once

#include <QByteArray>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QMap>
#include <QString>

// Every file below a folder, by its path relative to the folder, with its bytes: two
// snapshots are equal when nothing was changed, made or left behind.
inline QMap<QString, QByteArray> folderSnapshot(const QString &folder)
{
    QMap<QString, QByteArray> files;
    const QDir dir(folder);
    QDirIterator it(folder, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        QFile file(path);
        files.insert(dir.relativeFilePath(path), file.open(QIODevice::ReadOnly) ? file.readAll() : "<unreadable>");
    }
    return files;
}
