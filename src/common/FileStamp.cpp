#include "common/FileStamp.h"

#include <QCryptographicHash>
#include <QFile>
#include <QFileInfo>

QByteArray FileStamp::hashOf(const QByteArray &bytes)
{
    return QCryptographicHash::hash(bytes, HashAlgorithm);
}

FileStamp FileStamp::of(const QString &path)
{
    FileStamp stamp;
    const QFileInfo info(path);
    if (path.isEmpty() || !info.exists())
        return stamp;
    stamp.exists = true;
    stamp.size = info.size();
    stamp.modifiedMs = info.lastModified().toMSecsSinceEpoch();
    QFile file(path);
    // Only regular files are read: a FIFO put in the file's place would block here.
    if (!info.isFile() || !file.open(QIODevice::ReadOnly)) {
        stamp.hash = QByteArrayLiteral("unreadable");
        return stamp;
    }
    QCryptographicHash hash(HashAlgorithm);
    hash.addData(&file);
    stamp.hash = hash.result();
    return stamp;
}

FileStamp FileStamp::ofWritten(const QString &path, const QByteArray &bytes)
{
    FileStamp stamp;
    stamp.exists = true;
    stamp.size = bytes.size();
    stamp.modifiedMs = QFileInfo(path).lastModified().toMSecsSinceEpoch();
    stamp.hash = hashOf(bytes);
    return stamp;
}

FileStamp FileStamp::ofRead(qint64 modifiedMs, qint64 size, const QByteArray &hash)
{
    return {true, size, modifiedMs, hash};
}
