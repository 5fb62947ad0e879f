#pragma once

#include "gui/widgets/CommandContext.h"
#include "gui/widgets/OnDemand.h"

#include <QByteArray>
#include <QList>
#include <QObject>

class QMenu;
class TForm5;
class TForm6;
class MacroStore;

// The macro menu of the main window, applying a macro, and the two macro dialogs.
class MacroCommands : public QObject
{
    Q_OBJECT
public:
    MacroCommands(const CommandContext &context, QMenu *menu, OnDemand<TForm5> &saveMacro,
                  OnDemand<TForm6> &manager);

    const MacroStore &store() const;
    // Builds the macro items of the menu now, as opening it does.
    void MacrosMenuUpdate();
    // A click on a macro item of the menu.
    void Btn_MacrClick(QAction *sender);
    void SaveAsMacrExecute();
    void MacrManagerExecute();

    // Macros beyond this many are listed in submenus of this many each.
    static constexpr int PageSize = 1000;

private:
    QAction *newItem(int position, QObject *parent);
    void addPage(int first, int count);
    void removeItems();

    CommandContext m_context;
    ScriptSession &m_session;
    QMenu *m_menu = nullptr;
    OnDemand<TForm5> &m_saveMacro;
    OnDemand<TForm6> &m_manager;
    QObject *m_items = nullptr; // parent of the macro items of the menu
    QList<QMenu *> m_pages;
    QList<QByteArray> m_menuEntries; // the entries as last read or written
    QList<QByteArray> m_itemEntries; // the entries the items were made from
    bool m_paged = false;
};

// Menu captions show "&" as written, not as an accelerator, and at most a line's length.
QString macroCaption(const QByteArray &name);
