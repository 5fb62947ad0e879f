#pragma once

#include <QByteArray>
#include <QCryptographicHash>
#include <QString>

// What a file was when the program last read or wrote it: enough to tell, later, whether
// another program has changed it since. The content decides; the time only says when.
struct FileStamp {
    static constexpr QCryptographicHash::Algorithm HashAlgorithm = QCryptographicHash::Sha1;

    bool exists = false;
    qint64 size = 0;
    qint64 modifiedMs = 0;
    QByteArray hash;

    // The file as it is now; a file that cannot be read counts as changed against any
    // stamp but one taken the same way.
    static FileStamp of(const QString &path);
    // The stamp of bytes just written to the path.
    static FileStamp ofWritten(const QString &path, const QByteArray &bytes);
    // The stamp of a file read whole just now: its time from before the reading, the size
    // and hash of what was read (so a change made meanwhile is seen as one).
    static FileStamp ofRead(qint64 modifiedMs, qint64 size, const QByteArray &hash);
    static QByteArray hashOf(const QByteArray &bytes);

    bool sameContent(const FileStamp &other) const
    {
        return exists == other.exists && size == other.size && hash == other.hash;
    }
};
