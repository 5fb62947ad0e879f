#include "gui/dialogue/PhraseEditDelegate.h"

#include "dialogue/PhraseLine.h"
#include "gui/dialogue/PhraseTableModel.h"
#include "gui/dialogue/SpellingMarks.h"
#include "session/SessionSpelling.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QMenu>
#include <QPainter>

PhraseLineEdit::PhraseLineEdit(QWidget *parent, SessionSpelling *spelling, const QString &language)
    : QLineEdit(parent), m_spelling(spelling), m_language(language)
{
    setObjectName(QStringLiteral("Edit_PhraseText"));
    setFrame(false);
    setTextMargins(0, 0, fontMetrics().horizontalAdvance(QStringLiteral(" 000 / 240 ")), 0);
    connect(this, &QLineEdit::textChanged, this, qOverload<>(&QWidget::update));
}

QString PhraseLineEdit::lengthText() const
{
    return QStringLiteral("%1 / %2").arg(text().size()).arg(PhraseLine::MaxLength);
}

void PhraseLineEdit::paintEvent(QPaintEvent *event)
{
    QLineEdit::paintEvent(event);
    QPainter painter(this);
    const bool tooLong = text().size() > PhraseLine::MaxLength;
    painter.setPen(tooLong ? QColor(Qt::red) : palette().color(QPalette::PlaceholderText));
    painter.drawText(rect().adjusted(0, 0, -4, 0), Qt::AlignRight | Qt::AlignVCenter, lengthText());
    if (const SpellChecker *checker = this->checker()) {
        const QFontMetrics metrics = fontMetrics();
        const QRect area = contentsRect().marginsRemoved(textMargins());
        const int baseline = area.top() + (area.height() - metrics.height()) / 2 + metrics.ascent();
        SpellingMarks::underline(painter, metrics, area, textLeft(), baseline, text(), checker->check(text()));
    }
}

const SpellChecker *PhraseLineEdit::checker() const
{
    return m_spelling ? m_spelling->checkerFor(m_language) : nullptr;
}

int PhraseLineEdit::textLeft() const
{
    return cursorRect().center().x() - fontMetrics().horizontalAdvance(text().left(cursorPosition()));
}

void PhraseLineEdit::contextMenuEvent(QContextMenuEvent *event)
{
    std::unique_ptr<QMenu> menu(createStandardContextMenu());
    if (const SpellChecker *checker = this->checker()) {
        const QString line = text();
        if (const auto word =
                SpellingMarks::wordAt(fontMetrics(), line, checker->check(line), event->pos().x() - textLeft())) {
            SpellingMarks::addSuggestions(
                *menu, *m_spelling, *word, [this, line, word](const QString &with) {
                    setText(SpellingMarks::replaced(line, *word, with));
                },
                [this](const QString &message) { emit spellingFailed(message); });
        }
    }
    menu->exec(event->globalPos());
}

QString PhraseEditDelegate::languageOf(const QModelIndex &index) const
{
    return index.column() == PhraseTableModel::TranslationColumn ? m_translationLanguage : QString();
}

void PhraseEditDelegate::keepText(const QModelIndex &index, const QString &text)
{
    m_keptIndex = index;
    m_keptText = text;
}

QWidget *PhraseEditDelegate::createEditor(QWidget *parent, const QStyleOptionViewItem &,
                                          const QModelIndex &index) const
{
    auto *edit = new PhraseLineEdit(parent, m_spelling, languageOf(index));
    connect(edit, &PhraseLineEdit::spellingFailed, this, &PhraseEditDelegate::spellingFailed);
    return edit;
}

QRect PhraseEditDelegate::textRect(const QStyleOptionViewItem &option, const QModelIndex &index) const
{
    QStyleOptionViewItem item = option;
    initStyleOption(&item, index);
    const QWidget *widget = item.widget;
    const QStyle *style = widget ? widget->style() : QApplication::style();
    // As the style draws it: its text rectangle less the focus frame's margin.
    const int margin = style->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, widget) + 1;
    return style->subElementRect(QStyle::SE_ItemViewItemText, &item, widget).adjusted(margin, 0, -margin, 0);
}

void PhraseEditDelegate::paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const
{
    QStyledItemDelegate::paint(painter, option, index);
    const SpellChecker *checker = m_spelling ? m_spelling->checkerFor(languageOf(index)) : nullptr;
    if (!checker)
        return;
    const QString text = index.data(Qt::DisplayRole).toString();
    const QRect area = textRect(option, index);
    const QFontMetrics metrics = option.fontMetrics;
    const int baseline = area.top() + (area.height() - metrics.height()) / 2 + metrics.ascent();
    SpellingMarks::underline(*painter, metrics, area, area.left(), baseline, text, checker->check(text));
}

void PhraseEditDelegate::setEditorData(QWidget *editor, const QModelIndex &index) const
{
    auto *line = static_cast<QLineEdit *>(editor);
    if (m_keptIndex.isValid() && m_keptIndex == index) {
        line->setText(m_keptText);
        m_keptIndex = QPersistentModelIndex();
        return;
    }
    line->setText(index.data(Qt::EditRole).toString());
}
