#include "gui/widgets/ToolWindow.h"

#include <QKeyEvent>
#include <QScreen>

#include <algorithm>
#include <utility>

ToolWindow::ToolWindow(QWidget &mainWindow) : QWidget(&mainWindow, Qt::Window) {}

void ToolWindow::showInFront()
{
    if (!std::exchange(m_grown, true))
        growToContents();
    if (m_placeBeside && !std::exchange(m_placed, true))
        placeBesideMainWindow();
    show();
    raise();
    activateWindow();
}

void ToolWindow::growToContents()
{
    // Made before its commands were all added, a window may be smaller than its tool bar
    // and hide commands behind "»": the first showing gives it the room its contents ask,
    // within the screen, never less than it has.
    ensurePolished();
    QSize wanted = sizeHint();
    const QWidget *main = parentWidget();
    if (const QScreen *screen = main ? main->screen() : this->screen())
        wanted = wanted.boundedTo(screen->availableGeometry().size() * 9 / 10);
    resize(size().expandedTo(wanted));
}

void ToolWindow::placeBesideMainWindow()
{
    const QWidget *main = parentWidget();
    if (!main || !main->isVisible())
        return;
    const QScreen *screen = main->screen();
    const QRect available = screen ? screen->availableGeometry() : QRect();
    // The frame is not known before the first showing: the title bar of the main window
    // stands for it.
    const QMargins frame(main->geometry().left() - main->frameGeometry().left(),
                         main->geometry().top() - main->frameGeometry().top(),
                         main->frameGeometry().right() - main->geometry().right(),
                         main->frameGeometry().bottom() - main->geometry().bottom());
    // Shown, the window grows to what its contents need.
    const QSize inner = size().expandedTo(minimumSizeHint());
    const QRect outer = besideRect(main->frameGeometry(), inner.grownBy(frame), available);
    move(outer.topLeft());
}

QRect besideRect(const QRect &mainFrame, const QSize &size, const QRect &screen)
{
    QRect placed(QPoint(mainFrame.right() + 1, mainFrame.top()), size);
    if (!screen.isValid())
        return placed;
    if (placed.right() > screen.right()) {
        placed.moveLeft(mainFrame.left() - size.width());
        if (placed.left() < screen.left())
            placed.moveLeft(std::max(screen.left(), screen.right() + 1 - size.width()));
    }
    placed.moveTop(std::clamp(placed.top(), screen.top(), std::max(screen.top(), screen.bottom() + 1 - size.height())));
    return placed;
}

void ToolWindow::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        close();
        return;
    }
    QWidget::keyPressEvent(event);
}
