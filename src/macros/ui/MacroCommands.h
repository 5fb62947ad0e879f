#pragma once

#include <QObject>

class TForm1;

// The macro store of the main window, its menu and applying a macro.
class MacroCommands : public QObject
{
    Q_OBJECT
public:
    explicit MacroCommands(TForm1 &window);

    void MacrosRead();

private:
    TForm1 &m_window;
};
