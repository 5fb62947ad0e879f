#include "common/SaveFile.h"

#include <QSaveFile>

bool saveFile(const QString &path, QString &error, const std::function<bool(QIODevice *)> &write)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        error = file.errorString();
        return false;
    }
    if (!write(&file)) {
        file.cancelWriting();
        return false;
    }
    // commit() flushes the last buffered bytes but does not look at how that went: on a
    // full disk it would rename an empty or partial file over the old one.
    if (!file.flush() || file.error() != QFileDevice::NoError) {
        error = file.errorString();
        file.cancelWriting();
        return false;
    }
    if (!file.commit() || file.error() != QFileDevice::NoError) {
        error = file.errorString();
        return false;
    }
    return true;
}

bool saveFile(const QString &path, const QByteArray &bytes, QString &error)
{
    return saveFile(path, error, [&](QIODevice *device) {
        if (device->write(bytes) == bytes.size())
            return true;
        error = device->errorString();
        return false;
    });
}
