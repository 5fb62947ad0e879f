#include "session/ScriptSession.h"

#include "common/FileMessages.h"
#include "common/Windows1251.h"
#include "dialogue/EdtExport.h"
#include "dialogue/EdtPath.h"
#include "dialogue/EdtReader.h"
#include "document/NpcFile.h"
#include "document/NpcName.h"
#include "macros/MacroEntry.h"
#include "macros/MacroFile.h"

#include <QFileInfo>

ScriptSession::ScriptSession(const QString &startFolder, QObject *parent)
    : QObject(parent), m_config(AppConfig::IniRead(startFolder))
{
    m_runEditorAllowed = !m_config.EdtEditor.isEmpty() && QFileInfo(m_config.EdtEditor).isFile();
}

void ScriptSession::notify(int changes)
{
    const bool findings = changes & (Records | Dialogue | Findings);
    if (findings)
        m_findings.reset();
    if (changes & Records)
        emit recordsChanged();
    if (changes & Current)
        emit currentRecordChanged(m_curRec);
    if (changes & Shown)
        emit recordShown();
    if (changes & Dialogue)
        emit dialogueChanged();
    if (changes & Macros)
        emit macrosChanged();
    if (changes & MacroFile)
        emit macrosSaved();
    if (changes & State)
        emit stateChanged();
    if (findings)
        emit findingsChanged();
}

const QList<CheckFinding> &ScriptSession::findings() const
{
    if (!m_findings) {
        CheckContext context;
        context.ownNpcNumber = m_document.OwnNpcNumber;
        context.lists = &m_lists;
        if (m_dialogueActive)
            context.edtLineCount = m_edtText.size();
        context.others = [this](quint8 npc) { return m_folderLinks.find(npc); };
        m_findings = checkScript(m_document.records, context);
    }
    return *m_findings;
}

QString ScriptSession::incomingLinksText() const
{
    QStringList parts;
    QStringList here;
    for (int i = 0; i < RecordCount; ++i) {
        if (linksIntoScript(record(i), m_document.OwnNpcNumber) && record(i).ControlRec == m_curRec)
            here << QString::number(i);
    }
    if (!here.isEmpty())
        parts << here.join(QStringLiteral(", "));
    QString script;
    QStringList records;
    const auto flush = [&] {
        if (!records.isEmpty())
            parts << script + QStringLiteral(": ") + records.join(QStringLiteral(", "));
        records.clear();
    };
    for (const IncomingLink &link : m_folderLinks.incomingTo(m_curRec)) {
        if (link.script != script)
            flush();
        script = link.script;
        records << QString::number(link.record);
    }
    flush();
    const QString number = QString::number(m_curRec);
    if (parts.isEmpty())
        return QStringLiteral("Ссылок на запись ") + number + QStringLiteral(" нет");
    return QStringLiteral("Ссылки на запись ") + number + QStringLiteral(": ") +
           parts.join(QStringLiteral("; "));
}

std::optional<ScriptSession::LinkTarget> ScriptSession::currentLink() const
{
    const NpcRecord &r = currentRecord();
    if (r.isEmpty() || r.ControlRec == NoneByte)
        return std::nullopt;
    LinkTarget target;
    target.local = r.ControlNpc == m_document.OwnNpcNumber;
    target.npc = r.ControlNpc;
    target.record = r.ControlRec;
    if (!target.local)
        target.path = m_folderLinks.scriptPathOf(r.ControlNpc);
    return target;
}

void ScriptSession::rememberPlace(const Place &place)
{
    m_places.append(place);
    notify(State);
}

std::optional<ScriptSession::Place> ScriptSession::lastPlace() const
{
    return m_places.isEmpty() ? std::nullopt : std::optional(m_places.last());
}

void ScriptSession::forgetLastPlace()
{
    if (!m_places.isEmpty())
        m_places.removeLast();
    notify(State);
}

void ScriptSession::forgetRecentFile(const QString &path)
{
    m_config.removeRecentFile(path);
    notify(State);
}

void ScriptSession::takeFolder(const QString &path)
{
    m_folderLinks.read(path, m_document.OwnNpcNumber);
    m_config.addRecentFile(path);
}

QString ScriptSession::actionName(const QByteArray &numberText) const
{
    const int index = m_lists.Action.indexOfText(numberText);
    return index < 0 ? QString() : fromWindows1251(m_lists.Action.name(index));
}

bool ScriptSession::isModified() const
{
    return m_history.isModified();
}

