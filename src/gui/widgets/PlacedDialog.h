#pragma once

#include <QDialog>

// A dialog of the main window. It places itself over the main window whenever it is
// shown or activated, and runs its own activation steps each time it is shown (not when
// it becomes active again after a box or chooser of its own closes).
class PlacedDialog : public QDialog
{
    Q_OBJECT
public:
    explicit PlacedDialog(QWidget &mainWindow);

protected:
    // Derived dialogs call this once their size is set.
    void place();
    virtual void FormActivate() {}

    bool event(QEvent *event) override;
    void showEvent(QShowEvent *event) override;

    QWidget &m_mainWindow;
};
