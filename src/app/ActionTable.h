#pragma once

class QMenu;
class QMenuBar;
class TForm1;

// The main window's action list: every command with its caption, shortcut, hint and
// icon, and the menus that show them. What each may do is the session's to say.
namespace ActionTable
{

void createActions(TForm1 &window);
// Returns the File menu, where the recent files go.
QMenu *buildMainMenu(TForm1 &window, QMenuBar *menuBar);
QMenu *createGridMenu(TForm1 &window);   // P_Menu_Grid
QMenu *createHelpMenu(TForm1 &window);   // P_Menu_Help
QMenu *createMacrosMenu(TForm1 &window); // P_Menu_Macros, without macro items

} // namespace ActionTable