QString ScriptSession::windowTitle() const
{
    const bool modified = isModified();
    if (m_document.path.isEmpty() && !modified)
        return QStringLiteral("Scrivlet");
    return QStringLiteral("Scrivlet - ") + m_document.path + (modified ? QStringLiteral("*") : QString());
}

QString ScriptSession::RecLabelPrefix() const
{
    return m_labelEmptyForm ? QStringLiteral("Пустая запись:") : QStringLiteral("Запись:");
}

QString ScriptSession::recordLabel() const
{
    return RecLabelPrefix() + QLatin1Char(' ') + QString::number(m_curRec);
}

QString ScriptSession::linksToCurrent() const
{
    NpcRecords records = m_document.records;
    RecordGridTexts unused;
    return RecordList(records, unused, m_curRec, m_document.OwnNpcNumber).CheckLinkDel();
}

bool ScriptSession::pasteDropsLastRecord() const
{
    return !record(RecordCount - 1).isEmpty();
}

bool ScriptSession::saveDropsLastRecord() const
{
    return vestaLosesLastRecord(m_document.records, m_document.layout);
}

QStringList ScriptSession::listFolders() const
{
    return {m_config.DataDir, m_config.standardDataDir(), m_config.shippedDataDir};
}

ScriptSession::ReadLists ScriptSession::readLists(const QStringList &folders)
{
    ReadLists read{folders, {}, {}};
    read.failed = read.lists.load(folders.at(0), folders.at(1), folders.at(2));
    return read;
}

void ScriptSession::prefetchLists()
{
    m_prefetchedLists = std::async(std::launch::async, &ScriptSession::readLists, listFolders());
}

QStringList ScriptSession::loadLists()
{
    ReadLists read = m_prefetchedLists.valid() ? m_prefetchedLists.get() : ReadLists{};
    if (read.folders != listFolders())
        read = readLists(listFolders());
    m_lists = std::move(read.lists);
    notify(Records | Shown | State);
    return read.failed;
}

SessionResult ScriptSession::loadMacros()
{
    const QString path = m_config.macroPath();
    if (!QFileInfo::exists(path))
        return {};
    MacroReader reader;
    if (!reader.read(path))
        return SessionResult::failure(openFailureText(path, reader.errorString()));
    m_macros.setEntries(reader.entries());
    notify(Macros | MacroFile | State);
    return {};
}

SessionResult ScriptSession::saveSettings()
{
    QString error;
    if (m_config.IniWrite(&error))
        return {};
    return SessionResult::failure(QStringLiteral("Не удалось записать файл настроек ") + m_config.iniPath() +
                                  QStringLiteral(":\r\n") + error);
}

void ScriptSession::takeRecords(const NpcRecords &records)
{
    m_document.records = records;
    fillCaptions();
    m_history.clear();
}

void ScriptSession::fillCaptions()
{
    for (int row = 0; row < RecordCount; ++row) {
        const NpcRecord &r = record(row);
        m_captions.action[row] = r.isEmpty() ? QString() : actionName(QByteArray::number(r.Action));
        m_captions.link[row] = r.isEmpty() ? QString() : linkText(r, m_document.OwnNpcNumber);
    }
}

void ScriptSession::showNpcName(const QString &path)
{
    const NpcName name = parseNpcName(path);
    m_document.OwnNpcNumber = name.number;
    m_npcName = name.numeric ? QString::number(name.number) + QStringLiteral(". ") +
                                   fromWindows1251(m_lists.Npc.nameOf(name.number))
                             : name.rest;
}

OpenResult ScriptSession::openScript(const QString &path, OpenOptions options)
{
    OpenResult result;
    NpcReader reader;
    if (!reader.read(path)) {
        result.ok = false;
        result.message = reader.errorString();
        return result;
    }
    m_document.layout = reader.layout();
    showNpcName(path);
    takeRecords(reader.records());
    m_document.path = path;
    if (options.setWorkDir)
        m_config.WorkDir = QFileInfo(path).absolutePath();
    takeFolder(path);
    attachDialogue(result);

    // Row 0 becomes current as a selection would make it, then it is shown.
    if (m_curRec != 0)
        setCurrent(0);
    m_moveUpAllowed = false;
    showRec();
    m_saveAsMacroAllowed = !record(0).isEmpty();
    notify(Records | Current | Shown | Dialogue | State);
    return result;
}

