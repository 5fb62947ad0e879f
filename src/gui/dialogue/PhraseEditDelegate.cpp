#include "gui/dialogue/PhraseEditDelegate.h"

#include "dialogue/PhraseLine.h"

#include <QPainter>

PhraseLineEdit::PhraseLineEdit(QWidget *parent) : QLineEdit(parent)
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
}

void PhraseEditDelegate::keepText(const QModelIndex &index, const QString &text)
{
    m_keptIndex = index;
    m_keptText = text;
}

QWidget *PhraseEditDelegate::createEditor(QWidget *parent, const QStyleOptionViewItem &,
                                          const QModelIndex &) const
{
    return new PhraseLineEdit(parent);
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
