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
    if (!file.commit()) {
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
