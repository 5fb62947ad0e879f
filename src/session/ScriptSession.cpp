#include "session/ScriptSession.h"

#include "common/FileMessages.h"
#include "common/FileSetRecovery.h"
#include "common/FileSetWriter.h"
#include "common/StartupSteps.h"
#include "common/Windows1251.h"
#include "dialogue/EdtWriter.h"
#include "document/NpcFile.h"
#include "document/NpcName.h"
#include "editor/RenumberInputs.h"
#include "editor/ScriptLinks.h"

#include <QDir>
#include <QFileInfo>

#include <algorithm>

ScriptSession::ScriptSession(const QString &startFolder, QObject *parent)
    : QObject(parent), m_settings(startFolder), m_macros(m_settings.config().macroPath()),
      m_dialogue(m_disk.dialogue()), m_fileOps(&FileOps::system())
{
    connect(&m_dialogue, &DialogueText::replaced, this, &ScriptSession::takeReadText);
    // A text read or changed changes what the phrase checks find.
    connect(&m_dialogue, &DialogueText::changed, this, [this] {
        m_analysis.forget();
        emit findingsChanged();
    });
    for (QObject *room : std::initializer_list<QObject *>{&m_settings, &m_macros, &m_dialogue, &m_links, &m_recovery})
        room->setParent(this);
    m_recovery.setSnapshot([this] { return unsavedState(); });
    StartupSteps::done("settings");
}

void ScriptSession::notify(int changes)
{
    const bool findings = changes & (Records | Findings | Lists);
    if (findings)
        m_analysis.forget();
    if (changes & Lists)
        emit listsChanged();
    if (changes & Records)
        emit recordsChanged();
    if (m_captions.takeNews())
        emit captionsChanged();
    if (changes & Current)
        emit currentRecordChanged(m_curRec);
    if (changes & Shown)
        emit recordShown();
    if (changes & Dialogue)
        m_dialogue.announce(); // says itself that the findings changed
    if (changes & State)
        emit stateChanged();
    if (findings && !(changes & Dialogue))
        emit findingsChanged();
    if (!hasUnsavedWork())
        m_recovery.drop();
    else if (changes & (Records | Dialogue))
        m_recovery.noteChange();
}

CommandState ScriptSession::commandState() const
{
    CommandState can;
    can.save = (isModified() || m_typedValuePending) && !m_disk.isReadOnly();
    can.paste = m_pasteAvailable;
    can.moveUp = !m_movesWaitForSelection && m_curRec != 0;
    can.moveDown = !m_movesWaitForSelection && m_curRec != RecordCount - 1;
    can.saveAsMacro = !currentRecord().isEmpty();
    can.macroManager = !m_macros.macros().isEmpty();
    can.dialogue = m_dialogue.isLoaded() || !m_dialogue.text().isEmpty();
    can.runEditor = m_settings.canRunEditor();
    can.undo = m_history.canUndo();
    can.redo = m_history.canRedo();
    can.undoName = m_history.undoName();
    can.redoName = m_history.redoName();
    can.followLink = m_analysis.linkOf(m_curRec).has_value();
    can.goBack = m_links.canGoBack();
    can.editPhrases = true;
    can.importPhrases = true;
    can.addPhrase = true;
    can.appendPhrase = true;
    const qsizetype lines = m_dialogue.text().size();
    const bool onLine = m_phraseLine >= 0 && m_phraseLine < lines;
    can.insertPhrase = onLine || lines == 0;
    can.deletePhrase = onLine;
    can.movePhraseUp = onLine && m_phraseLine > 0;
    can.movePhraseDown = onLine && m_phraseLine + 1 < lines;
    can.renumber = true; // any folder: the open script's, or one the dialog is given
    return can;
}

void ScriptSession::takeFolder(const QString &path)
{
    m_links.readFolder(path, m_document.OwnNpcNumber);
    m_settings.addRecentFile(path);
}

bool ScriptSession::isModified() const
{
    return m_history.isModified();
}

bool ScriptSession::hasUnsavedChanges()
{
    announceLeaving();
    return isModified();
}

QString ScriptSession::linksToCurrent()
{
    announceLeaving();
    return m_analysis.incomingLinks(m_curRec).list;
}

QString ScriptSession::otherScriptLinksToCurrent()
{
    announceLeaving();
    return m_analysis.incomingLinks(m_curRec).others;
}

QString ScriptSession::otherScriptChanges()
{
    announceLeaving();
    return ForeignLinkFixes::describe(m_foreign.pending(m_links.folder()),
                                      QFileInfo(m_document.path).completeBaseName());
}

bool ScriptSession::pasteDropsLastRecord()
{
    announceLeaving();
    return !record(RecordCount - 1).isEmpty();
}

bool ScriptSession::saveDropsLastRecord()
{
    announceLeaving();
    return vestaLosesLastRecord(m_document.records, m_document.layout);
}

bool ScriptSession::currentRecordHasValues()
{
    announceLeaving();
    return !currentRecord().isEmpty();
}

