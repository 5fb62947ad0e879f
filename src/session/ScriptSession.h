#pragma once

#include "dialogue/EdtText.h"
#include "document/NpcScriptDocument.h"
#include "editor/FieldRules.h"
#include "editor/RecordList.h"
#include "editor/ReferenceLists.h"
#include "editor/ScriptChecks.h"
#include "macros/MacroStore.h"
#include "session/AppConfig.h"
#include "session/FolderLinks.h"
#include "session/RecordHistory.h"
#include "session/SessionResult.h"

#include <QObject>

#include <future>

// The one editing session: the open script, its current record, the record clipboard,
// the lists, the dialogue text, the macros, the settings, the grid's row captions and the
// undo history. Every change is one method that ends by emitting what changed; the
// session never asks the user anything, it answers the queries that questions need and
// returns the user's message when something fails.
class ScriptSession : public QObject
{
    Q_OBJECT
public:
    // Reads the settings of the start folder.
    explicit ScriptSession(const QString &startFolder, QObject *parent = nullptr);

    // --- State -----------------------------------------------------------------------
    const NpcScriptDocument &document() const { return m_document; }
    const NpcRecords &records() const { return m_document.records; }
    const NpcRecord &record(int index) const { return m_document.records.at(index); }
    int CurRec() const { return m_curRec; }
    const NpcRecord &currentRecord() const { return record(m_curRec); }
    const NpcRecord &clipboard() const { return m_clipboard; }
    const ReferenceLists &lists() const { return m_lists; }
    const EdtText &edtText() const { return m_edtText; }
    const MacroStore &macros() const { return m_macros; }
    const AppConfig &config() const { return m_config; }
    AppConfig &config() { return m_config; }

    // Grid row captions: the action name (column 1) and the link (column 2).
    const RecordGridTexts &captions() const { return m_captions; }
    QString actionCaption(int row) const { return m_captions.action.at(row); }
    QString linkCaption(int row) const { return m_captions.link.at(row); }
    // Name of the Action list entry numbered with the text, decoded for display.
    QString actionName(const QByteArray &numberText) const;

    // Records were changed since the script was last opened or saved, and not undone.
    bool isModified() const;
    // "Scrivlet", "Scrivlet - path", with "*" while modified.
    QString windowTitle() const;
    // "Запись:" or "Пустая запись:", as the record was last shown or marked.
    QString RecLabelPrefix() const;
    QString recordLabel() const;
    bool recordLabelRed() const { return m_labelEmptyForm; }
    // "57. name", "Shop", or empty for a new script.
    QString npcNameLabel() const { return m_npcName; }

    // Which commands the user can give now.
    bool canPaste() const { return m_pasteAllowed; }
    bool canMoveUp() const { return m_moveUpAllowed; }
    bool canMoveDown() const { return m_moveDownAllowed; }
    bool canSaveAsMacro() const { return m_saveAsMacroAllowed; }
    bool hasDialogue() const { return m_dialogueActive; }
    bool canRunEditor() const { return m_runEditorAllowed; }
    bool canUndo() const { return m_history.canUndo(); }
    bool canRedo() const { return m_history.canRedo(); }
    QString undoName() const { return m_history.undoName(); }
    QString redoName() const { return m_history.redoName(); }

    // --- Queries behind the user's questions ---------------------------------------------
    // Records that hand control to the current one, as "3, 7, 12".
    QString linksToCurrent() const;
    // A paste pushes a non-empty last record out of the list.
    bool pasteDropsLastRecord() const;
    // Saving in the Vesta layout would leave out bytes of record 49.
    bool saveDropsLastRecord() const;

    // --- The whole script and its folder ------------------------------------------------
    // What the checks find in every record, as scrivlet-cli check reports it.
    const QList<CheckFinding> &findings() const;
    // "Ссылки на запись 5: 0, 3; #112: 4, 9": the records, here and in the other scripts
    // of the folder, that hand control to the current one.
    QString incomingLinksText() const;
    // Where the current record hands control to; nothing when it has no link.
    struct LinkTarget {
        bool local = true;
        quint8 npc = NoneByte;
        int record = 0;
        QString path; // the other character's script; empty when the folder has none
    };
    std::optional<LinkTarget> currentLink() const;
    QString folderPath() const { return m_folderLinks.folderPath(); }

    // Where a followed link was followed from, for going back.
    struct Place {
        QString path;
        int record = 0;
    };
    void rememberPlace(const Place &place);
    std::optional<Place> lastPlace() const;
    void forgetLastPlace();
    bool canGoBack() const { return !m_places.isEmpty(); }

    // A script of the recent-files list that is gone.
    void forgetRecentFile(const QString &path);

