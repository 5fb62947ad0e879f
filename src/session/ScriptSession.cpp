#include "session/ScriptSession.h"

#include "common/FileMessages.h"
#include "common/FileSetWriter.h"
#include "common/Windows1251.h"
#include "dialogue/EdtWriter.h"
#include "document/NpcFile.h"
#include "document/NpcName.h"
#include "editor/RenumberInputs.h"

#include <QDir>
#include <QFileInfo>

ScriptSession::ScriptSession(const QString &startFolder, QObject *parent)
    : QObject(parent), m_settings(startFolder), m_macros(m_settings.config().macroPath()),
      m_fileOps(&FileOps::system())
{
    connect(&m_dialogue, &DialogueText::replaced, this, &ScriptSession::takeReadText);
    // A text read or changed changes what the phrase checks find.
    connect(&m_dialogue, &DialogueText::changed, this, [this] {
        m_findings.reset();
        emit findingsChanged();
    });
    for (QObject *room : std::initializer_list<QObject *>{&m_settings, &m_macros, &m_dialogue, &m_links, &m_recovery})
        room->setParent(this);
    m_recovery.setSnapshot([this] { return unsavedState(); });
}

void ScriptSession::notify(int changes)
{
    const bool findings = changes & (Records | Findings);
    if (findings)
        m_findings.reset();
    if (changes & Records)
        emit recordsChanged();
    if (m_captions.action != m_shownCaptions.action || m_captions.link != m_shownCaptions.link) {
        m_shownCaptions = m_captions;
        emit captionsChanged();
    }
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
    can.save = (isModified() || m_typedValuePending) && !m_readOnly;
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
    can.followLink = currentLink().has_value();
    can.goBack = m_links.canGoBack();
    can.editPhrases = true;
    can.importPhrases = true;
    can.addPhrase = true;
    const qsizetype lines = m_dialogue.text().size();
    const bool onLine = m_phraseLine >= 0 && m_phraseLine < lines;
    can.insertPhrase = onLine || lines == 0;
    can.deletePhrase = onLine;
    can.movePhraseUp = onLine && m_phraseLine > 0;
    can.movePhraseDown = onLine && m_phraseLine + 1 < lines;
    can.renumber = true; // any folder: the open script's, or one the dialog is given
    return can;
}

const QList<CheckFinding> &ScriptSession::findings() const
{
    if (!m_findings) {
        CheckContext context;
        context.ownNpcNumber = m_document.OwnNpcNumber;
        context.lists = &m_lists;
        if (m_dialogue.isLoaded())
            context.edtLines = m_dialogue.text().lines();
        context.others = [this](quint8 npc) { return m_links.folder().find(npc); };
        m_findings = checkScript(m_document.records, context);
    }
    return *m_findings;
}

LinkNavigation::Incoming ScriptSession::incomingLinks() const
{
    return m_links.incomingTo(m_curRec, m_document.records, m_document.OwnNpcNumber,
                              m_foreign.savedSlotOf(m_curRec));
}

std::optional<LinkNavigation::LinkTarget> ScriptSession::currentLink() const
{
    return m_links.linkOf(currentRecord(), m_document.OwnNpcNumber);
}

ScriptGraph ScriptSession::scriptGraph() const
{
    ScriptGraphSources sources;
    sources.ownNpcNumber = m_document.OwnNpcNumber;
    sources.lists = &m_lists;
    if (m_dialogue.isLoaded())
        sources.phrases = [text = &m_dialogue.text()](qsizetype k) { return text->find(k); };
    sources.others = [this](quint8 npc) { return m_links.folder().find(npc); };
    return ::scriptGraph(m_document.records, sources);
}

void ScriptSession::takeFolder(const QString &path)
{
    m_links.readFolder(path, m_document.OwnNpcNumber);
    m_settings.addRecentFile(path);
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
    return QStringLiteral("Scrivlet - ") + m_document.path + (modified ? QStringLiteral("*") : QString()) +
           (m_readOnly ? QStringLiteral(" [только чтение]") : QString());
}

QString ScriptSession::RecLabelPrefix() const
{
    return m_labelEmptyForm ? QStringLiteral("Пустая запись:") : QStringLiteral("Запись:");
}

