#pragma once

#include "cli/CliContext.h"
#include "document/ScriptFolder.h"
#include "editor/ScriptGraph.h"

#include <QHash>
#include <QList>

#include "dialogue/DialogueBeside.h"

#include <memory>

// One script found among the paths of check, xref and find.
struct ScannedScript {
    QString path;
    QString name;         // its file name in its folder
    ScriptFolder *folder; // the folder it lies in, for links to other scripts
    quint8 ownNpcNumber;
    const ScriptFolder::Script *script; // read, or with the reason it could not be
};

// The scripts of the given paths: files as they are, folders searched recursively for
// *.npc in any letter case; sorted by path, each once. Paths that do not exist, and
// scripts that cannot be read, are reported as failed inputs and left out.
class ScriptScan
{
public:
    ScriptScan(CliContext &context, const QStringList &paths);

    const QList<ScannedScript> &scripts() const { return m_scripts; }

    // The dialogue file beside a scanned script. Case variants of one name share one file:
    // it is read once, kept while another script still wants it, and a failure to read it
    // is reported once.
    std::shared_ptr<const DialogueBeside> dialogueOf(CliContext &context, const ScannedScript &scanned) const;

private:
    ScriptFolder &folderOf(const QString &folder);
    static QString dialoguePathOf(const ScannedScript &scanned);

    QHash<QString, std::shared_ptr<ScriptFolder>> m_folders;
    QList<ScannedScript> m_scripts;
    mutable QHash<QString, int> m_dialogueUsers; // scripts yet to ask for each dialogue file
    mutable QHash<QString, std::shared_ptr<const DialogueBeside>> m_dialogues;
};

// The dialogue map's graph of a scanned script, with the phrases of its dialogue file,
// when that could be read.
ScriptGraph scannedGraph(CliContext &context, const ScannedScript &scanned, const DialogueBeside &dialogue);
