#pragma once

#include "macros/MacroStore.h"

#include <QObject>

class QAction;
class QMenu;
class TForm1;
class TForm5;
class TForm6;

// The macro store of the main window, its menu and applying a macro.
class MacroCommands : public QObject
{
    Q_OBJECT
public:
    explicit MacroCommands(TForm1 &window);

    MacroStore &store() { return m_store; }
    // The dialogs are created after the main window.
    void setDialogs(TForm5 *saveMacro, TForm6 *manager);

    void MacrosRead();
    // False, after telling the user, when the file cannot be written.
    bool MacrosWrite();
    void MacrosMenuUpdate();
    // A click on a macro item of the menu.
    void Btn_MacrClick(QAction *sender);
    void SaveAsMacrExecute();
    void MacrManagerExecute();

    // Btn_Macr and MacrManager go together: usable while there is a macro.
    void setMacroCommandsEnabled(bool enabled);

private:
    QMenu *macrosMenu() const;
    void applyMacro(int position);

    TForm1 &m_window;
    MacroStore m_store;
    QObject *m_items = nullptr; // parent of the macro items of the menu
    TForm5 *m_saveMacro = nullptr;
    TForm6 *m_manager = nullptr;
};

// Menu captions show "&" as written, not as an accelerator.
QString macroCaption(const QByteArray &name);
