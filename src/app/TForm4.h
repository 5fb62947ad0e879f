// TForm4: the configuration dialog.
#pragma once

#include "gui/widgets/PlacedDialog.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QToolButton;
class TForm1;

// The configuration dialog: the external EDT editor, the folder of modified data lists
// and the value warnings. Its creation registers the script file type with the desktop.
class TForm4 : public PlacedDialog
{
    Q_OBJECT
public:
    explicit TForm4(TForm1 &mainWindow);

    bool settingsChanged() const { return m_settingsChanged; }

    void FormActivate() override;
    void Btn_SelectEdtEditClick();
    void Btn_SelectDataDirClick();
    void CheckBox1Click();
    void Btn_OkClick();
    void Btn_CloseClick();
    void Btn_AssocClick();

    // The close box and Escape act as "Закрыть".
    void reject() override;

private:
    void FormCreate();
    void createControls();

    bool m_settingsChanged = false;

    QLabel *m_lblEdtEditor = nullptr;
    QLineEdit *m_editEdtEditor = nullptr;
    QToolButton *m_btnSelectEdtEdit = nullptr;
    QLabel *m_lblDataDir = nullptr;
    QLineEdit *m_editDataDir = nullptr;
    QToolButton *m_btnSelectDataDir = nullptr;
    QCheckBox *m_checkBox1 = nullptr;
    QPushButton *m_btnOk = nullptr;
    QPushButton *m_btnClose = nullptr;
    QPushButton *m_btnAssoc = nullptr;
    QLabel *m_lblAssoc = nullptr;
    QLabel *m_lblLng = nullptr;
    QComboBox *m_comboLng = nullptr;
    TForm1 &m_main;
};
