#pragma once

#include <QWidget>

// A window of its own beside the main window: not modal, and closed by Escape as a
// dialog is.
class ToolWindow : public QWidget
{
    Q_OBJECT
public:
    explicit ToolWindow(QWidget &mainWindow);

    // Shows the window, or brings it to the front when it is shown already. A window
    // placed beside the main window goes there the first time; after that it stays
    // where it was last, as the user left it.
    void showInFront();

protected:
    // The first showing puts the window beside the main window instead of where the
    // window system puts new windows (over the grid, at the corner of the screen).
    void placeBesideMainWindowAtFirst() { m_placeBeside = true; }
    void keyPressEvent(QKeyEvent *event) override;

private:
    void growToContents();
    void placeBesideMainWindow();

    bool m_placeBeside = false;
    bool m_placed = false;
    bool m_grown = false;
};

// Where a window of that size goes beside the main window on that screen: to its right
// when there is room, else to its left, else at the screen's right edge; the top at
// the main window's top, kept on the screen.
QRect besideRect(const QRect &mainFrame, const QSize &size, const QRect &screen);
