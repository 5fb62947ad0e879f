#include "common/FileMessages.h"

#include <QDir>

QString readProblemText(const QString &path)
{
    return QStringLiteral("Проблема чтения файла ") + path;
}

QString writeFailureText(const QString &path, const QString &reason)
{
    return QStringLiteral("Не удалось записать файл ") + QDir::toNativeSeparators(path) +
           QStringLiteral(":\r\n") + reason;
}

QString openFailureText(const QString &path, const QString &reason)
{
    return QStringLiteral("Не удалось открыть файл ") + QDir::toNativeSeparators(path) +
           QStringLiteral(":\r\n") + reason;
}

QString renameFailureText(const QString &from, const QString &to, const QString &reason)
{
    return QStringLiteral("Не удалось переименовать файл ") + QDir::toNativeSeparators(from) +
           QStringLiteral(" в ") + QDir::toNativeSeparators(to) + QStringLiteral(":\r\n") + reason;
}
