#include "common/UndecodableNames.h"

#include <QFile>

#ifndef Q_OS_WIN
#include <dirent.h>
#include <sys/stat.h>
#endif

namespace UndecodableNames
{

QList<Entry> in(const QString &folder)
{
    QList<Entry> entries;
#ifndef Q_OS_WIN
    const QByteArray path = QFile::encodeName(folder.isEmpty() ? QStringLiteral(".") : folder);
    DIR *dir = opendir(path.constData());
    if (!dir)
        return entries;
    while (const dirent *entry = readdir(dir)) {
        const QByteArray name(entry->d_name);
        if (name == "." || name == ".." || QFile::encodeName(QFile::decodeName(name)) == name)
            continue;
        bool isFolder = entry->d_type == DT_DIR;
        if (entry->d_type == DT_UNKNOWN) {
            struct stat status {};
            isFolder = lstat((path + '/' + name).constData(), &status) == 0 && S_ISDIR(status.st_mode);
        }
        entries.append({name, isFolder});
    }
    closedir(dir);
#else
    Q_UNUSED(folder);
#endif
    return entries;
}

QString shown(const QString &folder, const QByteArray &name)
{
    QString text = folder.isEmpty() || folder == QLatin1String(".") ? QString() : folder + QLatin1Char('/');
    for (qsizetype i = 0; i < name.size();) {
        // The longest run that decodes and encodes back as it was stays text.
        qsizetype end = i + 1;
        while (end < name.size() && (quint8(name.at(end)) & 0xC0) == 0x80)
            ++end;
        const QByteArray piece = name.mid(i, end - i);
        const QString decoded = QFile::decodeName(piece);
        if (quint8(piece.at(0)) >= 0x20 && quint8(piece.at(0)) != 0x7F && QFile::encodeName(decoded) == piece) {
            text += decoded;
        } else {
            for (const char byte : piece)
                text += QStringLiteral("\\x") + QString::number(quint8(byte), 16).toUpper().rightJustified(2, u'0');
        }
        i = end;
    }
    return text;
}

QString refusalText()
{
    return QStringLiteral("имя не читается в кодировке системы, файл не обработан; переименуйте его");
}

} // namespace UndecodableNames
