#include "spelling/PersonalWords.h"

#include "common/RegularFile.h"
#include "common/SaveFile.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace PersonalWords
{

namespace
{

constexpr qint64 MaxSize = 16 * 1024 * 1024;

} // namespace

QString defaultPath()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
           QStringLiteral("/scrivlet/words.txt");
}

bool read(const QString &path, QStringList &words, QString &error)
{
    words.clear();
    if (!QFileInfo::exists(path))
        return true;
    QByteArray bytes;
    if (!RegularFile::readAll(path, MaxSize, bytes, error))
        return false;
    for (const QByteArray &line : bytes.split('\n')) {
        const QString word = QString::fromUtf8(line).trimmed();
        if (!word.isEmpty())
            words << word;
    }
    return true;
}

bool add(const QString &path, const QString &word, QString &error)
{
    QByteArray bytes;
    if (QFileInfo::exists(path) && !RegularFile::readAll(path, MaxSize, bytes, error))
        return false;
    if (!bytes.isEmpty() && !bytes.endsWith('\n'))
        bytes += '\n';
    bytes += word.trimmed().toUtf8() + '\n';
    QDir().mkpath(QFileInfo(path).absolutePath());
    return saveFile(path, bytes, error);
}

} // namespace PersonalWords
