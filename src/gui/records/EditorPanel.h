#pragma once

#include "editor/FieldCatalogue.h"
#include "editor/FieldRules.h"
#include "gui/records/IntegerEdit.h"

#include <QWidget>

#include <array>

class ListComboBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QPlainTextEdit;
class QToolButton;
class Prompts;
class ScriptSession;

// The two field panels of the current record. They show what the session holds and
// hand what the user types and picks to it.
class EditorPanel : public QWidget
{
    Q_OBJECT
public:
    EditorPanel(ScriptSession &session, Prompts &prompts, QWidget *parent);
    ~EditorPanel() override;

    // Fills the combo boxes from the lists and sets the edit limits, whenever the session
    // reads the lists.
    void fillFromLists();
    // Shows the current record in every control.
    void ShowRec();
    // The phrase memo and both phrase frames, from the dialogue text.
    void ShowPhraseText();

    QPlainTextEdit *phraseMemo() const { return m_phraseMemo; }

    // Runs the leave rule of an edit that has the focus and was changed, on the record
    // it shows; done whenever the session is about to leave that record.
    void leaveFocusedEdit();

    // Null for a field without one.
    IntegerEdit *edit(NpcField field) const;
    QComboBox *combo(NpcField field) const;

    // Handlers, one of each kind for all fields (Edit_ActionExit, Edit_ActionKeyPress,
    // Combo_ActionSelect, Btn_FDayClick, Brn_ItemOutClick, ...).
    void EditExit(NpcField field);
    void EditKeyPress(NpcField field, QChar key);
    void ComboSelect(NpcField field, int item);
    void DefaultClick(NpcField field);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    struct FieldControls {
        const FieldInfo *info = nullptr;
        QLabel *caption = nullptr;
        IntegerEdit *edit = nullptr;
        ListComboBox *combo = nullptr;
        QToolButton *button = nullptr;
    };

    void buildControls();
    void placeControls();
    FieldControls *find(NpcField field);
    const FieldControls *find(NpcField field) const;
    FieldControls &controls(NpcField field) { return *find(field); } // for catalogue fields
    void showField(NpcField field, quint16 value);
    // The field as the current record holds it.
    void showStored(NpcField field);
    void applyOutcome(FieldControls &fc, const RuleOutcome &outcome);

    ScriptSession &m_session;
    Prompts &m_prompts;
    std::array<FieldControls, EditedFieldCount> m_fields;
    QGroupBox *m_conditions = nullptr;
    QGroupBox *m_results = nullptr;
    QLabel *m_daysCaption = nullptr;
    QLabel *m_controlCaption = nullptr;
    QPlainTextEdit *m_phraseMemo = nullptr;
};
