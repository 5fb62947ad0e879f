// TForm5: the "save as macro" dialog.
#pragma once

#include "gui/widgets/PlacedDialog.h"
#include "document/NpcRecord.h"

class QLabel;
class QLineEdit;
class QPushButton;
class Prompts;
class MacroLibrary;

// Saves the current record as a new macro under a typed name.
class TForm5 : public PlacedDialog
{
    Q_OBJECT
public:
    TForm5(MacroLibrary &library, Prompts &prompts, QWidget &mainWindow);

    // Asks for a name and keeps the record under it; the answer of exec().
    int saveRecord(const NpcRecord &record);

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
    MacroLibrary &m_library;
    NpcRecord m_record;
    Prompts &m_prompts;
};

// The warning both macro dialogs give for a name that would cut its own entry short.
QString macroNameEqualsSignText();
// A name edit of the macro dialogs: at most 50 characters, and nothing pasted in may
// break the name's line in the macro file.
void setUpMacroNameEdit(QLineEdit *edit);