std::optional<LinkNavigation::LinkTarget> ScriptSession::linkToFollow()
{
    announceLeaving();
    return m_analysis.linkOf(m_curRec);
}

void ScriptSession::prefetchLists()
{
    m_prefetchedLists = std::async(std::launch::async, ::loadLists, m_settings.listFolders());
}

void ScriptSession::loadListsLater()
{
    if (listsRead())
        return;
    if (m_prefetchedLists.valid()) { // begun long before
        emit listsReadLater(loadLists());
        return;
    }
    m_prefetchedLists = std::async(std::launch::async, [this, folders = m_settings.listFolders()] {
        LoadedLists loaded = ::loadLists(folders);
        QMetaObject::invokeMethod(
            this,
            [this] {
                // Whatever read the lists before this took the reading with it.
                if (!listsRead())
                    emit listsReadLater(loadLists());
            },
            Qt::QueuedConnection);
        return loaded;
    });
}

QList<SessionResult> ScriptSession::loadListsIfUnread()
{
    return listsRead() ? QList<SessionResult>() : loadLists();
}

QList<SessionResult> ScriptSession::loadLists()
{
    // A value typed with the old limits is taken before they change.
    announceLeaving();
    const ListFolders folders = m_settings.listFolders();
    LoadedLists loaded = m_prefetchedLists.valid() ? m_prefetchedLists.get() : LoadedLists{};
    m_listFiles.note(folders);
    if (loaded.folders != folders)
        loaded = ::loadLists(folders);
    m_lists = std::move(loaded.lists);
    m_unclearCounts.clear();
    m_unclearLines.reset();
    ++m_listsRead;
    if (m_countUnclear)
        startUnclearCount();
    fillCaptions();
    m_spelling.listsChanged();
    notify(Lists | Shown | State);
    QList<SessionResult> failures;
    for (const QString &path : loaded.failed)
        failures << SessionResult::failure(readProblemText(path));
    return failures;
}

void ScriptSession::countUnclearListLines()
{
    // Lists not read yet are counted when they are.
    if (!std::exchange(m_countUnclear, true) && listsRead())
        startUnclearCount();
}

void ScriptSession::startUnclearCount()
{
    const quint64 reading = m_listsRead;
    m_unclearCounting = std::async(std::launch::async, [this, reading, files = listFileTexts(m_lists)] {
        QMetaObject::invokeMethod(
            this,
            [this, reading, counts = ::unclearListCounts(files)] {
                if (reading != m_listsRead)
                    return; // the lists were read again meanwhile
                m_unclearCounts = counts;
                emit unclearListsCounted();
            },
            Qt::QueuedConnection);
    });
}

const QList<UnclearListLine> &ScriptSession::unclearListLines() const
{
    if (!m_unclearLines)
        m_unclearLines = ::unclearListLines(m_lists);
    return *m_unclearLines;
}

void ScriptSession::takeRecords(const NpcRecords &records)
{
    m_document.records = records;
    m_saved.records = records;
    m_foreign.reset();
    fillCaptions();
    m_history.clear();
}

void ScriptSession::fillCaptions()
{
    m_captions.fill(m_document.records, m_document.OwnNpcNumber);
}

void ScriptSession::takeOwnNumber(const QString &path)
{
    m_document.OwnNpcNumber = parseNpcName(path).number;
}

OpenResult ScriptSession::openScript(const QString &path, OpenOptions options)
{
    announceLeaving();
    OpenResult result;
    const InterruptedSets sets = finishInterruptedSets({QFileInfo(path).absolutePath()}, *m_fileOps);
    result.interruptedWrite = (sets.failures + sets.notes).join(QStringLiteral("\r\n\r\n"));
    result.interruptedWriteFailed = !sets.failures.isEmpty();
    FileStamp stamp;
    NpcReader reader;
    if (!reader.read(path, &stamp)) {
        result.ok = false;
        result.message = reader.errorString();
        return result;
    }
    m_document.layout = reader.layout();
    takeOwnNumber(path);
    takeRecords(reader.records());
    m_document.path = path;
    m_disk.takeScript(path, stamp, options.readOnly);
    if (options.setWorkDir)
        m_settings.setWorkDir(QFileInfo(path).absolutePath());
    takeFolder(path);
    attachDialogue(result);

    // Row 0 becomes current as a selection would make it, then it is shown.
    if (m_curRec != 0)
        setCurrent(0);
    showRec();
    notify(Records | Current | Shown | Dialogue | State);
    return result;
}

void ScriptSession::attachDialogue(OpenResult &result)
{
    // From the folder's listing just read; a copy from Windows may say ".EDT".
    const QString edtPath = m_links.folder().dialoguePathOf(QFileInfo(m_document.path).fileName());
    if (edtPath.isEmpty())
        result.dialogueMissing = true;
    else if (const SessionResult loaded = m_dialogue.read(edtPath); !loaded)
        result.dialogueError = loaded.message;
    else
        return;
    // The text of the previous script must not stay with this one.
    m_dialogue.forget(false);
}

