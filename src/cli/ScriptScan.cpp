#include "cli/ScriptScan.h"

#include "common/UndecodableNames.h"
#include "dialogue/EdtReader.h"
#include "document/NpcName.h"
#include "document/ScriptFileScan.h"

#include <QDir>
#include <QFileInfo>
#include <QSet>

#include <algorithm>

ScriptScan::ScriptScan(CliContext &context, const QStringList &paths)
{
    QStringList found;
    QStringList undecodable;
    for (const QString &path : paths) {
        const QFileInfo info(path);
        if (info.isDir())
            found << ScriptFileScan::all(path, &undecodable);
        else if (info.exists())
            found << QDir::cleanPath(path);
        else
            context.inputFailed(path, QStringLiteral("нет такого файла или папки"));
    }
    for (const QString &path : std::as_const(undecodable))
        context.inputFailed(path, UndecodableNames::refusalText());
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

ScriptGraph scannedGraph(CliContext &context, const ScannedScript &scanned)
{
    std::optional<EdtText> phrases;
    if (const QString edtName = scanned.folder->edtNameFor(scanned.name); !edtName.isEmpty()) {
        EdtReader reader;
        const QString edtPath = scanned.folder->pathOf(edtName);
        if (reader.read(edtPath))
            phrases = reader.takeText();
        else
            context.inputFailed(edtPath, reader.errorString());
    }
    ScriptGraphSources sources;
    sources.ownNpcNumber = scanned.ownNpcNumber;
    sources.lists = &context.lists();
    if (phrases)
        sources.phrases = [text = &*phrases](qsizetype k) { return text->find(k); };
    sources.others = [folder = scanned.folder](quint8 npc) { return folder->find(npc); };
    return scriptGraph(scanned.script->records, sources);
}
