// TForm1: the main window: the record grid, the field panel, menus and tool bar.
#pragma once

#include "session/ScriptSession.h"

#include <QAction>
#include <QMainWindow>

#include <functional>
#include <vector>

class ElidedLabel;
class QCheckBox;
class QLabel;
class QMenu;
class QSplitter;
class QToolButton;
class Prompts;
class AppCommands;
class DocumentCommands;
class EditorPanel;
class RecordCommands;
class DialogueCommands;
class MacroCommands;
class RecordGrid;

// The main window. It lays out the record grid, the labels and the field panels, and
// maps what the session says each command may do onto its actions.
class TForm1 : public QMainWindow
{
    Q_OBJECT
public:
    static constexpr int MinFormHeight = 400;

    TForm1(ScriptSession &session, Prompts &prompts, QWidget *parent = nullptr);
    ~TForm1() override;

    ScriptSession &session() { return m_session; }
    Prompts &prompts() { return m_prompts; }

    // The command classes, created after the windows they show.
    struct Commands {
        AppCommands *app = nullptr;
        DocumentCommands *document = nullptr;
        RecordCommands *records = nullptr;
        DialogueCommands *dialogue = nullptr;
        MacroCommands *macros = nullptr;
    };
    void setCommands(const Commands &commands) { m_commands = commands; }
    AppCommands &appCommands() { return *m_commands.app; }
    DocumentCommands &documentCommands() { return *m_commands.document; }
    RecordCommands &recordCommands() { return *m_commands.records; }
    DialogueCommands &dialogueCommands() { return *m_commands.dialogue; }
    MacroCommands &macroCommands() { return *m_commands.macros; }
    EditorPanel &editorPanel() { return *m_editorPanel; }

    // Controls.
    QAction *action(const QString &name) const;
    RecordGrid *StringGrid() const { return m_grid; }
    QLabel *Lbl_NpcName() const { return m_lblNpcName; }
    QLabel *Lbl_RecordNo() const { return m_lblRecordNo; }
    QCheckBox *Check_Vesta() const { return m_checkVesta; }
    QToolButton *Btn_Macr() const { return m_btnMacr; }
    QSplitter *splitter() const { return m_splitter; }
    QString gridText(int row, int column) const;

    // Selects a grid row as a click would; the selection handling runs when it changes.
    void selectGridRow(int row);
    // Asked in turn when the window closes, after the script: work of other windows that
    // would be lost. False keeps the program open.
    void addCloseGuard(std::function<bool()> guard) { m_closeGuards.push_back(std::move(guard)); }
    void FormResize();

protected:
    bool event(QEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dropEvent(QDropEvent *event) override;

private:
    void FormCreate();
    void sayListMessages();
    void initialiseWindow();
    void buildToolBar();
    void buildCentralArea();
    // Size and place of the last exit, on a screen that is still there.
    void restorePlace();
    void IniWrite();

    // The views of the session.
    void showRecentFiles();
    void updateActions();

    ScriptSession &m_session;
    Prompts &m_prompts;
    std::vector<std::function<bool()>> m_closeGuards;
    Commands m_commands;

    RecordGrid *m_grid = nullptr;
    QLabel *m_lblNpcName = nullptr;
    QLabel *m_lblRecordNo = nullptr;
    QCheckBox *m_checkVesta = nullptr;
    QToolButton *m_btnMacr = nullptr;
    QSplitter *m_splitter = nullptr;
    ElidedLabel *m_lblIncomingLinks = nullptr;
    QMenu *m_fileMenu = nullptr;
    QList<QAction *> m_recentItems;
    QStringList m_recentShown;
    std::optional<int> m_keptSplitter;
    QSize m_formSize; // as FormResize last saw it
    EditorPanel *m_editorPanel = nullptr;
    bool m_painted = false;
};
