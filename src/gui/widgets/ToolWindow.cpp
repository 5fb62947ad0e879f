#include "gui/widgets/ToolWindow.h"

#include <QKeyEvent>

ToolWindow::ToolWindow(QWidget &mainWindow) : QWidget(&mainWindow, Qt::Window) {}

void ToolWindow::showInFront()
{
    show();
    raise();
    activateWindow();
}

void ToolWindow::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        close();
        return;
    }
    QWidget::keyPressEvent(event);
}
