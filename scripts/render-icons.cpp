// Draws SVG files as PNG pictures of the sizes given, with the SVG renderer of the machine
// that builds, so that the program itself draws no SVG at start.
//   render-icons OUT-FOLDER SIZES FILE.svg...    (SIZES like 16,24,32; writes NAME-SIZE.png)
//   render-icons OUT.ico SIZES FILE.svg          (one Windows icon holding every size)
//   render-icons OUT.sheet SIDE FILE.svg...      (every file's raw pixels at one size)
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

// The pictures of one size in one file, read by the program without decoding: a line
// "SCRIVLET ICONS count", a line "name width height" for each picture, line ends up to a
// multiple of 4 bytes, then each picture's premultiplied ARGB32 pixels, row by row, as
// 32-bit words of the machine's order (the program runs on little-endian machines only).
QByteArray sheet(const QStringList &files, int side)
{
    QByteArray index = "SCRIVLET ICONS " + QByteArray::number(files.size()) + '\n';
    QByteArray pixels;
    for (const QString &file : files) {
        QSvgRenderer renderer(file);
        if (!renderer.isValid())
            return {};
        const QImage image = drawn(renderer, side);
        index += QFileInfo(file).completeBaseName().toUtf8() + ' ' + QByteArray::number(image.width()) + ' ' +
                 QByteArray::number(image.height()) + '\n';
        for (int row = 0; row < image.height(); ++row)
            pixels.append(reinterpret_cast<const char *>(image.constScanLine(row)), image.width() * 4);
    }
    while (index.size() % 4 != 0)
        index += '\n';
    return index + pixels;
}

bool write(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    if (file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.flush())
        return true;
    std::fprintf(stderr, "render-icons: %s cannot be written\n", qPrintable(path));
    return false;
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
    if (out.endsWith(QLatin1String(".sheet"))) {
        const QByteArray bytes = sheet(arguments.mid(3), arguments[2].toInt());
        if (bytes.isEmpty()) {
            std::fputs("render-icons: an SVG file cannot be drawn\n", stderr);
            return 1;
        }
        return write(out, bytes) ? 0 : 1;
    }
    for (const QString &file : arguments.mid(3)) {
        QSvgRenderer renderer(file);
        if (!renderer.isValid()) {
            std::fprintf(stderr, "render-icons: %s cannot be drawn\n", qPrintable(file));
            return 1;
        }
        const QStringList sizes = arguments[2].split(QLatin1Char(','));
        if (out.endsWith(QLatin1String(".ico"))) {
            if (!write(out, icon(renderer, sizes)))
                return 1;
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
