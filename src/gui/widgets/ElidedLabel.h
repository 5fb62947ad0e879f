#pragma once

#include <QLabel>

// A one-line label that never asks for more width than it is given: a text that does not
// fit is cut after its last item that fits (items are separated by ", " or "; ") and ends
// with a suffix saying how much there is; the whole text is its tool tip.
class ElidedLabel : public QLabel
{
    Q_OBJECT
public:
    using QLabel::QLabel;

    // `cutSuffix` ends a text that was cut, as "… (всего 169)".
    void setFullText(const QString &text, const QString &cutSuffix);
    QString fullText() const { return m_full; }

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    void fit();

    QString m_full;
    QString m_suffix;
};
