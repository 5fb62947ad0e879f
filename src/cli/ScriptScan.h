#pragma once

#include "cli/CliContext.h"
#include "document/ScriptFolder.h"
#include "editor/ScriptGraph.h"

#include <QHash>
#include <QList>

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

private:
    ScriptFolder &folderOf(const QString &folder);

    QHash<QString, std::shared_ptr<ScriptFolder>> m_folders;
    QList<ScannedScript> m_scripts;
};

// The dialogue map's graph of a scanned script, with the phrases of the .edt beside it;
// a dialogue file that cannot be read is a failed input and the graph goes without it.
ScriptGraph scannedGraph(CliContext &context, const ScannedScript &scanned);
