#pragma once

#include <QDialog>

class TForm1;

// The About box.
class TForm2 : public QDialog
{
    Q_OBJECT
public:
    explicit TForm2(TForm1 &mainWindow);

protected:
    bool event(QEvent *event) override;

private:
    void FormActivate();

    TForm1 &m_main;
};
