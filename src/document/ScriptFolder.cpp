#include "document/ScriptFolder.h"

#include "common/UndecodableNames.h"
#include "document/NpcFile.h"
#include "document/NpcName.h"

#include <QDir>

#include <algorithm>

namespace
{

const QString NpcSuffix = QStringLiteral(".npc");
const QString EdtSuffix = QStringLiteral(".edt");

} // namespace

ScriptFolder::ScriptFolder(const QString &folder) : m_folder(folder)
{
    QStringList names = QDir(folder.isEmpty() ? QStringLiteral(".") : folder).entryList(QDir::Files);
    std::sort(names.begin(), names.end());
    for (const QString &name : std::as_const(names)) {
        if (name.endsWith(NpcSuffix, Qt::CaseInsensitive)) {
            m_scripts << name;
            const NpcName npc = parseNpcName(name);
            if (npc.numeric && !m_byNumber.contains(npc.number))
                m_byNumber.insert(npc.number, name);
        } else if (name.endsWith(EdtSuffix, Qt::CaseInsensitive)) {
            m_edtNames.insert(name);
            const QString lower = name.toLower();
            if (!m_edtByLowerName.contains(lower))
                m_edtByLowerName.insert(lower, name);
        }
    }
    for (const UndecodableNames::Entry &entry : UndecodableNames::in(folder)) {
        if (!entry.folder && entry.name.toLower().endsWith(".npc"))
            m_undecodable << UndecodableNames::shown(folder, entry.name);
    }
    std::sort(m_undecodable.begin(), m_undecodable.end());
}

QString ScriptFolder::pathOf(const QString &fileName) const
{
    if (m_folder.isEmpty() || m_folder == QLatin1String("."))
        return fileName;
    if (m_folder.endsWith(QLatin1Char('/')))
        return m_folder + fileName;
    return m_folder + QLatin1Char('/') + fileName;
}

QString ScriptFolder::edtNameFor(const QString &scriptName) const
{
    const qsizetype dot = scriptName.lastIndexOf(QLatin1Char('.'));
    const QString exact = (dot < 0 ? scriptName : scriptName.left(dot)) + EdtSuffix;
    if (m_edtNames.contains(exact))
        return exact;
    return m_edtByLowerName.value(exact.toLower());
}

const ScriptFolder::Script &ScriptFolder::load(const QString &scriptName)
{
    auto &slot = m_loaded[scriptName];
    if (!slot) {
        slot = std::make_shared<Script>();
        NpcReader reader;
        slot->read = reader.read(pathOf(scriptName));
        if (slot->read) {
            slot->records = reader.records();
            slot->layout = reader.layout();
        } else {
            slot->reason = reader.reason();
        }
    }
    return *slot;
}

FolderScript ScriptFolder::find(quint8 npcNumber)
{
    const QString name = scriptNameOf(npcNumber);
    if (name.isEmpty())
        return {};
    const Script &script = load(name);
    return {pathOf(name), script.read ? &script.records : nullptr};
}
