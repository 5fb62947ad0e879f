#pragma once

class QWidget;

// Centred horizontally over the main window, 100 pixels above its vertical centre,
// from the dialog's own outer size; not kept on the screen.
void placeOverMainWindow(QWidget *dialog, const QWidget *mainWindow);
