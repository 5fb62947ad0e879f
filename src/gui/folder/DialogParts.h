#pragma once

#include <QString>

class QLabel;
class QPushButton;
class QWidget;

// A button that Enter does not press: Enter belongs to the edits and lists, which each
// say what it does.
QPushButton *dialogButton(QWidget *parent, const char *name, const QString &text);
// A caption whose shortcut letter puts the focus into `buddy`.
QLabel *captionFor(QWidget *parent, const QString &text, QWidget *buddy);