QString ScriptSession::recordLabel() const
{
    return RecLabelPrefix() + QLatin1Char(' ') + QString::number(m_curRec);
}

bool ScriptSession::hasUnsavedChanges()
{
    announceLeaving();
    return isModified();
}

QString ScriptSession::linksToCurrent()
{
    announceLeaving();
    return incomingLinks().list;
}

QString ScriptSession::otherScriptLinksToCurrent()
{
    announceLeaving();
    return incomingLinks().others;
}

QString ScriptSession::otherScriptChanges()
{
    announceLeaving();
    return ForeignLinkFixes::describe(m_foreign.pending(m_links.folder()));
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
    return currentLink();
}

void ScriptSession::prefetchLists()
{
    m_prefetchedLists = std::async(std::launch::async, ::loadLists, m_settings.listFolders());
}

QList<SessionResult> ScriptSession::loadLists()
{
    LoadedLists loaded = m_prefetchedLists.valid() ? m_prefetchedLists.get() : LoadedLists{};
    if (loaded.folders != m_settings.listFolders())
        loaded = ::loadLists(m_settings.listFolders());
    m_lists = std::move(loaded.lists);
    m_spelling.listsChanged();
    notify(Records | Shown | State);
    QList<SessionResult> failures;
    for (const QString &path : loaded.failed)
        failures << SessionResult::failure(readProblemText(path));
    return failures;
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
    announceLeaving();
    OpenResult result;
    // Stamped before reading: a change made meanwhile is then seen as one.
    const FileStamp stamp = FileStamp::of(path);
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
    noteScriptFile(path, stamp, options.readOnly);
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
    noteScriptFile({}, {}, false);
    m_links.forgetFolder();
    m_dialogue.forget(false);
    showRec();
    m_movesWaitForSelection = true;
    m_npcName.clear();
    notify(Records | Current | Shown | Dialogue | State);
}

// Every file a save writes is put into one set here, written all or none: the script,
// its dialogue text when that changed, and the other scripts' links when the user said so.
SessionResult ScriptSession::write(const QString &path, const QString &edtPath, OtherScripts others)
{
    const bool text = textGoesTo(edtPath);
    const QList<ForeignLinkFix> fixes =
        others == OtherScripts::Fix ? m_foreign.pending(m_links.folder()) : QList<ForeignLinkFix>();
    const QByteArray script = NpcWriter::encode(m_document.records, m_document.layout);
    // The phrase numbers of the script fit this text only: an old pair is better than
    // a new script beside an old text.
    const QByteArray dialogue = text ? EdtWriter::encode(m_dialogue.text()) : QByteArray();
    FileSetWriter files(*m_fileOps);
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
    m_foreign.markSaved();
    m_history.markSaved();
    noteScriptFile(path, FileStamp::ofWritten(path, script), false);
    m_recovery.drop();
    m_saved = spoken();
    // The grid keeps the link texts of the former number until their records are shown.
    showNpcName(path);
    takeFolder(path);
    return {};
}

SessionResult ScriptSession::save(OtherScripts others)
{
    announceLeaving();
    if (m_readOnly)
        return SessionResult::failure(QStringLiteral("Скрипт %1 открыт только для чтения: его можно сохранить только под другим именем.")
                                          .arg(QDir::toNativeSeparators(m_document.path)));
    const SessionResult written = write(m_document.path, dialogueSavePath(m_document.path), others);
    notify(State | Findings | (written ? Dialogue : 0));
    return written;
}

SessionResult ScriptSession::saveAs(const QString &path)
{
    announceLeaving();
    if (const auto holder = lockedByOther(path))
        return SessionResult::failure(lockedText(*holder) + QStringLiteral("\r\nЗапишите скрипт под другим именем."));
    const SessionResult written = write(path, dialogueSavePath(path));
    if (written) {
        m_document.path = path;
        m_settings.setWorkDir(QFileInfo(path).absolutePath());
    }
    notify(State | Findings | (written ? Dialogue : 0));
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
        return {failures.first(), false, {}};
    return result;
}

void ScriptSession::setLayout(NpcLayout layout)
{
    m_document.layout = layout;
    notify(State);
}
