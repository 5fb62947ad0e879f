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
        if (const QString dialogue = dialoguePathOf(m_scripts.constLast()); !dialogue.isEmpty())
            ++m_dialogueUsers[dialogue];
    }
}

QString ScriptScan::dialoguePathOf(const ScannedScript &scanned)
{
    const QString name = scanned.folder->edtNameFor(scanned.name);
    return name.isEmpty() ? QString() : scanned.folder->pathOf(name);
}

std::shared_ptr<const DialogueBeside> ScriptScan::dialogueOf(CliContext &context,
                                                             const ScannedScript &scanned) const
{
    const QString path = dialoguePathOf(scanned);
    if (path.isEmpty())
        return std::make_shared<DialogueBeside>();
    std::shared_ptr<const DialogueBeside> dialogue = m_dialogues.value(path);
    if (!dialogue) {
        dialogue = std::make_shared<DialogueBeside>(readDialogueBeside(*scanned.folder, scanned.name));
        if (!dialogue->read())
            context.inputFailed(dialogue->path, dialogue->error);
    }
    int &users = m_dialogueUsers[path];
    if (--users > 0)
        m_dialogues.insert(path, dialogue);
    else
        m_dialogues.remove(path);
    return dialogue;
}

ScriptFolder &ScriptScan::folderOf(const QString &folder)
{
    auto &slot = m_folders[folder];
    if (!slot)
        slot = std::make_shared<ScriptFolder>(folder);
    return *slot;
}

ScriptGraph scannedGraph(CliContext &context, const ScannedScript &scanned, const DialogueBeside &dialogue)
{
    ScriptGraphSources sources;
    sources.ownNpcNumber = scanned.ownNpcNumber;
    sources.lists = &context.lists();
    if (dialogue.read())
        sources.phrases = [text = &dialogue.text](qsizetype k) { return text->find(k); };
    sources.others = [folder = scanned.folder](quint8 npc) { return folder->find(npc); };
    FolderLinks links;
    links.read(scanned.path, scanned.ownNpcNumber);
    sources.incoming = [&links](int record) { return links.incomingTo(record); };
    return scriptGraph(scanned.script->records, sources);
}
