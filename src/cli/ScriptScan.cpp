#include "cli/ScriptScan.h"

#include "document/NpcName.h"

#include <QDir>
#include <QDirIterator>
#include <QFileInfo>
#include <QSet>

#include <algorithm>

namespace
{

void addFolder(const QString &folder, QStringList &found)
{
    QDirIterator it(folder, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        if (path.endsWith(QLatin1String(".npc"), Qt::CaseInsensitive))
            found << QDir::cleanPath(path);
    }
}

} // namespace

ScriptScan::ScriptScan(CliContext &context, const QStringList &paths)
{
    QStringList found;
    for (const QString &path : paths) {
        const QFileInfo info(path);
        if (info.isDir())
            addFolder(path, found);
        else if (info.exists())
            found << QDir::cleanPath(path);
        else
            context.inputFailed(path, QStringLiteral("нет такого файла или папки"));
    }
    std::sort(found.begin(), found.end());
    QSet<QString> seen;
    for (const QString &path : std::as_const(found)) {
        const QFileInfo info(path);
        if (seen.contains(info.absoluteFilePath()))
            continue;
        seen.insert(info.absoluteFilePath());
        ScriptFolder &folder = folderOf(info.path());
        const ScriptFolder::Script &script = folder.load(info.fileName());
        if (!script.read) {
            context.inputFailed(path, script.reason);
            continue;
        }
        m_scripts.append({path, info.fileName(), &folder, parseNpcName(path).number, &script});
    }
}

ScriptFolder &ScriptScan::folderOf(const QString &folder)
{
    auto &slot = m_folders[folder];
    if (!slot)
        slot = std::make_shared<ScriptFolder>(folder);
    return *slot;
}
