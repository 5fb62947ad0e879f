#pragma once

#include "document/NpcScriptDocument.h"

#include <QHash>
#include <QSet>
#include <QString>
#include <QStringList>

#include <memory>

// Another script of a folder as links see it.
struct FolderScript {
    QString path;                        // empty when the folder holds no script of that number
    const NpcRecords *records = nullptr; // null when it could not be read
};

// The scripts of one folder (*.npc in any letter case) by the NPC number that their file
// names give as the editor reads them, each read on first use only.
class ScriptFolder
{
public:
    struct Script {
        bool read = false;
        NpcRecords records{};
        NpcLayout layout = NpcLayout::StandardLayout;
        QString reason; // why it could not be read
    };

    explicit ScriptFolder(const QString &folder);

    const QString &folder() const { return m_folder; }
    // The folder joined with a file name; a bare name for the current folder.
    QString pathOf(const QString &fileName) const;
    // File names of the scripts, in name order.
    const QStringList &scriptNames() const { return m_scripts; }
    // The script of a character number; the first in name order when several names give
    // that number; empty when none does.
    QString scriptNameOf(quint8 npcNumber) const { return m_byNumber.value(npcNumber); }
    // The dialogue file beside a script: its name with ".edt" in any letter case, the
    // exact spelling first; empty when there is none.
    QString edtNameFor(const QString &scriptName) const;
    // Scripts whose names the system's encoding cannot read, as paths with those bytes as
    // \xNN: they cannot be opened, so whoever reads the folder must say so.
    const QStringList &undecodableScripts() const { return m_undecodable; }

    const Script &load(const QString &scriptName);
    FolderScript find(quint8 npcNumber);

private:
    QString m_folder;
    QStringList m_scripts;
    QStringList m_undecodable;
    QHash<quint8, QString> m_byNumber;
    QSet<QString> m_edtNames;
    QHash<QString, QString> m_edtByLowerName; // the first in name order
    QHash<QString, std::shared_ptr<Script>> m_loaded;
};
