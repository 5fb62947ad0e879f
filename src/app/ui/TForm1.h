#pragma once

#include "session/AppConfig.h"
#include "dialogue/EdtText.h"
#include "document/NpcScriptDocument.h"
#include "editor/ReferenceLists.h"

#include <QAction>
#include <QMainWindow>

class QCheckBox;
class QLabel;
class QSplitter;
class QTableWidget;
class QToolButton;
class Prompts;
class DocumentCommands;
class EditorPanel;
class RecordCommands;
class DialogueCommands;
class MacroCommands;

// The main window. It owns everything that lives for the whole run; the commands of
// each subsystem live in their own classes and work on this window's state.
class TForm1 : public QMainWindow
{
    Q_OBJECT
public:
    // The start folder is the current directory at this moment.
    explicit TForm1(Prompts &prompts, QWidget *parent = nullptr);
    ~TForm1() override;

    // State owned for the whole run.
    NpcScriptDocument &document() { return m_document; }
    AppConfig &config() { return m_config; }
    const ReferenceLists &lists() const { return m_lists; }
    EdtText &edtText() { return m_edtText; }
    NpcRecord &RecordClipboard() { return m_clipboard; }
    Prompts &prompts() { return m_prompts; }

    int CurRec() const { return m_curRec; }
    void setCurRec(int record) { m_curRec = record; }
    NpcRecord &currentRecord() { return m_document.records.at(m_curRec); }
    QString RecLabelPrefix;

    // Subsystem parts.
    DocumentCommands &documentCommands() { return *m_documentCommands; }
    EditorPanel &editorPanel() { return *m_editorPanel; }
    RecordCommands &recordCommands() { return *m_recordCommands; }
    DialogueCommands &dialogueCommands() { return *m_dialogueCommands; }
    MacroCommands &macroCommands() { return *m_macroCommands; }

    // Controls.
    QAction *action(const QString &name) const;
    // Runs the handler whenever the named action is triggered.
    template <typename Receiver>
    void onTriggered(const char *name, Receiver *receiver, void (Receiver::*handler)())
    {
        connect(action(QLatin1String(name)), &QAction::triggered, receiver, handler);
    }
    void setActionEnabled(const QString &name, bool enabled);
    QTableWidget *StringGrid() const { return m_grid; }
    QLabel *Lbl_NpcName() const { return m_lblNpcName; }
    QLabel *Lbl_RecordNo() const { return m_lblRecordNo; }
    QCheckBox *Check_Vesta() const { return m_checkVesta; }
    QToolButton *Btn_Macr() const { return m_btnMacr; }
    QSplitter *splitter() const { return m_splitter; }

    // Grid texts: column 1 the action name, column 2 the link.
    QString gridText(int row, int column) const;
    void setGridText(int row, int column, const QString &text);
    void blankGridRow(int row);
    // Column 1 and 2 of a record as a freshly loaded script shows them.
    void fillGridRow(int row);
    // Name of the Action list entry numbered with the text, decoded for display.
    QString actionName(const QByteArray &numberText) const;

    // Selects a grid row as a click would; the selection handling runs when it changes.
    void selectGridRow(int row);
    void StringGridSelectCell(int column, int row);

    // Shows record CurRec in the panels and its grid row.
    void ShowRec();
    // The one operation every record change calls.
    void MarkModified();
    // Record label: prefix, a blank and CurRec; red for the empty-record form.
    void setRecordLabel(const QString &prefix, bool red);
    void updateTitle();

    // Main-window handlers.
    void QuitExecute();
    void HelpExecute();
    void AboutExecute();
    void ConfigExecute();
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
    void IniWrite();

    Prompts &m_prompts;
    AppConfig m_config;
    NpcScriptDocument m_document;
    ReferenceLists m_lists;
    EdtText m_edtText;
    NpcRecord m_clipboard;
    int m_curRec = 0;

    QTableWidget *m_grid = nullptr;
    QLabel *m_lblNpcName = nullptr;
    QLabel *m_lblRecordNo = nullptr;
    QCheckBox *m_checkVesta = nullptr;
    QToolButton *m_btnMacr = nullptr;
    QSplitter *m_splitter = nullptr;
    QWidget *m_about = nullptr;
    QWidget *m_configDialog = nullptr;

    DocumentCommands *m_documentCommands = nullptr;
    EditorPanel *m_editorPanel = nullptr;
    RecordCommands *m_recordCommands = nullptr;
    DialogueCommands *m_dialogueCommands = nullptr;
    MacroCommands *m_macroCommands = nullptr;
};
