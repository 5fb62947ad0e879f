// TForm6: the macro manager.
#include "gui/macros/TForm6.h"

#include "common/Windows1251.h"
#include "gui/widgets/ProgramIcon.h"
#include "gui/widgets/Prompts.h"
#include "macros/MacroStore.h"
#include "gui/macros/TForm5.h"
#include "session/MacroLibrary.h"

#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QToolButton>

namespace
{

QToolButton *imageButton(QWidget *parent, const char *name, const char *icon, const QRect &geometry,
                         const QString &hint)
{
    auto *button = new QToolButton(parent);
    button->setObjectName(QLatin1String(name));
    button->setToolTip(hint);
    button->setIcon(programIcon(QLatin1String(icon)));
    button->setIconSize(QSize(16, 16));
    button->setAutoRaise(false);
    button->setGeometry(geometry);
    return button;
}

// Leading blanks and control characters are dropped when a row is picked.
QString trimmedLeft(const QString &text)
{
    qsizetype i = 0;
    while (i < text.size() && text.at(i).unicode() <= 0x20)
        ++i;
    return text.mid(i);
}

} // namespace

TForm6::TForm6(MacroLibrary &library, Prompts &prompts, QWidget &mainWindow)
    : PlacedDialog(mainWindow), m_library(library), m_prompts(prompts)
{
    setObjectName(QStringLiteral("TForm6"));
    setFixedSize(359, 398);

    m_listLabel = new QLabel(this);
    m_listLabel->setObjectName(QStringLiteral("Lbl_MacrList"));
    m_listLabel->setGeometry(8, 8, 313, 16);

    m_grid = new QTableWidget(1, 1, this);
    m_grid->setObjectName(QStringLiteral("StringGrid1"));
    m_grid->setGeometry(8, 26, 313, 249);
    m_grid->horizontalHeader()->hide();
    m_grid->verticalHeader()->hide();
    m_grid->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    m_grid->verticalHeader()->setDefaultSectionSize(20);
    m_grid->setColumnWidth(0, 348);
    m_grid->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_grid->setSelectionMode(QAbstractItemView::SingleSelection);
    m_grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_grid->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_grid->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    // The one column is wider than the grid, so only the row lines show.
    m_grid->setShowGrid(true);
    m_grid->setWordWrap(false);
    m_grid->setTabKeyNavigation(false);
    connect(m_grid, &QTableWidget::currentCellChanged, this,
            [this](int row, int column, int previousRow, int) {
                if (row >= 0 && row != previousRow)
                    StringGrid1SelectCell(column, row);
            });

    m_del = imageButton(this, "Btn_Del", ":/icons/Delete.svg", QRect(327, 26, 25, 25),
                        QStringLiteral("Удалить макрос"));
    m_moveUp = imageButton(this, "Btn_MoveUp", ":/icons/ArrowUp.svg", QRect(327, 220, 25, 25),
                           QStringLiteral("Сдвинуть макрос вверх"));
    m_moveDown = imageButton(this, "Btn_MoveDown", ":/icons/ArrowDown.svg", QRect(327, 250, 25, 25),
                             QStringLiteral("Сдвинуть макрос вниз"));
    connect(m_del, &QToolButton::clicked, this, &TForm6::Btn_DelClick);
    connect(m_moveUp, &QToolButton::clicked, this, &TForm6::Btn_MoveUpClick);
    connect(m_moveDown, &QToolButton::clicked, this, &TForm6::Btn_MoveDownClick);

    m_nameLabel = new QLabel(this);
    m_nameLabel->setObjectName(QStringLiteral("Lbl_MacrName"));
    m_nameLabel->setGeometry(8, 286, 313, 16);

    m_name = new QLineEdit(this);
    m_name->setObjectName(QStringLiteral("Edit_MacrName"));
    m_name->setGeometry(8, 304, 313, 22);
    setUpMacroNameEdit(m_name);
    connect(m_name, &QLineEdit::returnPressed, this, &TForm6::Edit_MacrNameKeyPress);

    m_edit = imageButton(this, "Btn_Edit", ":/icons/Rename.svg", QRect(327, 302, 25, 25),
                         QStringLiteral("Переименовать макрос"));
    connect(m_edit, &QToolButton::clicked, this, &TForm6::Btn_EditClick);

    m_close = new QPushButton(programIcon(QStringLiteral(":/icons/Close.svg")), QString(), this);
    m_close->setObjectName(QStringLiteral("Btn_Close"));
    m_close->setGeometry(252, 362, 100, 27);
    m_close->setAutoDefault(false);
    connect(m_close, &QPushButton::clicked, this, &TForm6::Btn_CloseClick);

    setTabOrder(m_name, m_edit);
    setTabOrder(m_edit, m_grid);
    setTabOrder(m_grid, m_del);
    setTabOrder(m_del, m_moveUp);
    setTabOrder(m_moveUp, m_moveDown);
    setTabOrder(m_moveDown, m_close);

    FormCreate();
}

