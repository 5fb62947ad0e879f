#include "gui/widgets/ElidedLabel.h"

#include <QFontMetrics>

#include <algorithm>

void ElidedLabel::setFullText(const QString &text, const QString &cutSuffix)
{
    if (text == m_full && cutSuffix == m_suffix)
        return;
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
        // The ends of the items, in order; a longer run is never narrower, so the longest
        // that leaves room for the suffix is found by halving.
        QList<qsizetype> ends;
        for (qsizetype i = 0; i + 1 < m_full.size(); ++i) {
            if ((m_full.at(i) == QLatin1Char(',') || m_full.at(i) == QLatin1Char(';')) &&
                m_full.at(i + 1) == QLatin1Char(' '))
                ends << i;
        }
        const auto fits = [&](qsizetype end) {
            return metrics.horizontalAdvance(m_full.left(end) + m_suffix) <= room;
        };
        const auto first = std::partition_point(ends.cbegin(), ends.cend(), fits);
        shown = first == ends.cbegin() ? m_suffix : m_full.left(*(first - 1)) + m_suffix;
    }
    if (text() != shown)
        setText(shown);
}
