#include "gui/widgets/ImageCheckBox.h"

#include <QImage>
#include <QPixmap>
#include <QTest>

#include <gtest/gtest.h>

namespace
{

QIcon filled(const QColor &colour)
{
    QPixmap pixmap(36, 20);
    pixmap.fill(colour);
    return QIcon(pixmap);
}

} // namespace

TEST(ImageCheckBoxTest, ShowsTheImageOfItsStateAndTogglesOnAClickAnywhere)
{
    ImageCheckBox box(filled(Qt::red), filled(Qt::green), QSize(36, 20), nullptr);
    box.resize(box.sizeHint());
    EXPECT_EQ(box.sizeHint().height(), 20);
    EXPECT_GE(box.sizeHint().width(), 36);
    EXPECT_EQ(box.grab().toImage().pixelColor(18, 10), QColor(Qt::red));

    QTest::mouseClick(&box, Qt::LeftButton, {}, QPoint(box.width() - 1, 10));
    EXPECT_TRUE(box.isChecked()) << "the gap beside the image is part of the box";
    EXPECT_EQ(box.grab().toImage().pixelColor(18, 10), QColor(Qt::green));

    QTest::mouseClick(&box, Qt::LeftButton, {}, QPoint(2, 2));
    EXPECT_FALSE(box.isChecked());
}
