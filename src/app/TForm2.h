// TForm2: the About box.
#pragma once

#include "gui/widgets/PlacedDialog.h"

class QLabel;
class TForm1;

// The About box.
class TForm2 : public PlacedDialog
{
    Q_OBJECT
public:
    explicit TForm2(TForm1 &mainWindow);

protected:
    void showEvent(QShowEvent *event) override;

private:
    void FormActivate() override;
    TForm1 &m_main;
    QLabel *m_picture;
};
