// Keeping the user's work safe: the recovery file of unsaved changes, the files changed
// by other programs, and the lock that keeps a second editor from writing over a script.
#include "session/ScriptSession.h"

#include "common/FileMessages.h"
#include "dialogue/EdtPath.h"
#include "document/NpcFile.h"

#include <QFileInfo>

ScriptSession::~ScriptSession()
{
    // A normal exit: whatever was unsaved, the user has let go of.
    m_recovery.drop();
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
        m_links.forgetFolder();
    } else {
        takeOwnNumber(state.scriptPath);
    }
    takeRecords(state.records);
    m_history.restart(true);
    // Another editor may hold the script by now; this one then only shows the work.
    m_disk.takeScript(state.scriptPath, FileStamp::of(state.scriptPath),
                      !state.scriptPath.isEmpty() && ScriptDisk::lockedByOther(state.scriptPath).has_value());
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
        m_dialogue.takeRecovered(*state.dialogue, path);
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

bool ScriptSession::hasUnsavedPart(ScriptDisk::Part part) const
{
    return part == ScriptDisk::Part::Script ? isModified() : textChanged();
}

SessionResult ScriptSession::reread(ScriptDisk::Part part)
{
    announceLeaving();
    const QString path = m_disk.file(part).path();
    if (part == ScriptDisk::Part::Dialogue)
        return m_dialogue.load(path);
    FileStamp stamp;
    NpcReader reader;
    if (!reader.read(path, &stamp))
        return SessionResult::failure(reader.errorString());
    m_document.layout = reader.layout();
    takeRecords(reader.records());
    m_disk.script().take(path, stamp);
    showRec();
    notify(Records | Current | Shown | State | Findings);
    return {};
}

QStringList ScriptSession::changedBehindBack(const QString &scriptPath)
{
    announceLeaving();
    QStringList changed;
    const WatchedFile &script = m_disk.script();
    if (!scriptPath.isEmpty() &&
        QFileInfo(scriptPath).absoluteFilePath() == QFileInfo(script.path()).absoluteFilePath() &&
        script.changedBehindBack())
        changed << scriptPath;
    if (textChanged() && m_disk.dialogue().changedBehindBack())
        changed << m_dialogue.path();
    return changed;
}
