#include "editor/FolderLinks.h"

#include "document/NpcName.h"

#include <QFileInfo>

void FolderLinks::clear()
{
    m_folder.reset();
    m_incoming.clear();
}

void FolderLinks::read(const QString &path, quint8 ownNumber)
{
    clear();
    const QFileInfo info(path);
    m_folder = std::make_unique<ScriptFolder>(info.absolutePath());
    if (ownNumber == NoneByte)
        return; // nothing can name a script without a number
    for (const QString &name : m_folder->scriptNames()) {
        const NpcName other = parseNpcName(name);
        // A script of the same number links to itself, not to this one.
        if (name == info.fileName() || (other.numeric && other.number == ownNumber))
            continue;
        const ScriptFolder::Script &script = m_folder->load(name);
        if (!script.read)
            continue;
        const QString label = other.numeric ? QLatin1Char('#') + QString::number(other.number) : other.rest;
        for (int i = 0; i < RecordCount; ++i) {
            const NpcRecord &record = script.records[i];
            if (!record.isEmpty() && record.ControlNpc == ownNumber && record.ControlRec != NoneByte)
                m_incoming[record.ControlRec].append({label, i, m_folder->pathOf(name)});
        }
    }
}

FolderScript FolderLinks::find(quint8 npcNumber) const
{
    if (!m_folder)
        return {QStringLiteral("?"), nullptr};
    return m_folder->find(npcNumber);
}

QString FolderLinks::scriptPathOf(quint8 npcNumber) const
{
    const QString name = m_folder ? m_folder->scriptNameOf(npcNumber) : QString();
    return name.isEmpty() ? QString() : m_folder->pathOf(name);
}

QString FolderLinks::dialoguePathOf(const QString &scriptName) const
{
    const QString name = m_folder ? m_folder->edtNameFor(scriptName) : QString();
    return name.isEmpty() ? QString() : m_folder->pathOf(name);
}

QList<IncomingLink> FolderLinks::incomingTo(int target) const
{
    return m_incoming.value(target);
}
