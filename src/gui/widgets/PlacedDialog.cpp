#include "gui/widgets/PlacedDialog.h"

#include "gui/widgets/DialogPlacement.h"

#include <QEvent>

PlacedDialog::PlacedDialog(QWidget &mainWindow) : QDialog(&mainWindow), m_mainWindow(mainWindow) {}

void PlacedDialog::place()
{
    placeOverMainWindow(this, &m_mainWindow);
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
