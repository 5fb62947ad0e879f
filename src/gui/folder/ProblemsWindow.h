#pragma once

#include "gui/widgets/ToolWindow.h"

class QLabel;
class QTreeWidget;
class QTreeWidgetItem;
class ScriptSession;

// What the checks find in the whole script, one row per finding, kept current while the
// user edits. A row picked with a double-click or Enter asks for its record.
class ProblemsWindow : public ToolWindow
{
    Q_OBJECT
public:
    ProblemsWindow(ScriptSession &session, QWidget &mainWindow);

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

    ScriptSession &m_session;
    QTreeWidget *m_list = nullptr;
    QLabel *m_summary = nullptr;
    bool m_stale = true; // findings changed while the window was hidden
};

// "ошибка", "предупреждение", "замечание".
QString problemLevelText(int level);
