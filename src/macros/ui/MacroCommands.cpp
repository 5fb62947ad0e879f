#include "macros/ui/MacroCommands.h"

#include "app/ui/TForm1.h"

MacroCommands::MacroCommands(TForm1 &window) : QObject(&window), m_window(window)
{
}

void MacroCommands::MacrosRead()
{
}
