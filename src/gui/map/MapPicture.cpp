#include "gui/map/MapPicture.h"

#include "gui/map/MapItems.h"
#include "gui/map/MapScene.h"
#include "gui/map/SvgPicture.h"

#include <QBuffer>
#include <QImage>
#include <QPainter>
#include <QRegularExpression>
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

QStringList cutTexts(const MapScene &scene)
{
    QStringList texts;
    for (int i = 0; MapNodeItem *item = scene.nodeItem(i); ++i)
        texts << item->cutTexts();
    return texts;
}

// False when the device could not be painted on (no memory for it).
bool paint(QPaintDevice &device, MapScene &scene, const QSize &size)
{
    QPainter painter;
    if (!painter.begin(&device))
        return false;
    render(scene, painter, size);
    return painter.end();
}

} // namespace

QSize pixelSize(const MapScene &scene)
{
    const QSizeF size = scene.sceneRect().size();
    return QSize(qCeil(size.width()), qCeil(size.height()));
}

bool draw(MapScene &scene, MapFormat format, int scale, QByteArray &picture, QString &error)
{
    const QSize size = pixelSize(scene);
    const QSize pixels = format == MapFormat::Png ? size * scale : size;
    if (format == MapFormat::Png && qint64(pixels.width()) * pixels.height() > MaxPngPixels) {
        error = QStringLiteral("схема в %1×%2 точек слишком велика для PNG; её можно сохранить в SVG")
                    .arg(pixels.width())
                    .arg(pixels.height());
        return false;
    }
    // A picture for others to read: whichever record the editor shows is nobody's business.
    const int current = scene.currentRecord();
    scene.setCurrentRecord(-1);
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    bool made = false;
    if (format == MapFormat::Svg) {
        const QString title = QStringLiteral("Карта диалога");
        const QString description = cutTexts(scene).join(u'\n');
        SvgPicture svg(size, title, description);
        made = paint(svg, scene, size);
        buffer.write(svg.document());
    } else {
        // Drawn at the larger size, not enlarged afterwards: the text stays sharp.
        QImage image(size * scale, QImage::Format_ARGB32_Premultiplied);
        if (!image.isNull()) {
            QPainter painter(&image);
            render(scene, painter, size * scale);
        }
        made = !image.isNull() && image.save(&buffer, "PNG");
    }
    scene.setCurrentRecord(current);
    if (!made) {
        error = QStringLiteral("не удалось нарисовать схему в %1×%2 точек (не хватило памяти?)")
                    .arg(pixels.width())
                    .arg(pixels.height());
        return false;
    }
    picture = format == MapFormat::Svg ? inPixels(buffer.data(), size) : buffer.data();
    return true;
}

} // namespace MapPicture
