#include "gui/map/SvgPicture.h"

#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QXmlStreamReader>
#ifdef SCRIVLET_QT_SVG
#include <QSvgRenderer>
#endif

#include <gtest/gtest.h>

namespace
{

const QSize Size(200, 120);

// Shapes of every kind the map draws: a filled box with a border, a dashed curve, a
// polygon, all under a transformation, and a line of Cyrillic text.
void paint(QPainter &painter, bool withText)
{
    painter.setRenderHint(QPainter::Antialiasing); // as an SVG renderer draws
    painter.fillRect(QRect(QPoint(0, 0), Size), Qt::white);
    painter.translate(10, 5);
    painter.scale(1.5, 1.5);
    painter.setPen(QPen(QColor(30, 60, 90), 2));
    painter.setBrush(QColor(250, 220, 120));
    painter.drawRoundedRect(QRectF(4, 4, 60, 30), 4, 4);
    QPainterPath curve(QPointF(70, 10));
    curve.cubicTo(QPointF(90, 0), QPointF(100, 40), QPointF(120, 30));
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(QColor(200, 0, 0), 1.5, Qt::DashLine));
    painter.drawPath(curve);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0, 120, 0));
    painter.drawPolygon(QPolygonF({QPointF(10, 50), QPointF(40, 70), QPointF(5, 72)}));
    if (withText) {
        painter.setPen(Qt::black);
        painter.setFont(QFont(QStringLiteral("DejaVu Sans"), 9));
        painter.drawText(QPointF(70, 60), QStringLiteral("Привет & <мир>"));
    }
}

QByteArray svgOf(bool withText)
{
    SvgPicture picture(Size, QStringLiteral("Карта диалога"), QStringLiteral("Стражник: «Стой!»"));
    {
        QPainter painter(&picture);
        paint(painter, withText);
    }
    return picture.document();
}

} // namespace

TEST(SvgPicture, IsWellFormedWithTheSizeTitleDescriptionAndText)
{
    QXmlStreamReader xml(svgOf(true));
    QStringList texts;
    QString title;
    QString description;
    QSize size;
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement)
            continue;
        if (xml.name() == QLatin1String("svg"))
            size = QSize(xml.attributes().value(QLatin1String("width")).toInt(),
                         xml.attributes().value(QLatin1String("height")).toInt());
        else if (xml.name() == QLatin1String("title"))
            title = xml.readElementText();
        else if (xml.name() == QLatin1String("desc"))
            description = xml.readElementText();
        else if (xml.name() == QLatin1String("text"))
            texts << xml.readElementText();
    }
    ASSERT_FALSE(xml.hasError()) << xml.errorString().toStdString();
    EXPECT_EQ(size, Size);
    EXPECT_EQ(title, QStringLiteral("Карта диалога"));
    EXPECT_EQ(description, QStringLiteral("Стражник: «Стой!»"));
    EXPECT_EQ(texts, QStringList{QStringLiteral("Привет & <мир>")});
}

// Drawn back, the shapes are where the painter put them, in their colours.
TEST(SvgPicture, DrawsTheSameShapesAsThePainter)
{
#ifndef SCRIVLET_QT_SVG
    GTEST_SKIP() << "no SVG renderer to draw the picture back: Qt's SVG module is missing in this build";
#else
    QImage direct(Size, QImage::Format_ARGB32);
    {
        QPainter painter(&direct);
        paint(painter, false);
    }
    QImage back(Size, QImage::Format_ARGB32);
    back.fill(Qt::transparent);
    {
        QSvgRenderer renderer(svgOf(false));
        ASSERT_TRUE(renderer.isValid());
        QPainter painter(&back);
        renderer.render(&painter);
    }
    int different = 0;
    for (int y = 0; y < Size.height(); ++y) {
        for (int x = 0; x < Size.width(); ++x) {
            const QColor a = direct.pixelColor(x, y);
            const QColor b = back.pixelColor(x, y);
            if (qAbs(a.red() - b.red()) + qAbs(a.green() - b.green()) + qAbs(a.blue() - b.blue()) > 90)
                ++different;
        }
    }
    // Edges may fall on neighbouring pixels; shapes in the wrong place would differ by far more.
    EXPECT_LT(different, Size.width() * Size.height() / 100) << different << " pixels differ";
#endif
}
