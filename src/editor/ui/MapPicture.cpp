#include "editor/ui/MapPicture.h"

#include "editor/ui/MapScene.h"

#include <QBuffer>
#include <QImage>
#include <QPainter>
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

} // namespace

QSize pixelSize(const MapScene &scene)
{
    const QSizeF size = scene.sceneRect().size();
    return QSize(qCeil(size.width()), qCeil(size.height()));
}

QByteArray draw(MapScene &scene, MapFormat format)
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
        QImage image(size, QImage::Format_ARGB32_Premultiplied);
        {
            QPainter painter(&image);
            render(scene, painter, size);
        }
        image.save(&buffer, "PNG");
    }
    scene.setCurrentRecord(current);
    return buffer.data();
}

} // namespace MapPicture
