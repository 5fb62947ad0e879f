#include "dialogue/EdtPath.h"

#include <QDir>
#include <QFileInfo>

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

bool isDialoguePath(const QString &path)
{
    return path.endsWith(QStringLiteral(".edt"), Qt::CaseInsensitive);
}

QString scriptBeside(const QString &edtPath)
{
    const QString exact = withExtension(edtPath, QStringLiteral(".npc"));
#ifndef Q_OS_WIN // where names differ in letter case only as spelt: the folder's spelling
    if (QFileInfo(exact).isFile())
        return exact;
#endif
    const QFileInfo wanted(exact);
    const QDir folder = wanted.absoluteDir();
    for (const QString &name : folder.entryList(QDir::Files, QDir::Name)) {
        if (name.compare(wanted.fileName(), Qt::CaseInsensitive) == 0)
            return folder.filePath(name);
    }
    return {};
}
