#include "editor/ui/RecordCommands.h"

#include "app/ui/TForm1.h"

RecordCommands::RecordCommands(TForm1 &window) : QObject(&window), m_window(window)
{
}
