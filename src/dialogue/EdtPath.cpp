#include "dialogue/EdtPath.h"

#include <QDir>

QString withExtension(const QString &path, const QString &extension)
{
    for (qsizetype i = path.size() - 1; i >= 0; --i) {
        const QChar c = path.at(i);
        if (c == QLatin1Char('.'))
            return path.left(i) + extension;
        if (c == QLatin1Char('/') || c == QDir::separator())
            break;
    }
    return path + extension;
}
