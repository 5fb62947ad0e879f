#include "common/ReadFile.h"

#include <QFile>
#include <QFileInfo>

bool openForReading(QFile &file, QString &reason)
{
    const QFileInfo info(file.fileName());
    if (info.isDir()) {
        reason = QStringLiteral("это папка, а не файл");
        return false;
    }
    if (info.exists() && !info.isFile()) {
        reason = QStringLiteral("это не обычный файл");
        return false;
    }
    if (!file.open(QIODevice::ReadOnly)) {
        reason = file.errorString();
        return false;
    }
    return true;
}

bool readWholeFile(const QString &path, qint64 maxSize, QByteArray &bytes, QString &reason)
{
    QFile file(path);
    if (!openForReading(file, reason))
        return false;
    if (file.size() > maxSize) {
        reason = QStringLiteral("файл больше %1 байт").arg(maxSize);
        return false;
    }
    bytes = file.read(maxSize + 1);
    if (file.error() != QFileDevice::NoError) {
        reason = file.errorString();
        return false;
    }
    if (bytes.size() > maxSize) {
        reason = QStringLiteral("файл больше %1 байт").arg(maxSize);
        return false;
    }
    return true;
}
