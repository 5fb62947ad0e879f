#include "app/ui/PlacedDialog.h"

#include "app/ui/DialogPlacement.h"
#include "app/ui/TForm1.h"

#include <QEvent>

PlacedDialog::PlacedDialog(TForm1 &mainWindow) : QDialog(&mainWindow), m_main(mainWindow) {}

void PlacedDialog::place()
{
    placeOverMainWindow(this, &m_main);
}

bool PlacedDialog::event(QEvent *event)
{
    if (event->type() == QEvent::WindowActivate)
        place();
    return QDialog::event(event);
}

void PlacedDialog::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    place();
    FormActivate();
}
