#include "common/FileNameBytes.h"

#include <QFile>
#include <QStringDecoder>

namespace FileNameBytes
{

QByteArray from(const QString &path)
{
#ifdef Q_OS_WIN
    return path.toUtf8();
#else
    return QFile::encodeName(path);
#endif
}

QString to(const QByteArray &bytes)
{
#ifdef Q_OS_WIN
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString name = utf8(bytes);
    return utf8.hasError() ? QString::fromLocal8Bit(bytes) : name;
#else
    return QFile::decodeName(bytes);
#endif
}

} // namespace FileNameBytes
