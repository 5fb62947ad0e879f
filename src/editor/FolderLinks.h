#pragma once

#include "document/ScriptFolder.h"

#include <QHash>
#include <QList>
#include <QString>

#include <memory>

// A record of another script that hands control to this one.
struct IncomingLink {
    QString script; // "#112", or the file name without ".npc" when it is no number
    int record = 0;
    QString path;

    bool operator==(const IncomingLink &) const = default;
};

// The other scripts of the open script's folder, read when the script is opened or saved
// (the folder is not watched): for the checks, the links that come in from them and the
// scripts that "#N" links lead to.
class FolderLinks
{
public:
    // Forgets the folder: a script that has no file yet.
    void clear();
    // Reads the folder of the script at `path`, whose own number is `ownNumber`.
    void read(const QString &path, quint8 ownNumber);

    bool hasFolder() const { return m_folder != nullptr; }
    QString folderPath() const { return m_folder ? m_folder->folder() : QString(); }
    // The script of another character, for the checks; a lookup without a folder answers
    // that the script is unknown rather than missing.
    FolderScript find(quint8 npcNumber) const;
    // The path of a character's script; empty when the folder has none.
    QString scriptPathOf(quint8 npcNumber) const;
    // The path of a script's dialogue file, its name with ".edt" in any letter case;
    // empty when the folder has none.
    QString dialoguePathOf(const QString &scriptName) const;
    // The folder's scripts that cannot be read for their names' sake (see ScriptFolder).
    QStringList undecodableScripts() const { return m_folder ? m_folder->undecodableScripts() : QStringList(); }
    // The records of the other scripts that lead to record `target` of this one, in the
    // order of their file names and records.
    QList<IncomingLink> incomingTo(int target) const;
    // Every such record, by the record of this one it leads to.
    const QHash<int, QList<IncomingLink>> &incoming() const { return m_incoming; }

private:
    std::unique_ptr<ScriptFolder> m_folder;
    QHash<int, QList<IncomingLink>> m_incoming;
};
