#include "common/Windows1251.h"

#include <QStringDecoder>
#include <QStringEncoder>

QString fromWindows1251(const QByteArray &bytes)
{
    QStringDecoder decoder("windows-1251");
    if (!decoder.isValid())
        return QString::fromLatin1(bytes);
    return decoder.decode(bytes);
}

QByteArray toWindows1251(const QString &text)
{
    QStringEncoder encoder("windows-1251");
    if (!encoder.isValid())
        return text.toLatin1();
    return encoder.encode(text);
}
