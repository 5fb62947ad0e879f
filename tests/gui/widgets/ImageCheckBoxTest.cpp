#include "gui/widgets/ImageCheckBox.h"

#include <QIconEngine>
#include <QImage>
#include <QPainter>
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

// Notes each picture drawn of it: its name, size, scale and mode.
class NotingIconEngine : public QIconEngine
{
public:
    NotingIconEngine(QStringList &asked, const QString &name) : m_asked(asked), m_name(name) {}

    QPixmap scaledPixmap(const QSize &size, QIcon::Mode mode, QIcon::State, qreal scale) override
    {
        m_asked << QStringLiteral("%1 %2x%3 @%4 mode %5")
                       .arg(m_name)
                       .arg(size.width())
                       .arg(size.height())
                       .arg(scale)
                       .arg(int(mode));
        QPixmap pixmap(size);
        pixmap.fill(Qt::blue);
        return pixmap;
    }
    QPixmap pixmap(const QSize &size, QIcon::Mode mode, QIcon::State state) override
    {
        return scaledPixmap(size, mode, state, 1.0);
    }
    void paint(QPainter *painter, const QRect &rect, QIcon::Mode mode, QIcon::State state) override
    {
        painter->drawPixmap(rect, pixmap(rect.size(), mode, state));
    }
    QIconEngine *clone() const override { return new NotingIconEngine(m_asked, m_name); }

private:
    QStringList &m_asked;
    QString m_name;
};

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

TEST(ImageCheckBoxTest, ItsPaintAsksForAPictureDrawnWhenTheBoxWasMade)
{
    // The icons the editor gives it keep what they have drawn, so a picture drawn ahead is
    // one the first paint does not draw again: but only while both ask alike.
    QStringList asked;
    ImageCheckBox box(QIcon(new NotingIconEngine(asked, QStringLiteral("off"))),
                      QIcon(new NotingIconEngine(asked, QStringLiteral("on"))), QSize(36, 20), nullptr);
    const QStringList whenMade = asked;
    EXPECT_EQ(whenMade.size(), 2) << whenMade.join(QLatin1String(", ")).toStdString();

    box.resize(box.sizeHint());
    for (bool checked : {false, true}) {
        box.setChecked(checked);
        asked.clear();
        box.grab();
        ASSERT_EQ(asked.size(), 1);
        EXPECT_TRUE(whenMade.contains(asked.first())) << asked.first().toStdString();
    }
}
