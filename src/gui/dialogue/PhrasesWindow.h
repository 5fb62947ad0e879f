#pragma once

#include "gui/widgets/ToolWindow.h"

class PhraseEditDelegate;
class PhraseTableModel;
class Prompts;
class QComboBox;
class QLabel;
class QLineEdit;
class QMenu;
class QPoint;
class QTableView;
class QToolBar;
class ScriptSession;

// The lines of the dialogue text, edited in place, with the records that speak each; the
// current record's lines are highlighted. While the window is hidden it computes nothing.
class PhrasesWindow : public ToolWindow
{
    Q_OBJECT
public:
    PhrasesWindow(ScriptSession &session, Prompts &prompts, QWidget &mainWindow);
    ~PhrasesWindow() override;

    QTableView *Table_Phrases() const { return m_table; }
    QLineEdit *Edit_PhraseFilter() const { return m_filter; }
    QLabel *Lbl_PhrasesEmpty() const { return m_empty; }
    PhraseTableModel &model() const { return *m_model; }
    QAction *Spelling() const { return m_spellingOn; }
    QComboBox *Combo_SpellLang() const { return m_language; }
    // The table's menu at a point of it: the suggestions for an unknown word there, then
    // the commands.
    QMenu *contextMenuAt(const QPoint &point);

    // The tool bar and the table's context menu hold these actions of the main window.
    void addCommands(const QList<QAction *> &actions);
    // Shows the window with the line selected; and its text open for typing.
    void showLine(qsizetype line);
    void editLine(qsizetype line);

signals:
    // The first record that speaks a line was picked; the main window selects it.
    void recordPicked(int record);

protected:
    bool event(QEvent *event) override;

private:
    void refresh();
    void showCurrentRecordsLines();
    void selectSessionLine();
    void activate(const QModelIndex &index);
    void reopenRefused(const QModelIndex &index, const QString &message, const QString &text);
    void addSpellingControls();
    void sayDictionaryProblem();

    ScriptSession &m_session;
    Prompts &m_prompts;
    PhraseTableModel *m_model = nullptr;
    PhraseEditDelegate *m_delegate = nullptr;
    QToolBar *m_bar = nullptr;
    QLineEdit *m_filter = nullptr;
    QTableView *m_table = nullptr;
    QLabel *m_empty = nullptr;
    QAction *m_spellingOn = nullptr;
    QComboBox *m_language = nullptr;
    bool m_stale = true; // the session changed while the window was hidden
};
