#pragma once

#include "dialogue/PhraseList.h"
#include "document/NpcScriptDocument.h"
#include "editor/FieldRules.h"
#include "editor/ListFolders.h"
#include "editor/RecordList.h"
#include "editor/RenumberPlan.h"
#include "editor/ScriptChecks.h"
#include "dialogue/PhraseList.h"
#include "dialogue/TextReplace.h"
#include "editor/ScriptGraph.h"
#include "session/AppSettings.h"
#include "session/SessionSpelling.h"
#include "session/CommandState.h"
#include "session/DialogueText.h"
#include "session/ForeignLinkFixes.h"
#include "session/GridCaptions.h"
#include "session/LinkNavigation.h"
#include "session/ListFiles.h"
#include "session/MacroLibrary.h"
#include "session/RecordHistory.h"
#include "session/RecoveryKeeper.h"
#include "session/ScriptAnalysis.h"
#include "session/ScriptDisk.h"
#include "session/SessionResult.h"

#include <QObject>

#include <future>

class FileOps;

// The one editing session: the open script, its current record, the record clipboard,
// the lists, the grid's row captions and the undo history, with rooms of their own for
// the dialogue text, the macros, link navigation and the settings. Every change is one
// method that ends by emitting what changed; the session never asks the user anything,
// it answers the queries that questions need and returns the user's message when
// something fails.
class ScriptSession : public QObject
{
    Q_OBJECT
public:
    // Reads the settings of the start folder.
    explicit ScriptSession(const QString &startFolder, QObject *parent = nullptr);
    ~ScriptSession() override;

    // --- The rooms -----------------------------------------------------------------------
    AppSettings &settings() { return m_settings; }
    const AppSettings &settings() const { return m_settings; }
    SessionSpelling &spelling() { return m_spelling; }
    MacroLibrary &macroLibrary() { return m_macros; }
    const MacroLibrary &macroLibrary() const { return m_macros; }
    DialogueText &dialogue() { return m_dialogue; }
    const DialogueText &dialogue() const { return m_dialogue; }
    LinkNavigation &links() { return m_links; }
    const LinkNavigation &links() const { return m_links; }
    const ForeignLinkFixes &foreignLinks() const { return m_foreign; }
    RecoveryKeeper &recovery() { return m_recovery; }
    const ScriptAnalysis &analysis() const { return m_analysis; }
    ScriptDisk &disk() { return m_disk; }
    const ScriptDisk &disk() const { return m_disk; }

    // --- State -----------------------------------------------------------------------
    const NpcScriptDocument &document() const { return m_document; }
    const NpcRecords &records() const { return m_document.records; }
    const NpcRecord &record(int index) const { return m_document.records.at(index); }
    int CurRec() const { return m_curRec; }
    const NpcRecord &currentRecord() const { return record(m_curRec); }
    const NpcRecord &clipboard() const { return m_clipboard; }
    const ReferenceLists &lists() const { return m_lists; }
    // The lines of the lists as last read that name no usable number, counted on another
    // thread once asked for, and again at each reading after; unclearListsCounted() says when.
    const QList<UnclearListCount> &unclearListCounts() const { return m_unclearCounts; }
    void countUnclearListLines();
    // Found when first asked for: a start only counts them.
    const QList<UnclearListLine> &unclearListLines() const;

    // Grid row captions: the action name (column 1) and the link (column 2).
    const GridCaptions &captions() const { return m_captions; }

    // Records were changed since the script was last opened or saved, and not undone.
    bool isModified() const;
    // The current record was last shown empty, or marked so: the main window's record
    // label takes its empty form.
    bool recordShownEmpty() const { return m_labelEmptyForm; }

    // What every command may do now.
    CommandState commandState() const;

    // --- Queries behind the user's questions ----------------------------------------------
    // Each is asked just before the record is left or the script written, so each first
    // lets a value typed but not yet confirmed be committed (aboutToLeaveRecord).
    // Leaving the script now would lose changes.
    bool hasUnsavedChanges();
    // Records that hand control to the current one, as "3, 7, 12; Shop: 2; #112: 4".
    QString linksToCurrent();
    // Those of them in the other scripts of the folder: "Shop: 2; #112: 4".
    QString otherScriptLinksToCurrent();
    // What saving would have to change in the other scripts of the folder so that their
    // links keep leading to the same records, a line each; empty when nothing.
    QString otherScriptChanges();
    // A paste pushes a non-empty last record out of the list.
    bool pasteDropsLastRecord();
    // Saving in the Vesta layout would leave out bytes of record 49.
    bool saveDropsLastRecord();
    // Clearing or initialising the current record would lose values.
    bool currentRecordHasValues();
    // Where the current record hands control to; nothing when it has no link.
    std::optional<LinkNavigation::LinkTarget> linkToFollow();
    // The dialogue text was changed since it was read or saved, and not undone.
    bool hasUnsavedText();
    // The dialogue file a save as `scriptPath` would write the text to, when a file is
    // there already that is not the one the text was read from; empty otherwise.
    QString dialogueFileToReplace(const QString &scriptPath);

