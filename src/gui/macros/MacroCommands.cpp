#include "gui/macros/MacroCommands.h"

#include "common/Windows1251.h"
#include "gui/widgets/Prompts.h"
#include "macros/MacroEntry.h"
#include "macros/MacroStore.h"
#include "gui/macros/TForm5.h"
#include "gui/macros/TForm6.h"
#include "session/ScriptSession.h"

#include <QMenu>
#include <QProxyStyle>

namespace
{

// The manager command and the separator stand before the macro items.
constexpr int FixedItems = 2;
// Longer names are cut in the menu; the store keeps them whole.
constexpr qsizetype MaxCaptionLength = 100;

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
    QString caption = fromWindows1251(name.left(MaxCaptionLength + 1));
    if (caption.size() > MaxCaptionLength)
        caption = caption.left(MaxCaptionLength - 1) + QChar(0x2026);
    caption.replace(QLatin1Char('&'), QStringLiteral("&&"));
    return caption;
}

MacroCommands::MacroCommands(const CommandContext &context, QMenu *menu, OnDemand<TForm5> &saveMacro,
                             OnDemand<TForm6> &manager)
    : QObject(&context.window), m_context(context), m_session(context.session), m_menu(menu),
      m_saveMacro(saveMacro), m_manager(manager)
{
    auto *style = new ScrollingMenuStyle;
    style->setParent(this); // outlives the menu, which is created before us
    m_menu->setStyle(style);
    // The menu lists the macros as their file has them; thousands cost nothing until
    // the menu is opened.
    connect(&m_session.macroLibrary(), &MacroLibrary::saved, this,
            [this] { m_menuEntries = store().entries(); });
    connect(m_menu, &QMenu::aboutToShow, this, &MacroCommands::MacrosMenuUpdate);
    m_menuEntries = store().entries();
    m_context.onTriggered("SaveAsMacr", this, &MacroCommands::SaveAsMacrExecute);
    m_context.onTriggered("MacrManager", this, &MacroCommands::MacrManagerExecute);
}

const MacroStore &MacroCommands::store() const
{
    return m_session.macroLibrary().macros();
}

QAction *MacroCommands::newItem(int position, QObject *parent)
{
    auto *item = new QAction(macroCaption(MacroEntry::name(m_menuEntries.at(position))), parent);
    item->setData(position);
    connect(item, &QAction::triggered, this, [this, item] { Btn_MacrClick(item); });
    return item;
}

void MacroCommands::addPage(int first, int count)
{
    auto *page =
        new QMenu(QString::number(first + 1) + QChar(0x2013) + QString::number(first + count), m_menu);
    page->setStyle(m_menu->style());
    m_pages.append(page);
    connect(page, &QMenu::aboutToShow, this, [this, page, first, count] {
        if (!page->isEmpty())
            return;
        QList<QAction *> items;
        items.reserve(count);
        for (int i = first; i < first + count; ++i)
            items.append(newItem(i, page));
        page->addActions(items);
    });
    m_menu->addMenu(page);
}

void MacroCommands::removeItems()
{
    const QList<QAction *> items = m_menu->actions();
    for (qsizetype i = items.size() - 1; i >= FixedItems; --i)
        m_menu->removeAction(items.at(i));
    // The items have a parent of their own, which lets go of them all at once.
    delete m_items;
    m_items = new QObject(this);
    qDeleteAll(m_pages);
    m_pages.clear();
}

void MacroCommands::MacrosMenuUpdate()
{
    const QList<QByteArray> &entries = m_menuEntries;
    if (m_items && entries == m_itemEntries)
        return;
    const int count = int(entries.size());
    const bool paged = count > PageSize;
    if (m_items && !paged && !m_paged && count > m_itemEntries.size() &&
        std::equal(m_itemEntries.cbegin(), m_itemEntries.cend(), entries.cbegin())) {
        // Macros were only appended: the items there are stay.
        for (int i = int(m_itemEntries.size()); i < count; ++i)
            m_menu->addAction(newItem(i, m_items));
    } else {
        removeItems();
        if (paged) {
            // Adding an item to a menu looks through all it holds: thousands at once
            // would freeze the window, so big stores open page by page.
            const int pageSize = std::max(PageSize, (count + PageSize - 1) / PageSize);
            for (int first = 0; first < count; first += pageSize)
                addPage(first, std::min(pageSize, count - first));
        } else {
            QList<QAction *> items;
            items.reserve(count);
            for (int i = 0; i < count; ++i)
                items.append(newItem(i, m_items));
            m_menu->addActions(items);
        }
    }
    m_paged = paged;
    m_itemEntries = entries;
}

void MacroCommands::Btn_MacrClick(QAction *sender)
{
    const int position = sender ? sender->data().toInt() : -1;
    if (position < 0 || position >= store().count())
        return;
    if (const SessionResult applied = m_session.applyMacro(position); !applied)
        m_context.prompts.error(&m_context.window, applied.message);
}

void MacroCommands::SaveAsMacrExecute()
{
    if (TForm5 *dialog = m_saveMacro.get())
        dialog->saveRecord(m_session.currentRecord());
}

void MacroCommands::MacrManagerExecute()
{
    if (TForm6 *manager = m_manager.get())
        manager->exec();
}
