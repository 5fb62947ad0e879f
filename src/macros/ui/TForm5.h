#pragma once

#include "common/ui/PlacedDialog.h"

class QLabel;
class QLineEdit;
class QPushButton;
class Prompts;
class ScriptSession;

// Saves the current record as a new macro under a typed name.
class TForm5 : public PlacedDialog
{
    Q_OBJECT
public:
    TForm5(ScriptSession &session, Prompts &prompts, QWidget &mainWindow);

    void Btn_OkClick();
    void Btn_CloseClick();

private:
    void FormCreate();
    void FormActivate() override;
    void Edit_MacrNameKeyPress();

    QLabel *m_label = nullptr;
    QLineEdit *m_name = nullptr;
    QPushButton *m_ok = nullptr;
    QPushButton *m_close = nullptr;
    ScriptSession &m_session;
    Prompts &m_prompts;
};

// The warning both macro dialogs give for a name that would cut its own entry short.
QString macroNameEqualsSignText();
// A name edit of the macro dialogs: at most 50 characters, and nothing pasted in may
// break the name's line in the macro file.
void setUpMacroNameEdit(QLineEdit *edit);