    // --- Start-up --------------------------------------------------------------------
    // Starts reading the eight lists on other threads while the windows are built.
    void prefetchLists();
    // Reads the eight lists, or takes those prefetched from the same folders; returns
    // the paths that could not be read.
    QStringList loadLists();
    // Reads the macro file when it exists.
    SessionResult loadMacros();
    // Writes the settings file.
    SessionResult saveSettings();

    // --- The script ----------------------------------------------------------------------
    struct OpenOptions {
        bool setWorkDir = true; // Open does, a drop does not
    };
    // Reads a script, takes it with the dialogue file beside it, and shows record 0.
    OpenResult openScript(const QString &path, OpenOptions options);
    void newScript();
    bool hasPath() const { return !m_document.path.isEmpty(); }
    // Writes to the script's path (the caller offers Save As when there is none).
    SessionResult save();
    SessionResult saveAs(const QString &path);
    void setLayout(NpcLayout layout);

    // --- The current record ------------------------------------------------------------
    void selectRecord(int row);
    // What Enter or leaving an edit did: the edit text, combo box, box and focus for the
    // panel. The stored value is already in the record.
    RuleOutcome commitField(NpcField field, const QString &text);
    // A pick of combo item `item`; editText is what the edit shows now.
    RuleOutcome pickField(NpcField field, int item, const QString &editText);
    void setFieldDefault(NpcField field);
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

    // --- The dialogue text -----------------------------------------------------------
    // Replaces the text with the file's and makes it the dialogue file; on failure
    // nothing changes.
    SessionResult loadDialogue(const QString &path);
    SessionResult reloadDialogue() { return loadDialogue(m_document.EdtPath); }
    // Another file: the old text is gone even when the new one cannot be read.
    SessionResult importDialogue(const QString &path);
    void clearDialogue();
    SessionResult exportDialogue(const QString &path) const;

    // --- Macros and settings ------------------------------------------------------------
    // Appends the current record under a name and writes the file; a macro that cannot
    // be written is taken back out.
    SessionResult addMacro(const QByteArray &name);
    void renameMacro(int position, const QByteArray &name);
    void deleteMacro(int position);
    void exchangeMacros(int first, int second);
    SessionResult saveMacros();

    void setExternalEditor(const QString &path);
    void setDataDir(const QString &folder);
    void setWarningsOff(bool off);

signals:
    // Records or their captions changed.
    void recordsChanged();
    void currentRecordChanged(int row);
    // The current record is to be shown again in every control.
    void recordShown();
    void dialogueChanged();
    void macrosChanged();
    // The macro file was read or written: it holds the macros as they are now.
    void macrosSaved();
    // Title, record label, character name, layout or what the commands can do.
    void stateChanged();
    // What the checks find may have changed.
    void findingsChanged();

private:
    enum Change : int {
        Records = 1,
        Current = 2,
        Shown = 4,
        Dialogue = 8,
        Macros = 16,
        State = 32,
        MacroFile = 64,
        Findings = 128, // the folder was read again
    };
    void notify(int changes);

    NpcRecord &current() { return m_document.records.at(m_curRec); }
    RecordState state() const;
    // Ends a command: a step of the history when it changed the records.
    void endStep(const QString &name, const RecordState &before,
                 int changes = Records | Current | Shown | State);
    RecordList recordList();
    void restore(const RecordState &state);
    void takeRecords(const NpcRecords &records);
    void fillCaptions();
    void showNpcName(const QString &path);
    void attachDialogue(OpenResult &result);
    SessionResult readDialogue(const QString &path);
    void forgetDialogue();
    SessionResult write(const QString &path);
    void takeFolder(const QString &path);

    // The steps each command runs, in the order it runs them.
    void showRec();
    void markModified();
    void setCurrent(int row);
    void showActionCaption();
    void applyRuleOutcome(NpcField field, const RuleOutcome &outcome, const QString &editText);
    QString fieldStepName(NpcField field) const;

    AppConfig m_config;
    ReferenceLists m_lists;
    NpcScriptDocument m_document;
    RecordGridTexts m_captions;
    RecordHistory m_history;
    int m_curRec = 0;
    NpcRecord m_clipboard;
    EdtText m_edtText;
    MacroStore m_macros;
    QString m_npcName;
    FolderLinks m_folderLinks;
    QList<Place> m_places;
    mutable std::optional<QList<CheckFinding>> m_findings;

    bool m_labelEmptyForm = true;
    bool m_pasteAllowed = false;
    bool m_moveUpAllowed = false;
    bool m_moveDownAllowed = true;
    bool m_saveAsMacroAllowed = false;
    bool m_dialogueActive = false;
    bool m_runEditorAllowed = false;

    friend class ScriptSessionTester;
    struct ReadLists {
        QStringList folders; // where they were looked for
        ReferenceLists lists;
        QStringList failed;
    };
    QStringList listFolders() const;
    static ReadLists readLists(const QStringList &folders);
    std::future<ReadLists> m_prefetchedLists; // last: waited for before the rest goes
};
