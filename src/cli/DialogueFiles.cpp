#include "cli/DialogueFiles.h"

#include "document/ScriptFolder.h"

#include <QDir>
#include <QDirIterator>
#include <QFileInfo>
#include <QHash>
#include <QSet>

#include <algorithm>

namespace
{

bool isDialogueName(const QString &name)
{
    return name.endsWith(QLatin1String(".edt"), Qt::CaseInsensitive);
}

QStringList dialoguesBelow(const QString &folder)
{
    QStringList found;
    QDirIterator it(folder, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        if (isDialogueName(path))
            found << QDir::cleanPath(path);
    }
    return found;
}

// The script of a folder whose dialogue file is `name`.
QString scriptBeside(const ScriptFolder &folder, const QString &name)
{
    for (const QString &script : folder.scriptNames())
        if (folder.edtNameFor(script) == name)
            return folder.pathOf(script);
    return {};
}

} // namespace

QList<DialogueFile> dialogueFiles(CliContext &context, const QStringList &paths)
{
    QStringList found;
    for (const QString &path : paths) {
        const QFileInfo info(path);
        if (info.isDir()) {
            found << dialoguesBelow(path);
        } else if (!info.exists()) {
            context.inputFailed(path, QStringLiteral("нет такого файла или папки"));
        } else if (path.endsWith(QLatin1String(".npc"), Qt::CaseInsensitive)) {
            const ScriptFolder folder(info.path());
            const QString edt = folder.edtNameFor(info.fileName());
            if (edt.isEmpty())
                context.warn(QStringLiteral("%1: рядом нет файла диалогов").arg(path));
            else
                found << QDir::cleanPath(folder.pathOf(edt));
        } else {
            found << QDir::cleanPath(path);
        }
    }
    std::sort(found.begin(), found.end());
    QList<DialogueFile> files;
    QSet<QString> seen;
    QHash<QString, QString> byName;
    QHash<QString, std::shared_ptr<ScriptFolder>> folders;
    for (const QString &path : std::as_const(found)) {
        const QFileInfo info(path);
        if (seen.contains(info.absoluteFilePath()))
            continue;
        seen.insert(info.absoluteFilePath());
        const QString name = info.fileName();
        if (const QString other = byName.value(name.toCaseFolded()); !other.isEmpty()) {
            context.usageFailed(QStringLiteral("у файлов %1 и %2 одно имя, а перевод различает файлы только по "
                                               "имени; назовите их по отдельности")
                                    .arg(other, path));
            return {};
        }
        byName.insert(name.toCaseFolded(), path);
        auto &folder = folders[info.path()];
        if (!folder)
            folder = std::make_shared<ScriptFolder>(info.path());
        files.append({path, name, scriptBeside(*folder, name)});
    }
    return files;
}

DialogueNames::DialogueNames(const QStringList &paths)
{
    QSet<QString> folders;
    for (const QString &path : paths) {
        const QFileInfo info(path);
        folders.insert(info.isDir() ? path : info.path());
        if (!info.isDir() && !path.endsWith(QLatin1String(".npc"), Qt::CaseInsensitive))
            m_names.insert(info.fileName().toCaseFolded());
    }
    for (const QString &folder : std::as_const(folders))
        for (const QString &path : dialoguesBelow(folder))
            m_names.insert(QFileInfo(path).fileName().toCaseFolded());
}