    // --- Start-up --------------------------------------------------------------------
    // Starts reading the eight lists on other threads while the windows are built.
    void prefetchLists();
    // Reads the eight lists, or takes those prefetched from the same folders; one
    // failure for each list that could not be read. Also whenever they are read again.
    QList<SessionResult> loadLists();
    // The lists have been read at least once.
    bool listsRead() const { return m_listsRead > 0; }
    // Reads the lists on other threads and takes them in from the event loop once read,
    // unless they have been read by then (those prefetched are taken in at once);
    // listsReadLater() gives the failures. For a window shown before its lists: beside
    // its building they would slow it.
    void loadListsLater();
    // loadLists() when the lists have never been read; no failures otherwise.
    QList<SessionResult> loadListsIfUnread();
    // The record and the state shown by every view as they stand: for views made before
    // the lists are read, which shows them again.
    void showAsItStands() { notify(Shown | State); }
    // Another program changed, removed or added a list file since the lists were read.
    bool listFilesChanged() const { return m_listFiles.changedOnDisk(); }
    // The list files and folders to watch for that.
    QStringList listWatchPaths() const { return m_listFiles.watchedPaths(); }

    // --- The script ----------------------------------------------------------------------
    struct OpenOptions {
        bool setWorkDir = true; // Open does, a drop does not
        bool readOnly = false;  // another editor has it open
    };
    // Reads a script, takes it with the dialogue file beside it, and shows record 0.
    OpenResult openScript(const QString &path, OpenOptions options);
    void newScript();
    bool hasPath() const { return !m_document.path.isEmpty(); }
    // Writes to the script's path (the caller offers Save As when there is none); with
    // Fix, the other scripts' links that otherScriptChanges() names are written with it,
    // all files or none.
    enum class OtherScripts { Leave, Fix };
    SessionResult save(OtherScripts others = OtherScripts::Leave);
    SessionResult saveAs(const QString &path);
    void setLayout(NpcLayout layout);
    // After a renumbering was written: the lists are read again when one changed, and the
    // open script, when the plan changed or renamed it, is read again (under its new name)
    // at the same record.
    OpenResult takeRenumbering(const RenumberPlan &plan);

    // --- Keeping work safe (ScriptSessionDisk.cpp) -------------------------------------
    // The records or the dialogue text have changes that no file holds.
    bool hasUnsavedWork() const;
    // What the recovery file keeps; nothing when all is saved.
    std::optional<RecoveryState> unsavedState() const;
    // Takes the state of an editor that ended without saving, as modified, and keeps it
    // in this editor's own recovery file before the old one goes.
    OpenResult recover(const RecoveryKeeper::Offer &offer);

    // Whether a part changed on disk may be read again without a question: it has no
    // changes of the editor's own.
    bool hasUnsavedPart(ScriptDisk::Part part) const;
    // Reads the part again, keeping the current record; the editor's changes to it go.
    SessionResult reread(ScriptDisk::Part part);
    // The files Save (or Save As to `scriptPath`) would write over that another program
    // changed since they were read or written here.
    QStringList changedBehindBack(const QString &scriptPath);

    // --- The current record ------------------------------------------------------------
    void selectRecord(int row);
    // What Enter or leaving an edit did: the edit text, combo box, box and focus for the
    // panel. The stored value is already in the record.
    RuleOutcome commitField(NpcField field, const QString &text);
    // A pick of combo item `item`; editText is what the edit shows now.
    RuleOutcome pickField(NpcField field, int item, const QString &editText);
    void setFieldDefault(NpcField field);
    // A field shows a value typed but not yet confirmed: there is something to save.
    void noteTypedValue();
    // The upper limit of a field as the lists set it.
    int fieldLimit(NpcField field) const;

    void cutRecord();
    void copyRecord();
    void pasteRecord();
    void deleteRecord();
    void cleanRecord();
    void initialiseRecord();
    // -1 up, +1 down; nothing at either end.
    void moveRecord(int delta);
    SessionResult applyMacro(int position);

    void undo();
    void redo();

