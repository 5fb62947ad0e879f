#pragma once

#include "session/ScriptSession.h"

#include <QAction>
#include <QMainWindow>

class QCheckBox;
class QLabel;
class QMenu;
class QSplitter;
class QTableWidget;
class QToolButton;
class Prompts;
class DocumentCommands;
class EditorPanel;
class RecordCommands;
class DialogueCommands;
class MacroCommands;

// The main window. It shows the session: the record grid, the labels, the field panels,
// and what each command can do now, all worked out here from the session's state.
class TForm1 : public QMainWindow
{
    Q_OBJECT
public:
    static constexpr int MinFormHeight = 400;

    TForm1(ScriptSession &session, Prompts &prompts, QWidget *parent = nullptr);
    ~TForm1() override;

    ScriptSession &session() { return m_session; }
    Prompts &prompts() { return m_prompts; }

    // What the session holds, as the window shows it.
    const NpcScriptDocument &document() const { return m_session.document(); }
    AppConfig &config() { return m_session.config(); }
    const ReferenceLists &lists() const { return m_session.lists(); }
    const EdtText &edtText() const { return m_session.edtText(); }
    const NpcRecord &RecordClipboard() const { return m_session.clipboard(); }
    int CurRec() const { return m_session.CurRec(); }
    const NpcRecord &currentRecord() const { return m_session.currentRecord(); }
    QString actionName(const QByteArray &numberText) const { return m_session.actionName(numberText); }

    // The command classes, created after the windows they show.
    struct Commands {
        DocumentCommands *document = nullptr;
        RecordCommands *records = nullptr;
        DialogueCommands *dialogue = nullptr;
        MacroCommands *macros = nullptr;
    };
    void setCommands(const Commands &commands) { m_commands = commands; }
    DocumentCommands &documentCommands() { return *m_commands.document; }
    RecordCommands &recordCommands() { return *m_commands.records; }
    DialogueCommands &dialogueCommands() { return *m_commands.dialogue; }
    MacroCommands &macroCommands() { return *m_commands.macros; }
    EditorPanel &editorPanel() { return *m_editorPanel; }

    // Controls.
    QAction *action(const QString &name) const;
    void setActionEnabled(const QString &name, bool enabled);
    QTableWidget *StringGrid() const { return m_grid; }
    QLabel *Lbl_NpcName() const { return m_lblNpcName; }
    QLabel *Lbl_RecordNo() const { return m_lblRecordNo; }
    QCheckBox *Check_Vesta() const { return m_checkVesta; }
    QToolButton *Btn_Macr() const { return m_btnMacr; }
    QSplitter *splitter() const { return m_splitter; }
    QString gridText(int row, int column) const;

    // Selects a grid row as a click would; the selection handling runs when it changes.
    void selectGridRow(int row);
    void StringGridSelectCell(int column, int row);

    // Main-window handlers.
    void QuitExecute();
    void HelpExecute();
    void AboutExecute();
    void ConfigExecute();
    void UndoExecute();
    void RedoExecute();
    void FormResize();

    // Windows created after the main window, so that its commands can show them.
    void setAboutBox(QWidget *about) { m_about = about; }
    void setConfigDialog(QWidget *config) { m_configDialog = config; }

protected:
    void resizeEvent(QResizeEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dropEvent(QDropEvent *event) override;

private:
    void FormCreate();
    void LoadLists();
    void initialiseWindow();
    void buildToolBar();
    void buildCentralArea();
    void fitGridColumns(int gridPane);
    // Size and place of the last exit, on a screen that is still there.
    void restorePlace();
    void IniWrite();

    // The views of the session.
    void showCaptions();
    void showCurrentRow(int row);
    void showFindings();
    void showRecentFiles();
    void updateActions();

    ScriptSession &m_session;
    Prompts &m_prompts;
    Commands m_commands;
    bool m_followingSession = false; // the grid moves because the session did

    QTableWidget *m_grid = nullptr;
    QLabel *m_lblNpcName = nullptr;
    QLabel *m_lblRecordNo = nullptr;
    QCheckBox *m_checkVesta = nullptr;
    QToolButton *m_btnMacr = nullptr;
    QSplitter *m_splitter = nullptr;
    QLabel *m_lblIncomingLinks = nullptr;
    QMenu *m_fileMenu = nullptr;
    QList<QAction *> m_recentItems;
    QStringList m_recentShown;
    std::optional<int> m_keptSplitter;
    QSize m_formSize; // as FormResize last saw it
    QWidget *m_about = nullptr;
    QWidget *m_configDialog = nullptr;
    EditorPanel *m_editorPanel = nullptr;
};
