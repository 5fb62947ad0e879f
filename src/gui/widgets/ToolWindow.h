#pragma once

#include <QWidget>

// A window of its own beside the main window: not modal, and closed by Escape as a
// dialog is.
class ToolWindow : public QWidget
{
    Q_OBJECT
public:
    explicit ToolWindow(QWidget &mainWindow);

    // Shows the window, or brings it to the front when it is shown already.
    void showInFront();

protected:
    void keyPressEvent(QKeyEvent *event) override;
};
