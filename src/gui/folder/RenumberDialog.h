#pragma once

#include "editor/RenumberPlan.h"

#include <QDialog>

#include <memory>
#include <optional>

class FolderField;
class Prompts;
class QComboBox;
class QPushButton;
class QSpinBox;
class QTreeWidget;
class RenumberPlanner;
class ScriptSession;
class StepProgress;

// Gives an item, fact, quest, action, reaction, mode or character another number in every
// script of a folder and in its list. The changes are planned a batch of scripts at a time
// on the window's own thread and shown before anything is written; applying writes all
// files or none and then reads the open script again.
class RenumberDialog : public QDialog
{
    Q_OBJECT
public:
    static constexpr int BatchFiles = 25;

    RenumberDialog(ScriptSession &session, Prompts &prompts, QWidget &mainWindow);
    ~RenumberDialog() override;

    // Opens the dialog for the open script's folder, proposing the number of the field
    // that has the focus when it holds one of a kind.
    void RenumberExecute();
    void PreviewClick();
    void StopClick();
    void ApplyClick();
    // One batch of the running planning; called whenever the window is idle.
    void step();

    bool isPlanning() const;
    QString folder() const;

private:
    void build();
    void proposeFromFocus(QWidget *focused);
    void inputsChanged();
    void showPlan();
    void setPlanning(bool planning);

    ScriptSession &m_session;
    Prompts &m_prompts;
    std::unique_ptr<RenumberPlanner> m_planner;
    std::optional<RenumberRequest> m_request;
    std::optional<RenumberPlan> m_plan; // shown and not yet applied

    QComboBox *m_kind = nullptr;
    QSpinBox *m_from = nullptr;
    QSpinBox *m_to = nullptr;
    FolderField *m_folderField = nullptr;
    QTreeWidget *m_changes = nullptr;
    StepProgress *m_progress = nullptr;
    QPushButton *m_preview = nullptr;
    QPushButton *m_apply = nullptr;
};
