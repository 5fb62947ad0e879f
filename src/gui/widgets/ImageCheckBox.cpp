#include "gui/widgets/ImageCheckBox.h"

#include <QPainter>
#include <QStyleOptionFocusRect>

ImageCheckBox::ImageCheckBox(const QIcon &unchecked, const QIcon &checked, const QSize &imageSize,
                             QWidget *parent)
    : QCheckBox(parent), m_unchecked(unchecked), m_checked(checked), m_imageSize(imageSize)
{
    // Drawn now rather than at the first paint: at start-up the box is made while the fonts'
    // configuration is still being read beside, time the first paint then saves. Icons keep
    // what they have drawn.
    picture(m_unchecked, QIcon::Normal);
    picture(m_checked, QIcon::Normal);
}

QPixmap ImageCheckBox::picture(const QIcon &icon, QIcon::Mode mode) const
{
    return icon.pixmap(m_imageSize, devicePixelRatioF(), mode);
}

QSize ImageCheckBox::sizeHint() const
{
    // The image where a check box's mark stands, and the usual gap to the (empty) caption.
    return m_imageSize + QSize(style()->pixelMetric(QStyle::PM_CheckBoxLabelSpacing, nullptr, this), 0);
}

QSize ImageCheckBox::minimumSizeHint() const
{
    return sizeHint();
}

void ImageCheckBox::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    const QRect image(QPoint(0, (height() - m_imageSize.height()) / 2), m_imageSize);
    const QPixmap shown =
        picture(isChecked() ? m_checked : m_unchecked, isEnabled() ? QIcon::Normal : QIcon::Disabled);
    const QSize shownSize = shown.deviceIndependentSize().toSize();
    painter.drawPixmap(QStyle::alignedRect(layoutDirection(), Qt::AlignCenter, shownSize, image), shown);
    if (hasFocus()) {
        QStyleOptionFocusRect focus;
        focus.initFrom(this);
        focus.rect = image;
        style()->drawPrimitive(QStyle::PE_FrameFocusRect, &focus, &painter, this);
    }
}

bool ImageCheckBox::hitButton(const QPoint &pos) const
{
    return rect().contains(pos);
}