void TForm6::FormCreate()
{
    setWindowTitle(QStringLiteral("Макрос-менеджер"));
    m_listLabel->setText(QStringLiteral("Список макросов:"));
    m_nameLabel->setText(QStringLiteral("Редактирование имени макроса:"));
    m_close->setText(QStringLiteral("Закрыть"));
    place();
}

void TForm6::FormActivate()
{
    UpdateGrid();
    m_moveUp->setEnabled(false);
    if (m_name->isEnabled())
        m_name->setFocus();
}

void TForm6::UpdateGrid()
{
    const MacroStore &store = m_library.macros();
    m_grid->setRowCount(1);
    m_grid->setItem(0, 0, new QTableWidgetItem);
    selectRow(0);

    const bool any = !store.isEmpty();
    if (any) {
        m_grid->setRowCount(store.count());
        for (int i = 0; i < store.count(); ++i)
            m_grid->setItem(i, 0, new QTableWidgetItem(fromWindows1251(store.name(i))));
    }
    for (QWidget *w :
         {static_cast<QWidget *>(m_name), static_cast<QWidget *>(m_edit), static_cast<QWidget *>(m_del),
          static_cast<QWidget *>(m_moveDown), static_cast<QWidget *>(m_grid)})
        w->setEnabled(any);
    if (!any)
        m_moveUp->setEnabled(false);
    if (store.count() == 1)
        m_moveDown->setEnabled(false);
    m_name->setText(m_grid->item(0, 0)->text());
}

void TForm6::selectRow(int row)
{
    if (m_grid->currentRow() == row)
        StringGrid1SelectCell(0, row);
    else
        m_grid->setCurrentCell(row, 0);
}

void TForm6::StringGrid1SelectCell(int, int row)
{
    m_selected = row;
    m_moveUp->setEnabled(row != 0);
    m_moveDown->setEnabled(row != m_grid->rowCount() - 1);
    const QTableWidgetItem *item = m_grid->item(row, 0);
    m_name->setText(trimmedLeft(item ? item->text() : QString()));
}

void TForm6::Edit_MacrNameKeyPress()
{
    Btn_EditClick();
}

void TForm6::Btn_EditClick()
{
    const MacroStore &store = m_library.macros();
    const int r = m_selected;
    if (r >= store.count())
        return;
    const QString name = m_name->text();
    if (name.contains(QLatin1Char('='))) {
        m_prompts.warning(this, macroNameEqualsSignText());
        m_name->setFocus();
        return;
    }
    m_grid->item(r, 0)->setText(name);
    m_library.rename(r, toWindows1251(name));
    m_changed = true;
}

void TForm6::Btn_DelClick()
{
    const MacroStore &store = m_library.macros();
    const int r = m_selected;
    if (r >= store.count())
        return;
    m_library.remove(r);
    UpdateGrid();
    selectRow(r == 0 ? 0 : r - 1);
    m_changed = true;
}

void TForm6::exchangeRows(int upper)
{
    QTableWidgetItem *top = m_grid->takeItem(upper, 0);
    QTableWidgetItem *bottom = m_grid->takeItem(upper + 1, 0);
    m_grid->setItem(upper, 0, bottom);
    m_grid->setItem(upper + 1, 0, top);
    m_library.exchange(upper, upper + 1);
}

void TForm6::Btn_MoveUpClick()
{
    const int r = m_selected;
    if (r == 0 || r >= m_library.macros().count())
        return;
    exchangeRows(r - 1);
    m_selected = r - 1;
    if (m_selected == 0)
        m_moveUp->setEnabled(false);
    m_moveDown->setEnabled(true);
    selectRow(r - 1);
    m_changed = true;
}

void TForm6::Btn_MoveDownClick()
{
    const int r = m_selected;
    if (r + 1 >= m_library.macros().count())
        return;
    exchangeRows(r);
    m_selected = r + 1;
    if (m_selected == m_grid->rowCount() - 1)
        m_moveDown->setEnabled(false);
    m_moveUp->setEnabled(true);
    selectRow(r + 1);
    m_changed = true;
}

void TForm6::Btn_CloseClick()
{
    close();
}

bool TForm6::FormClose()
{
    if (!m_changed)
        return true;
    const SessionResult saved = m_library.save();
    if (!saved)
        m_prompts.error(this, saved.message);
    return saved.ok;
}

void TForm6::reject()
{
    if (FormClose())
        QDialog::reject();
}