void ScriptSession::newScript()
{
    announceLeaving();
    m_document.OwnNpcNumber = NoneByte;
    takeRecords(NpcRecords{});
    if (m_curRec != 0)
        setCurrent(0);
    m_document.path.clear();
    m_disk.takeScript({}, {}, false);
    m_links.forgetFolder();
    m_dialogue.forget(false);
    showRec();
    m_movesWaitForSelection = true;
    notify(Records | Current | Shown | Dialogue | State);
}

// Every file a save writes is put into one set here, written all or none: the script,
// its dialogue text when that changed, and the other scripts' links when the user said so.
SessionResult ScriptSession::write(const QString &path, const QString &edtPath, OtherScripts others)
{
    const bool text = textGoesTo(edtPath);
    if (const QString tooMany = EdtWriter::tooManyLinesText(m_dialogue.text().size()); text && !tooMany.isEmpty())
        return SessionResult::failure(writeFailureText(edtPath, tooMany));
    const QList<ForeignLinkFix> pending = m_foreign.pending(m_links.folder());
    const QList<ForeignLinkFix> fixes = others == OtherScripts::Fix ? pending : QList<ForeignLinkFix>();
    const QByteArray script = NpcWriter::encode(m_document.records, m_document.layout);
    // The phrase numbers of the script fit this text only: an old pair is better than
    // a new script beside an old text.
    const QByteArray dialogue = text ? EdtWriter::encode(m_dialogue.text()) : QByteArray();
    FileSetWriter files(*m_fileOps);
    files.setFolder(QFileInfo(path).absolutePath());
    files.write(path, script);
    if (text)
        files.write(edtPath, dialogue);
    QString error;
    if (!ForeignLinkFixes::addFiles(fixes, m_document.OwnNpcNumber, files, error))
        return SessionResult::failure(error);
    if (!files.commit())
        return SessionResult::failure(files.errorString());
    if (text)
        m_dialogue.setWritten(edtPath, dialogue);
    if (others == OtherScripts::Leave && path == m_document.path)
        m_foreign.declined(pending);
    m_foreign.markSaved();
    m_history.markSaved();
    m_disk.takeScript(path, FileStamp::ofWritten(path, script), false);
    m_recovery.drop();
    m_saved = spoken();
    // The grid keeps the link texts of the former number until their records are shown.
    takeOwnNumber(path);
    takeFolder(path);
    return {};
}

SessionResult ScriptSession::save(OtherScripts others)
{
    announceLeaving();
    if (m_disk.isReadOnly())
        return SessionResult::failure(
            QStringLiteral(
                "Скрипт %1 открыт только для чтения: его можно сохранить только под другим именем.")
                .arg(QDir::toNativeSeparators(m_document.path)));
    const SessionResult written = write(m_document.path, dialogueSavePath(m_document.path), others);
    notify(State | Findings | (written ? Dialogue : 0));
    return written;
}

SessionResult ScriptSession::saveAs(const QString &path)
{
    announceLeaving();
    if (const auto holder = ScriptDisk::lockedByOther(path))
        return SessionResult::failure(ScriptDisk::lockedText(*holder) +
                                      QStringLiteral("\r\nЗапишите скрипт под другим именем."));
    // A script first named with a number: what linked inside it still does.
    const RecordState before = state();
    const NpcName name = parseNpcName(path);
    const bool relinked = m_document.OwnNpcNumber == NoneByte && name.numeric && !unlinkableNpcNumber(path) &&
                          !keepInsideLinks(m_document.records, NoneByte, name.number).isEmpty();
    const SessionResult written = write(path, dialogueSavePath(path));
    if (!written) {
        if (relinked)
            m_document.records = before.records;
        notify(State | Findings);
        return written;
    }
    m_document.path = path;
    m_settings.setWorkDir(QFileInfo(path).absolutePath());
    if (relinked) {
        m_history.push(QStringLiteral("ссылки внутри скрипта на номер %1").arg(name.number), before,
                       m_curRec);
        m_history.markSaved();
    }
    fillCaptions();
    notify(State | Findings | Dialogue | (relinked ? Records | Shown : 0));
    return written;
}

OpenResult ScriptSession::takeRenumbering(const RenumberPlan &plan)
{
    QList<SessionResult> failures;
    if (renumberingChangesLists(plan))
        failures = loadLists();
    OpenResult result;
    if (hasPath() && renumberingChanges(plan, m_document.path)) {
        const int record = m_curRec;
        result = openScript(pathAfterRenumbering(plan, m_document.path), {.setWorkDir = false});
        if (result)
            selectRecord(record);
    } else if (hasPath()) {
        takeFolder(m_document.path); // other scripts of its folder may have changed
        notify(Findings);
    }
    if (result && !failures.isEmpty())
        return {failures.first(), false, {}, {}, false};
    return result;
}

void ScriptSession::setLayout(NpcLayout layout)
{
    m_document.layout = layout;
    notify(State);
}
