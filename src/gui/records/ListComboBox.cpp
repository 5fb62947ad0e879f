#include "gui/records/ListComboBox.h"

#include "editor/ReferenceList.h"
#include "gui/records/ReferenceListModel.h"

#include <QAbstractItemView>
#include <QKeyEvent>
#include <QListView>
#include <QScreen>
#include <QScrollBar>
#include <QTimer>

#include <algorithm>
#include <functional>
#include <queue>

namespace
{

// Names measured for the popup's width: the longest by bytes, where the widest is.
constexpr int MeasuredNames = 64;

bool startsFilter(const QString &text)
{
    return !text.isEmpty() && text.at(0).isLetter();
}

} // namespace

ListComboBox::ListComboBox(QWidget *parent) : QComboBox(parent), m_model(new ReferenceListModel(this))
{
    connect(this, &QComboBox::activated, this, &ListComboBox::onActivated);
}

void ListComboBox::setList(const ReferenceList *list)
{
    m_shownBeforeFilter = -1;
    setPlaceholderText(QString());
    // Installed with the first list, not at construction: a dozen boxes swapping their
    // model by Qt's named connections were a visible part of the start, before any list.
    if (model() != m_model)
        setModel(m_model);
    m_model->setList(list);
    m_namesWidth = -1;
    setCurrentIndex(-1);
}

QSize ListComboBox::sizeHint() const
{
    // Setting a size policy instead would make the popup's container at once.
    return minimumSizeHint();
}

void ListComboBox::setMinimumPopupWidth(int width)
{
    m_minimumPopupWidth = width;
}

void ListComboBox::setFilterText(const QString &text)
{
    if (text.isEmpty()) {
        endFilter();
        return;
    }
    if (text == m_model->filter())
        return;
    if (!m_model->isFiltered())
        m_shownBeforeFilter = m_model->entryOf(currentIndex());
    m_model->setFilter(text);
    setPlaceholderText(text);
    setCurrentIndex(-1); // the typed text shows in the box
    refitPopup();
}

void ListComboBox::endFilter()
{
    if (!m_model->isFiltered())
        return;
    const int shown = m_shownBeforeFilter;
    m_shownBeforeFilter = -1;
    setPlaceholderText(QString());
    m_model->setFilter(QString());
    setCurrentIndex(shown);
    if (view()->isVisible())
        refitPopup();
}

void ListComboBox::refitPopup()
{
    if (count() == 0)
        return; // the typed text stays in the box, an empty popup would only cover it
    showPopup();
    view()->setCurrentIndex(model()->index(std::max(currentIndex(), 0), 0));
}

void ListComboBox::showPopup()
{
    // The popup is made when first opened: fourteen of them at start-up cost a lot.
    if (!m_popupReady) {
        m_popupReady = true;
        view()->installEventFilter(this);
        if (auto *rows = qobject_cast<QListView *>(view()))
            rows->setUniformItemSizes(true);
    }
    int width = std::max(m_minimumPopupWidth, widestNameWidth());
    if (const QScreen *shown = screen())
        width = std::min(width, shown->availableGeometry().width());
    view()->setMinimumWidth(width);
    QComboBox::showPopup();
}

void ListComboBox::hidePopup()
{
    QComboBox::hidePopup();
    // A pick is reported after the popup hides; only a popup closed without one ends
    // the filter here, once that report has had its turn.
    if (m_model->isFiltered())
        QTimer::singleShot(0, this, [this] {
            if (m_model->isFiltered() && !view()->isVisible())
                endFilter();
        });
}

void ListComboBox::onActivated(int row)
{
    const int entry = m_model->entryOf(row);
    if (m_model->isFiltered()) {
        m_shownBeforeFilter = entry;
        endFilter();
    }
    emit picked(entry);
}

bool ListComboBox::typeIntoFilter(const QKeyEvent &event)
{
    if (event.modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))
        return false;
    const QString filter = m_model->filter();
    if (event.key() == Qt::Key_Backspace && !filter.isEmpty()) {
        setFilterText(filter.chopped(1));
        return true;
    }
    const QString text = event.text();
    if (filter.isEmpty() ? !startsFilter(text) : (text.isEmpty() || !text.at(0).isPrint()))
        return false;
    setFilterText(filter + text);
    return true;
}

void ListComboBox::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Escape && m_model->isFiltered()) {
        endFilter();
        event->accept();
        return;
    }
    if (typeIntoFilter(*event)) {
        event->accept();
        return;
    }
    QComboBox::keyPressEvent(event);
}

void ListComboBox::focusOutEvent(QFocusEvent *event)
{
    if (m_model->isFiltered() && !view()->isVisible())
        endFilter();
    QComboBox::focusOutEvent(event);
}

bool ListComboBox::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == view() && event->type() == QEvent::KeyPress &&
        typeIntoFilter(*static_cast<QKeyEvent *>(event)))
        return true;
    return QComboBox::eventFilter(watched, event);
}

int ListComboBox::widestNameWidth() const
{
    if (m_namesWidth >= 0)
        return m_namesWidth;
    const ReferenceList *list = m_model->list();
    // All entries, also when the popup first opens narrowed.
    const int entries = list ? std::min(list->count(), m_model->entryCount()) : 0;
    // The longest entries by bytes, kept in a heap whose top is the shortest of them.
    using Sized = std::pair<qsizetype, int>;
    std::priority_queue<Sized, std::vector<Sized>, std::greater<Sized>> longest;
    for (int i = 0; i < entries; ++i) {
        longest.emplace(list->entry(i).size(), i);
        if (longest.size() > MeasuredNames)
            longest.pop();
    }
    int widest = 0;
    const QFontMetrics metrics = view()->fontMetrics();
    for (; !longest.empty(); longest.pop())
        widest = std::max(widest, metrics.horizontalAdvance(m_model->shownText(longest.top().second)));
    // Room for the item's margins and the scroll bar beside the rows.
    const int margins = 4 * view()->style()->pixelMetric(QStyle::PM_FocusFrameHMargin) + 16;
    return m_namesWidth = widest + margins + view()->verticalScrollBar()->sizeHint().width();
}
