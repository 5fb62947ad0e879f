#include "common/ui/ElidedLabel.h"

#include <QFontMetrics>

void ElidedLabel::setFullText(const QString &text, const QString &cutSuffix)
{
    m_full = text;
    m_suffix = cutSuffix;
    setToolTip(text);
    fit();
}

QSize ElidedLabel::sizeHint() const
{
    return {0, QLabel::sizeHint().height()};
}

QSize ElidedLabel::minimumSizeHint() const
{
    return {0, QLabel::minimumSizeHint().height()};
}

void ElidedLabel::resizeEvent(QResizeEvent *event)
{
    QLabel::resizeEvent(event);
    fit();
}

void ElidedLabel::fit()
{
    const QFontMetrics metrics = fontMetrics();
    const int room = contentsRect().width();
    QString shown = m_full;
    if (metrics.horizontalAdvance(m_full) > room) {
        // The longest run of whole items that leaves room for the suffix.
        shown = m_suffix;
        for (qsizetype end = m_full.size(); end > 0;) {
            const qsizetype comma = m_full.lastIndexOf(QStringLiteral(", "), end - 1);
            const qsizetype semicolon = m_full.lastIndexOf(QStringLiteral("; "), end - 1);
            end = std::max(comma, semicolon);
            if (end <= 0)
                break;
            const QString candidate = m_full.left(end) + m_suffix;
            if (metrics.horizontalAdvance(candidate) <= room) {
                shown = candidate;
                break;
            }
        }
    }
    if (text() != shown)
        setText(shown);
}
