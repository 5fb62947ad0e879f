#pragma once

#include "gui/widgets/ToolWindow.h"

#include <memory>

class QLabel;
class QTreeWidget;
class QTimer;
class QTreeWidgetItem;
class SpellingScan;
class ScriptSession;

// What the checks find in the whole script, one row per finding, kept current while the
// user edits. A row picked with a double-click or Enter asks for its record.
class ProblemsWindow : public ToolWindow
{
    Q_OBJECT
public:
    ProblemsWindow(ScriptSession &session, QWidget &mainWindow);
    ~ProblemsWindow() override;

    QTreeWidget *List_Problems() const { return m_list; }
    void CheckScriptExecute();
    // Fills the list from the session's findings.
    void refresh();

signals:
    // The record a finding belongs to was picked; the main window selects it.
    void recordPicked(int record);

protected:
    bool event(QEvent *event) override;

private:
    void pick(QTreeWidgetItem *item);
    // The spelling notes of the dialogue text, a part of it each time the window is idle.
    void spellingStep();
    void showSummary();

    ScriptSession &m_session;
    QTreeWidget *m_list = nullptr;
    QLabel *m_summary = nullptr;
    bool m_stale = true; // findings changed while the window was hidden
    std::unique_ptr<SpellingScan> m_spelling;
    QTimer *m_spellingTimer = nullptr;
    int m_count[4] = {}; // by level, then spelling notes
};

// "ошибка", "предупреждение", "замечание".
QString problemLevelText(int level);
