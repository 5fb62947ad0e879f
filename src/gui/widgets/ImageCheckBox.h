#pragma once

#include <QCheckBox>
#include <QIcon>

// A check box drawn as one of two images, checked or not, without a caption.
class ImageCheckBox : public QCheckBox
{
    Q_OBJECT
public:
    ImageCheckBox(const QIcon &unchecked, const QIcon &checked, const QSize &imageSize, QWidget *parent);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;
    bool hitButton(const QPoint &pos) const override;

private:
    QPixmap picture(const QIcon &icon, QIcon::Mode mode) const;

    QIcon m_unchecked;
    QIcon m_checked;
    QSize m_imageSize;
};
