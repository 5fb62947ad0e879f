#pragma once

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;
class TForm1;

// Saves the current record as a new macro under a typed name.
class TForm5 : public QDialog
{
    Q_OBJECT
public:
    explicit TForm5(TForm1 &mainWindow);

    void Btn_OkClick();
    void Btn_CloseClick();

protected:
    bool event(QEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    void FormCreate();
    void FormActivate();
    void Edit_MacrNameKeyPress();

    TForm1 &m_main;
    QLabel *m_label = nullptr;
    QLineEdit *m_name = nullptr;
    QPushButton *m_ok = nullptr;
    QPushButton *m_close = nullptr;
};

// The warning both macro dialogs give for a name that would cut its own entry short.
QString macroNameEqualsSignText();
// A name edit of the macro dialogs: at most 50 characters, and nothing pasted in may
// break the name's line in the macro file.
void setUpMacroNameEdit(QLineEdit *edit);
