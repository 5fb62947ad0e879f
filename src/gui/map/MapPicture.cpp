#include "gui/map/MapPicture.h"

#include "gui/map/MapScene.h"

#include <QBuffer>
#include <QImage>
#include <QPainter>
#include <QRegularExpression>
#include <QSvgGenerator>
#include <QtMath>

namespace MapPicture
{

namespace
{

void render(MapScene &scene, QPainter &painter, const QSize &size)
{
    painter.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing);
    painter.fillRect(QRect(QPoint(0, 0), size), Qt::white);
    scene.render(&painter, QRectF(QPointF(0, 0), size), scene.sceneRect());
}

// The generator gives the size in millimetres, which viewers turn into pixels at
// different resolutions; in pixels it is the PNG's size everywhere.
QByteArray inPixels(QByteArray svg, const QSize &size)
{
    static const QRegularExpression millimetres(QStringLiteral("<svg width=\"[0-9.]+mm\" height=\"[0-9.]+mm\""));
    const QString head = QString::fromUtf8(svg.left(200));
    const QRegularExpressionMatch found = millimetres.match(head);
    if (!found.hasMatch())
        return svg;
    const QByteArray pixels = QStringLiteral("<svg width=\"%1\" height=\"%2\"")
                                  .arg(size.width())
                                  .arg(size.height())
                                  .toUtf8();
    const qsizetype start = head.left(found.capturedStart()).toUtf8().size();
    return svg.replace(start, found.captured().toUtf8().size(), pixels);
}

} // namespace

QSize pixelSize(const MapScene &scene)
{
    const QSizeF size = scene.sceneRect().size();
    return QSize(qCeil(size.width()), qCeil(size.height()));
}

QByteArray draw(MapScene &scene, MapFormat format, int scale)
{
    // A picture for others to read: whichever record the editor shows is nobody's business.
    const int current = scene.currentRecord();
    scene.setCurrentRecord(-1);
    const QSize size = pixelSize(scene);
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    if (format == MapFormat::Svg) {
        QSvgGenerator svg;
        svg.setOutputDevice(&buffer);
        svg.setSize(size);
        svg.setViewBox(QRect(QPoint(0, 0), size));
        svg.setTitle(QStringLiteral("Карта диалога"));
        QPainter painter(&svg);
        render(scene, painter, size);
    } else {
        // Drawn at the larger size, not enlarged afterwards: the text stays sharp.
        QImage image(size * scale, QImage::Format_ARGB32_Premultiplied);
        {
            QPainter painter(&image);
            render(scene, painter, size * scale);
        }
        image.save(&buffer, "PNG");
    }
    scene.setCurrentRecord(current);
    return format == MapFormat::Svg ? inPixels(buffer.data(), size) : buffer.data();
}

} // namespace MapPicture