    // --- The phrases ---------------------------------------------------------------------
    // Each is one step of the history, changing the text and the records' phrase numbers
    // together; a refusal changes nothing and says why. `phraseLine()` is then the line
    // the step ends at.
    SessionResult editPhrase(qsizetype line, const QString &text);
    SessionResult addPhrase();
    SessionResult appendPhrase();
    SessionResult insertPhrase(qsizetype line);
    SessionResult deletePhrase(qsizetype line);
    SessionResult movePhrase(qsizetype line, int delta);
    // The whole text from a file in the export's form.
    SessionResult importPhrases(const QString &path);
    // Lines replaced as one step; refused when a line no longer holds what was replaced.
    SessionResult replacePhrases(const QList<LineReplacement> &lines);
    // The records that speak the line, as "3, 7"; empty when none does.
    QString phraseSpeakers(qsizetype line) const;
    // The line the phrases window stands on; -1 for none.
    qsizetype phraseLine() const { return m_phraseLine; }
    void selectPhrase(qsizetype line);

signals:
    // The current record is about to be left or the script written: whatever shows a
    // value typed but not yet confirmed commits it now, into the record it belongs to.
    void aboutToLeaveRecord();
    // Values of the records changed.
    void recordsChanged();
    // Grid row captions changed.
    void captionsChanged();
    void currentRecordChanged(int row);
    // The current record is to be shown again in every control.
    void recordShown();
    // Title, record label, character name, layout or what the commands can do.
    void stateChanged();
    // What the checks find may have changed.
    void findingsChanged();
    // The lists were read (again): names, limits and what depends on them. Comes before
    // the record is shown again.
    void listsChanged();
    // The unclear lines of the lists as last read are counted.
    void unclearListsCounted();
    // The lists asked for by loadListsLater() are taken in; what could not be read.
    void listsReadLater(const QList<SessionResult> &failures);

private:
    enum Change : int {
        Records = 1,
        Current = 2,
        Shown = 4,
        Dialogue = 8,
        State = 16,
        Findings = 32, // the folder was read again
        Lists = 64,
    };
    void notify(int changes);
    void announceLeaving() { emit aboutToLeaveRecord(); }

    NpcRecord &current() { return m_document.records.at(m_curRec); }
    RecordState state() const;
    // Ends a command: a step of the history when it changed the records.
    void endStep(const QString &name, const RecordState &before,
                 int changes = Records | Current | Shown | State);
    RecordList recordList();
    // The changes to announce.
    int restore(const RecordState &state);
    void takeRecords(const NpcRecords &records);
    void fillCaptions();
    // The script's own character number, from its file name.
    void takeOwnNumber(const QString &path);
    void attachDialogue(OpenResult &result);
    SessionResult write(const QString &path, const QString &edtPath, OtherScripts others = OtherScripts::Leave);
    QString dialogueSavePath(const QString &scriptPath) const;
    bool textChanged() const;
    // A save would write the text to that file.
    bool textGoesTo(const QString &edtPath) const;
    void takeReadText();
    SpokenText spoken() const;
    SessionResult applyPhraseStep(const PhraseStep &step, const QString &name);
    void takeFolder(const QString &path);
    void startUnclearCount();

    // The steps each command runs, in the order it runs them.
    void showRec();
    void markModified();
    void setCurrent(int row);
    void showActionCaption();
    void applyRuleOutcome(NpcField field, const RuleOutcome &outcome, const QString &editText);
    QString fieldStepName(NpcField field) const;

    AppSettings m_settings;
    MacroLibrary m_macros;
    ScriptDisk m_disk;
    DialogueText m_dialogue;
    LinkNavigation m_links;
    ForeignLinkFixes m_foreign;
    FileOps *m_fileOps;
    ReferenceLists m_lists;
    QList<UnclearListCount> m_unclearCounts;
    mutable std::optional<QList<UnclearListLine>> m_unclearLines;
    quint64 m_listsRead = 0; // which reading a count belongs to
    bool m_countUnclear = false;
    ListFiles m_listFiles;
    SessionSpelling m_spelling{m_settings, m_lists};
    NpcScriptDocument m_document;
    GridCaptions m_captions{m_lists};
    RecordHistory m_history;
    RecoveryKeeper m_recovery;
    SpokenText m_saved; // as last read or written
    qsizetype m_phraseLine = -1;
    int m_curRec = 0;
    NpcRecord m_clipboard;
    ScriptAnalysis m_analysis{m_document, m_lists, m_dialogue, m_links, m_foreign};

    // What the record label shows: the record as it was last shown, or marked changed.
    bool m_labelEmptyForm = true;
    // A copy or cut filled the clipboard and no paste has used it since.
    bool m_pasteAvailable = false;
    // A new script: moving records waits until a record is selected.
    bool m_movesWaitForSelection = false;
    // A field shows a typed value that no commit or showing of the record has taken yet.
    bool m_typedValuePending = false;

    friend class SessionTester;
    std::future<void> m_unclearCounting;
    std::future<LoadedLists> m_prefetchedLists; // last: waited for before the rest goes
};