void ScriptSession::attachDialogue(OpenResult &result)
{
    const QString edtPath = withExtension(m_document.path, QStringLiteral(".edt"));
    if (!QFileInfo(edtPath).isFile())
        result.dialogueMissing = true;
    else if (const SessionResult loaded = readDialogue(edtPath); !loaded)
        result.dialogueError = loaded.message;
    else
        return;
    // The text of the previous script must not stay with this one.
    forgetDialogue();
    m_dialogueActive = false;
}

void ScriptSession::newScript()
{
    m_document.OwnNpcNumber = NoneByte;
    takeRecords(NpcRecords{});
    if (m_curRec != 0)
        setCurrent(0);
    m_document.path.clear();
    m_folderLinks.clear();
    forgetDialogue();
    showRec();
    m_dialogueActive = false;
    m_moveUpAllowed = false;
    m_moveDownAllowed = false;
    m_saveAsMacroAllowed = false;
    m_npcName.clear();
    notify(Records | Current | Shown | Dialogue | State);
}

SessionResult ScriptSession::write(const QString &path)
{
    NpcWriter writer;
    if (!writer.write(m_document.records, m_document.layout, path))
        return SessionResult::failure(writeFailureText(path, writer.errorString()));
    m_history.markSaved();
    // The grid keeps the link texts of the former number until their records are shown.
    showNpcName(path);
    takeFolder(path);
    return {};
}

SessionResult ScriptSession::save()
{
    const SessionResult written = write(m_document.path);
    notify(State | Findings);
    return written;
}

SessionResult ScriptSession::saveAs(const QString &path)
{
    const SessionResult written = write(path);
    if (written) {
        m_document.path = path;
        m_config.WorkDir = QFileInfo(path).absolutePath();
    }
    notify(State | Findings);
    return written;
}

void ScriptSession::setLayout(NpcLayout layout)
{
    m_document.layout = layout;
    notify(State);
}

SessionResult ScriptSession::readDialogue(const QString &path)
{
    EdtReader reader;
    if (!reader.read(path))
        return SessionResult::failure(readProblemText(path));
    m_edtText = reader.takeText();
    m_document.EdtPath = path;
    m_dialogueActive = true;
    return {};
}

void ScriptSession::forgetDialogue()
{
    m_document.EdtPath.clear();
    m_edtText.clear();
}

SessionResult ScriptSession::loadDialogue(const QString &path)
{
    const SessionResult loaded = readDialogue(path);
    if (loaded)
        notify(Dialogue | State);
    return loaded;
}

SessionResult ScriptSession::importDialogue(const QString &path)
{
    m_document.EdtPath = path;
    m_edtText.clear();
    const SessionResult loaded = readDialogue(path);
    notify(Dialogue | State);
    return loaded;
}

void ScriptSession::clearDialogue()
{
    forgetDialogue();
    notify(Dialogue);
}

SessionResult ScriptSession::exportDialogue(const QString &path) const
{
    EdtTxtWriter writer;
    if (writer.write(m_edtText, path))
        return {};
    return SessionResult::failure(writeFailureText(path, writer.errorString()));
}

SessionResult ScriptSession::addMacro(const QByteArray &name)
{
    m_macros.append(MacroEntry::form(name, currentRecord()));
    if (SessionResult written = saveMacros(); !written) {
        // Saving again must not leave a second copy behind.
        m_macros.removeLast();
        return written;
    }
    notify(Macros | State);
    return {};
}

void ScriptSession::renameMacro(int position, const QByteArray &name)
{
    m_macros.rename(position, name);
    notify(Macros);
}

void ScriptSession::deleteMacro(int position)
{
    m_macros.removeAt(position);
    notify(Macros | State);
}

void ScriptSession::exchangeMacros(int first, int second)
{
    m_macros.exchange(first, second);
    notify(Macros);
}

SessionResult ScriptSession::saveMacros()
{
    const QString path = m_config.macroPath();
    MacroWriter writer;
    if (!writer.write(m_macros.entries(), path))
        return SessionResult::failure(writeFailureText(path, writer.errorString()));
    notify(MacroFile);
    return {};
}

void ScriptSession::setExternalEditor(const QString &path)
{
    m_config.EdtEditor = path;
    // Once usable, the command stays so for the run.
    if (!path.isEmpty() && QFileInfo(path).isFile())
        m_runEditorAllowed = true;
    notify(State);
}

void ScriptSession::setDataDir(const QString &folder)
{
    m_config.DataDir = folder;
}

void ScriptSession::setWarningsOff(bool off)
{
    m_config.AlertShow = off ? 1 : 0;
}
