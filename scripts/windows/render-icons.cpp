// Draws SVG files as PNG pictures of the sizes given, with the SVG renderer of the machine
// that builds: for a build whose Qt has no SVG module.
//   render-icons OUT-FOLDER SIZES FILE.svg...    (SIZES like 16,24,32; writes NAME-SIZE.png)
#include <QFileInfo>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>

#include <cstdio>

int main(int argc, char *argv[])
{
    QGuiApplication app(argc, argv);
    const QStringList arguments = QCoreApplication::arguments();
    if (arguments.size() < 4) {
        std::fputs("render-icons OUT-FOLDER SIZES FILE.svg...\n", stderr);
        return 2;
    }
    const QString out = arguments[1];
    for (const QString &file : arguments.mid(3)) {
        QSvgRenderer renderer(file);
        if (!renderer.isValid()) {
            std::fprintf(stderr, "render-icons: %s cannot be drawn\n", qPrintable(file));
            return 1;
        }
        for (const QString &size : arguments[2].split(QLatin1Char(','))) {
            const int side = size.toInt();
            QImage image(side, side, QImage::Format_ARGB32_Premultiplied);
            image.fill(Qt::transparent);
            QPainter painter(&image);
            renderer.render(&painter, QRectF(0, 0, side, side));
            painter.end();
            const QString name = QStringLiteral("%1/%2-%3.png").arg(out, QFileInfo(file).completeBaseName(), size);
            if (!image.save(name)) {
                std::fprintf(stderr, "render-icons: %s cannot be written\n", qPrintable(name));
                return 1;
            }
        }
    }
    return 0;
}
