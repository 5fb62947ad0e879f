// Keeping the user's work safe: the recovery file of unsaved changes, the files changed
// by other programs, and the lock that keeps a second editor from writing over a script.
#include "session/ScriptSession.h"

#include "common/FileMessages.h"
#include "dialogue/EdtPath.h"
#include "document/NpcFile.h"

#include <QDir>
#include <QFileInfo>

ScriptSession::~ScriptSession()
{
    // A normal exit: whatever was unsaved, the user has let go of.
    m_recovery.drop();
}

void ScriptSession::noteScriptFile(const QString &path, const FileStamp &stamp, bool readOnly)
{
    m_scriptStamp = m_scriptSeen = stamp;
    m_readOnly = readOnly;
    if (path.isEmpty() || readOnly)
        m_lock.release();
    else
        m_lock.take(path);
}

bool ScriptSession::hasUnsavedWork() const
{
    return isModified() || textChanged();
}

std::optional<RecoveryState> ScriptSession::unsavedState() const
{
    if (!hasUnsavedWork())
        return std::nullopt;
    RecoveryState state;
    state.scriptPath = m_document.path;
    state.layout = m_document.layout;
    state.records = m_document.records;
    state.dialoguePath = m_dialogue.path();
    if (textChanged())
        state.dialogue = m_dialogue.text();
    return state;
}

OpenResult ScriptSession::recover(const RecoveryKeeper::Offer &offer)
{
    announceLeaving();
    const RecoveryState &state = offer.state;
    OpenResult result;
    m_document.layout = state.layout;
    m_document.path = state.scriptPath;
    if (state.scriptPath.isEmpty()) {
        m_document.OwnNpcNumber = NoneByte;
        m_npcName.clear();
        m_links.forgetFolder();
    } else {
        showNpcName(state.scriptPath);
    }
    takeRecords(state.records);
    m_history.restart(true);
    // Another editor may hold the script by now; this one then only shows the work.
    noteScriptFile(state.scriptPath, FileStamp::of(state.scriptPath),
                   !state.scriptPath.isEmpty() && ScriptLock::heldByOther(state.scriptPath).has_value());
    if (!state.scriptPath.isEmpty())
        takeFolder(state.scriptPath);
    if (state.dialogue) {
        // The text goes to the dialogue file beside the script, whatever path the file
        // names: a recovery file is no reason to write anywhere else.
        const auto same = [&state](const QString &beside) {
            return !beside.isEmpty() &&
                   QFileInfo(state.dialoguePath).absoluteFilePath() == QFileInfo(beside).absoluteFilePath();
        };
        const QString named =
            state.scriptPath.isEmpty() ? QString() : withExtension(state.scriptPath, QStringLiteral(".edt"));
        const QString found = m_links.folder().dialoguePathOf(QFileInfo(state.scriptPath).fileName());
        const QString path = same(found) || same(named) ? state.dialoguePath : found.isEmpty() ? named : found;
        m_dialogue.forget(true);
        m_dialogue.m_text = *state.dialogue;
        m_dialogue.m_path = path;
        m_dialogue.m_stamp = m_dialogue.m_seen = FileStamp::of(path);
    } else if (!state.scriptPath.isEmpty()) {
        attachDialogue(result);
    } else {
        m_dialogue.forget(false);
    }
    if (m_curRec != 0)
        setCurrent(0);
    showRec();
    m_movesWaitForSelection = false;
    notify(Records | Current | Shown | Dialogue | State);
    m_recovery.adopt(offer.file);
    return result;
}

QString ScriptSession::diskPath(DiskPart part) const
{
    return part == DiskPart::Script ? m_document.path : m_dialogue.path();
}

ScriptSession::DiskState ScriptSession::newDiskChange(DiskPart part)
{
    const QString path = diskPath(part);
    if (path.isEmpty())
        return DiskState::Same;
    const bool script = part == DiskPart::Script;
    const FileStamp &known = script ? m_scriptStamp : m_dialogue.m_stamp;
    FileStamp &seen = script ? m_scriptSeen : m_dialogue.m_seen;
    const FileStamp now = FileStamp::of(path);
    if (now.sameContent(known) || now.sameContent(seen)) {
        seen = now;
        return DiskState::Same;
    }
    seen = now;
    return now.exists ? DiskState::Changed : DiskState::Gone;
}

bool ScriptSession::hasUnsavedPart(DiskPart part) const
{
    return part == DiskPart::Script ? isModified() : textChanged();
}

SessionResult ScriptSession::reread(DiskPart part)
{
    announceLeaving();
    const QString path = diskPath(part);
    if (part == DiskPart::Dialogue)
        return m_dialogue.load(path);
    const FileStamp stamp = FileStamp::of(path);
    NpcReader reader;
    if (!reader.read(path))
        return SessionResult::failure(reader.errorString());
    m_document.layout = reader.layout();
    takeRecords(reader.records());
    m_scriptStamp = m_scriptSeen = stamp;
    showRec();
    notify(Records | Current | Shown | State | Findings);
    return {};
}

void ScriptSession::keepOwnVersion(DiskPart part)
{
    (part == DiskPart::Script ? m_scriptSeen : m_dialogue.m_seen) = FileStamp::of(diskPath(part));
}

QStringList ScriptSession::changedBehindBack(const QString &scriptPath)
{
    announceLeaving();
    QStringList changed;
    auto check = [&](const QString &path, const FileStamp &known) {
        // Only a file holds another version; a write over anything else fails and says so.
        const FileStamp now = FileStamp::of(path);
        if (QFileInfo(path).isFile() && !now.sameContent(known))
            changed << path;
    };
    if (!scriptPath.isEmpty() && QFileInfo(scriptPath).absoluteFilePath() == QFileInfo(m_document.path).absoluteFilePath())
        check(scriptPath, m_scriptStamp);
    if (textChanged() && !m_dialogue.path().isEmpty())
        check(m_dialogue.path(), m_dialogue.m_stamp);
    return changed;
}

std::optional<ScriptLock::Holder> ScriptSession::lockedByOther(const QString &path) const
{
    return ScriptLock::heldByOther(path);
}

QString ScriptSession::lockedText(const ScriptLock::Holder &holder)
{
    return QStringLiteral("Скрипт %1 уже открыт в другом окне Scrivlet (процесс %2).")
        .arg(QDir::toNativeSeparators(holder.path))
        .arg(holder.process.pid);
}
