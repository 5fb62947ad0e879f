// Draws SVG files as PNG pictures of the sizes given, with the SVG renderer of the machine
// that builds, so that the program itself draws no SVG at start.
//   render-icons OUT-FOLDER SIZES FILE.svg...    (SIZES like 16,24,32; writes NAME-SIZE.png)
//   render-icons OUT.ico SIZES FILE.svg          (one Windows icon holding every size)
#include <QBuffer>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>

#include <cstdio>

namespace
{

// The drawing with its longer side as given, its shape kept.
QImage drawn(QSvgRenderer &renderer, int side)
{
    const QSize size = renderer.defaultSize().isEmpty() ? QSize(side, side)
                                                        : renderer.defaultSize().scaled(side, side, Qt::KeepAspectRatio);
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    renderer.render(&painter, QRectF(QPointF(0, 0), size));
    return image;
}

void put16(QByteArray &out, int value)
{
    out += char(value & 0xFF);
    out += char((value >> 8) & 0xFF);
}

void put32(QByteArray &out, qint64 value)
{
    put16(out, int(value & 0xFFFF));
    put16(out, int((value >> 16) & 0xFFFF));
}

// An ICO file whose pictures are PNG data, as Windows reads them since Vista.
QByteArray icon(QSvgRenderer &renderer, const QStringList &sizes)
{
    QList<QByteArray> pngs;
    for (const QString &size : sizes) {
        QByteArray png;
        QBuffer buffer(&png);
        buffer.open(QIODevice::WriteOnly);
        drawn(renderer, size.toInt()).save(&buffer, "PNG");
        pngs << png;
    }
    QByteArray out;
    put16(out, 0);
    put16(out, 1);
    put16(out, int(pngs.size()));
    qint64 offset = 6 + 16 * pngs.size();
    for (qsizetype i = 0; i < pngs.size(); ++i) {
        const int side = sizes[i].toInt();
        out += char(side >= 256 ? 0 : side);
        out += char(side >= 256 ? 0 : side);
        out += char(0);
        out += char(0);
        put16(out, 1);
        put16(out, 32);
        put32(out, pngs[i].size());
        put32(out, offset);
        offset += pngs[i].size();
    }
    for (const QByteArray &png : pngs)
        out += png;
    return out;
}

} // namespace

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
        const QStringList sizes = arguments[2].split(QLatin1Char(','));
        if (out.endsWith(QLatin1String(".ico"))) {
            QFile file(out);
            if (!file.open(QIODevice::WriteOnly) || file.write(icon(renderer, sizes)) < 0 || !file.flush()) {
                std::fprintf(stderr, "render-icons: %s cannot be written\n", qPrintable(out));
                return 1;
            }
            continue;
        }
        for (const QString &size : sizes) {
            const QString name = QStringLiteral("%1/%2-%3.png").arg(out, QFileInfo(file).completeBaseName(), size);
            if (!drawn(renderer, size.toInt()).save(name)) {
                std::fprintf(stderr, "render-icons: %s cannot be written\n", qPrintable(name));
                return 1;
            }
        }
    }
    return 0;
}
