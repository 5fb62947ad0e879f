#pragma once

#include "dialogue/DialogueReplace.h"

#include <QDialog>

class Prompts;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTreeWidget;
class ScriptSession;

// Replaces a word or an expression in the phrases of the open script or of every script
// of its folder. Every line that would change is shown before and after with a check
// box; the open script's text changes as one step of its history, the other scripts'
// dialogue files are written together, all or none.
class ReplaceDialog : public QDialog
{
    Q_OBJECT
public:
    enum Scope { ThisScript, WholeFolder };

    ReplaceDialog(ScriptSession &session, Prompts &prompts, QWidget &mainWindow);

    void ReplaceTextExecute();
    void PreviewClick();
    void ReplaceClick();

    // The folder the "все скрипты папки" scope goes through.
    QString folder() const;

private:
    void build();
    void inputsChanged();
    void showPlan();
    QList<LineReplacement> chosen(qsizetype file) const;
    bool isOpenText(const QString &path) const;
    void say(const QString &text);

    ScriptSession &m_session;
    Prompts &m_prompts;
    QList<FileReplacements> m_plan; // shown; the open script's text first when it has lines
    qsizetype m_open = -1;          // the entry of the open script's text

    QLineEdit *m_text = nullptr;
    QLineEdit *m_with = nullptr;
    QCheckBox *m_regex = nullptr;
    QCheckBox *m_ignoreCase = nullptr;
    QCheckBox *m_yo = nullptr;
    QComboBox *m_scope = nullptr;
    QTreeWidget *m_lines = nullptr;
    QLabel *m_status = nullptr;
    QPushButton *m_replace = nullptr;
};
