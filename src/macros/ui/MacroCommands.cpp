#include "macros/ui/MacroCommands.h"

#include "common/FileMessages.h"
#include "common/Windows1251.h"
#include "common/ui/Prompts.h"
#include "app/ui/TForm1.h"
#include "macros/MacroEntry.h"
#include "macros/MacroFile.h"
#include "macros/ui/TForm5.h"
#include "macros/ui/TForm6.h"

#include <QAction>
#include <QFileInfo>
#include <QMenu>
#include <QProxyStyle>
#include <QToolButton>

namespace
{

// The manager command and the separator stand before the macro items.
constexpr int FixedItems = 2;

// A long macro list scrolls, as a desktop menu does, instead of spreading into
// hundreds of columns wider than the screen.
class ScrollingMenuStyle : public QProxyStyle
{
public:
    using QProxyStyle::QProxyStyle;
    int styleHint(StyleHint hint, const QStyleOption *option, const QWidget *widget,
                  QStyleHintReturn *returnData) const override
    {
        if (hint == SH_Menu_Scrollable)
            return 1;
        return QProxyStyle::styleHint(hint, option, widget, returnData);
    }
};

} // namespace

QString macroCaption(const QByteArray &name)
{
    QString caption = fromWindows1251(name);
    caption.replace(QLatin1Char('&'), QStringLiteral("&&"));
    return caption;
}

MacroCommands::MacroCommands(TForm1 &window) : QObject(&window), m_window(window)
{
    QMenu *menu = macrosMenu();
    auto *style = new ScrollingMenuStyle;
    style->setParent(this); // outlives the menu, which is created before us
    menu->setStyle(style);
    m_window.onTriggered("SaveAsMacr", this, &MacroCommands::SaveAsMacrExecute);
    m_window.onTriggered("MacrManager", this, &MacroCommands::MacrManagerExecute);
}

void MacroCommands::setDialogs(TForm5 *saveMacro, TForm6 *manager)
{
    m_saveMacro = saveMacro;
    m_manager = manager;
}

QMenu *MacroCommands::macrosMenu() const
{
    return m_window.Btn_Macr()->menu();
}

void MacroCommands::setMacroCommandsEnabled(bool enabled)
{
    m_window.Btn_Macr()->setEnabled(enabled);
    m_window.setActionEnabled(QStringLiteral("MacrManager"), enabled);
}

void MacroCommands::MacrosRead()
{
    const QString path = m_window.config().macroPath();
    if (!QFileInfo::exists(path))
        return;
    MacroReader reader;
    if (!reader.read(path)) {
        m_window.prompts().error(&m_window, openFailureText(path, reader.errorString()));
        return;
    }
    m_store.setEntries(reader.entries());
    MacrosMenuUpdate();
}

bool MacroCommands::MacrosWrite()
{
    const QString path = m_window.config().macroPath();
    MacroWriter writer;
    if (writer.write(m_store.entries(), path))
        return true;
    m_window.prompts().error(&m_window, writeFailureText(path, writer.errorString()));
    return false;
}

void MacroCommands::MacrosMenuUpdate()
{
    QMenu *menu = macrosMenu();
    const QList<QAction *> items = menu->actions();
    for (qsizetype i = items.size() - 1; i >= FixedItems; --i)
        menu->removeAction(items.at(i));
    // The items have a parent of their own, which lets go of thousands of them at once.
    delete m_items;
    m_items = nullptr;
    if (m_store.isEmpty()) {
        setMacroCommandsEnabled(false);
        return;
    }
    m_items = new QObject(this);
    QList<QAction *> added;
    added.reserve(m_store.count());
    for (int i = 0; i < m_store.count(); ++i) {
        auto *item = new QAction(macroCaption(m_store.name(i)), m_items);
        connect(item, &QAction::triggered, this, [this, item] { Btn_MacrClick(item); });
        added.append(item);
    }
    menu->addActions(added);
    setMacroCommandsEnabled(true);
}

void MacroCommands::Btn_MacrClick(QAction *sender)
{
    const int position = int(macrosMenu()->actions().indexOf(sender)) - FixedItems;
    if (position < 0 || position >= m_store.count())
        return;
    applyMacro(position);
}

void MacroCommands::applyMacro(int position)
{
    NpcRecord &record = m_window.currentRecord();
    QByteArray badValue;
    if (!MacroEntry::apply(m_store.entry(position), record, &badValue)) {
        m_window.prompts().error(&m_window, MacroEntry::conversionErrorText(fromWindows1251(badValue)));
        return;
    }
    m_window.MarkModified();
    m_window.ShowRec();
    m_window.setActionEnabled(QStringLiteral("SaveAsMacr"), !record.isEmpty());
    // An empty record shows no action name, even when the list names 0.
    m_window.setGridText(m_window.CurRec(), 1,
                         record.isEmpty() ? QString()
                                          : m_window.actionName(QByteArray::number(record.Action)));
}

void MacroCommands::SaveAsMacrExecute()
{
    if (m_saveMacro)
        m_saveMacro->exec();
}

void MacroCommands::MacrManagerExecute()
{
    if (m_manager)
        m_manager->exec();
}
