#pragma once

#include "gui/widgets/ToolWindow.h"

class OpenTranslation;
class PhraseEditDelegate;
class PhraseTableModel;
class Prompts;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QMenu;
class QPoint;
class QTableView;
class QToolBar;
class ScriptSession;
class TranslationCommands;

// The lines of the dialogue text, edited in place, with the records that speak each; the
// current record's lines are highlighted; a translation opened beside them shows each
// line's translation. While the window is hidden it computes nothing.
class PhrasesWindow : public ToolWindow
{
    Q_OBJECT
public:
    PhrasesWindow(ScriptSession &session, Prompts &prompts, QWidget &mainWindow);
    ~PhrasesWindow() override;

    QTableView *Table_Phrases() const { return m_table; }
    QLineEdit *Edit_PhraseFilter() const { return m_filter; }
    QLabel *Lbl_PhrasesEmpty() const { return m_empty; }
    QCheckBox *Check_Untranslated() const { return m_untranslated; }
    QLabel *Lbl_TranslationCounts() const { return m_counts; }
    PhraseTableModel &model() const { return *m_model; }
    OpenTranslation &translation() const { return *m_translation; }
    TranslationCommands &translationCommands() const { return *m_translationCommands; }
    QAction *Spelling() const { return m_spellingOn; }
    QComboBox *Combo_SpellLang() const { return m_language; }
    // The table's menu at a point of it: the suggestions for an unknown word there, then
    // the commands.
    QMenu *contextMenuAt(const QPoint &point);

    // The tool bar and the table's context menu hold these actions of the main window,
    // then the window's own for the translation.
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
    void showTranslation();
    void addSpellingControls();
    void sayDictionaryProblem();

    ScriptSession &m_session;
    Prompts &m_prompts;
    OpenTranslation *m_translation = nullptr;
    TranslationCommands *m_translationCommands = nullptr;
    PhraseTableModel *m_model = nullptr;
    PhraseEditDelegate *m_delegate = nullptr;
    QToolBar *m_bar = nullptr;
    QLineEdit *m_filter = nullptr;
    QTableView *m_table = nullptr;
    QLabel *m_empty = nullptr;
    QCheckBox *m_untranslated = nullptr;
    QLabel *m_counts = nullptr;
    QAction *m_spellingOn = nullptr;
    QComboBox *m_language = nullptr;
    bool m_stale = true; // the session changed while the window was hidden
};
