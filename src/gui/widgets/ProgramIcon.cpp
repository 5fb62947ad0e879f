#include "gui/widgets/ProgramIcon.h"

#include <QApplication>
#include <QHash>
#include <QIconEngine>
#include <QImageReader>
#include <QPainter>
#include <QPixmap>
#include <QResource>
#include <QStyle>
#include <QStyleOption>

#include <algorithm>
#include <cstring>
#include <map>
#include <optional>

namespace
{

// The sides of a list the build gives, like "16,24,32", smallest first.
QList<int> sidesOf(const QString &list)
{
    QList<int> sides;
    for (const QString &side : list.split(QLatin1Char(',')))
        sides << side.toInt();
    std::sort(sides.begin(), sides.end());
    return sides;
}

// The largest size of the shape's proportions within the box.
QSize fitted(const QSize &shape, const QSize &box)
{
    const qint64 width = qint64(box.height()) * shape.width() / shape.height();
    if (width <= box.width())
        return QSize(int(width), box.height());
    return QSize(box.width(), int(qint64(box.width()) * shape.height() / shape.width()));
}

// The pictures of every icon at one small size, from one resource file of raw pixels
// (scripts/render-icons.cpp): decoding a PNG file for each of forty toolbar buttons took
// a visible part of the first paint.
class IconSheet
{
public:
    // Nothing when the program has no sheet of that side.
    static const IconSheet *of(int side)
    {
        static const QList<int> sides = sidesOf(QStringLiteral(SCRIVLET_ICON_SHEET_SIZES));
        static std::map<int, IconSheet> sheets; // each read when first drawn from
        if (!sides.contains(side))
            return nullptr;
        auto found = sheets.find(side);
        if (found == sheets.end())
            found = sheets.emplace(side, IconSheet(QStringLiteral(":/icon-sheets/%1.sheet").arg(side))).first;
        return &found->second;
    }

    // The picture of the icon named as its SVG file without ".svg"; null when there is none.
    QPixmap picture(const QString &name) const
    {
        const auto found = m_pictures.constFind(name);
        if (found == m_pictures.constEnd())
            return {};
        QImage image(found->size, QImage::Format_ARGB32_Premultiplied);
        const qsizetype rowBytes = qsizetype(found->size.width()) * 4;
        for (int row = 0; row < image.height(); ++row)
            memcpy(image.scanLine(row), m_bytes.constData() + found->offset + row * rowBytes,
                   size_t(rowBytes));
        return QPixmap::fromImage(std::move(image));
    }

private:
    struct Place {
        qsizetype offset;
        QSize size;
    };

    explicit IconSheet(const QString &path) : m_bytes(QResource(path).uncompressedData())
    {
        const qsizetype headerEnd = m_bytes.indexOf("\n");
        const QList<QByteArray> header = m_bytes.left(headerEnd).split(' ');
        const qsizetype count = header.size() == 3 && header[0] == "SCRIVLET" ? header[2].toLongLong() : 0;
        qsizetype line = headerEnd + 1;
        QList<std::pair<QString, QSize>> entries;
        for (qsizetype i = 0; i < count && line > 0; ++i) {
            const qsizetype end = m_bytes.indexOf('\n', line);
            const QList<QByteArray> fields =
                m_bytes.sliced(line, std::max<qsizetype>(end - line, 0)).split(' ');
            if (end < 0 || fields.size() != 3)
                return;
            entries.append({QString::fromUtf8(fields[0]), QSize(fields[1].toInt(), fields[2].toInt())});
            line = end + 1;
        }
        qsizetype offset = (line + 3) / 4 * 4;
        for (const auto &[name, size] : entries) {
            const qsizetype bytes = qsizetype(size.width()) * size.height() * 4;
            if (size.isEmpty() || offset + bytes > m_bytes.size())
                return; // a sheet cut short shows no icon rather than reading past it
            m_pictures.insert(name, {offset, size});
            offset += bytes;
        }
    }

    QByteArray m_bytes;
    QHash<QString, Place> m_pictures;
};

// The size a PNG resource gives in its header, read by hand for the same reason as
// readPng reads it with format guessing off.
QSize pngSize(const QString &resource)
{
    const QByteArray bytes = QResource(resource).uncompressedData();
    const auto number = [&bytes](int at) {
        return int(quint8(bytes[at])) << 24 | int(quint8(bytes[at + 1])) << 16 |
               int(quint8(bytes[at + 2])) << 8 | int(quint8(bytes[at + 3]));
    };
    if (bytes.size() < 24 || !bytes.startsWith("\x89PNG\r\n\x1a\n") || bytes.mid(12, 4) != "IHDR")
        return {};
    return QSize(number(16), number(20));
}

class LazyIconEngine : public QIconEngine
{
public:
    explicit LazyIconEngine(std::function<QIcon()> make) : m_make(std::move(make)) {}

    void paint(QPainter *painter, const QRect &rect, QIcon::Mode mode, QIcon::State state) override
    {
        icon().paint(painter, rect, Qt::AlignCenter, mode, state);
    }
    QPixmap pixmap(const QSize &size, QIcon::Mode mode, QIcon::State state) override
    {
        return icon().pixmap(size, mode, state);
    }
    QPixmap scaledPixmap(const QSize &size, QIcon::Mode mode, QIcon::State state, qreal scale) override
    {
        return icon().pixmap(size, scale, mode, state);
    }
    QSize actualSize(const QSize &size, QIcon::Mode mode, QIcon::State state) override
    {
        return icon().actualSize(size, mode, state);
    }
    QList<QSize> availableSizes(QIcon::Mode mode, QIcon::State state) override
    {
        return icon().availableSizes(mode, state);
    }
    // Not asked of the icon itself: buttons ask it when they are laid out.
    bool isNull() override { return false; }
    QString key() const override { return QStringLiteral("LazyIconEngine"); }
    QIconEngine *clone() const override { return new LazyIconEngine(m_make); }

private:
    QIcon &icon()
    {
        if (!m_icon)
            m_icon = m_make();
        return *m_icon;
    }

    std::function<QIcon()> m_make;
    std::optional<QIcon> m_icon;
};

// The drawings of one icon made beforehand in a few sizes (cmake/IconPictures.cmake), the
// one nearest above the size asked for read when first drawn. Qt's own icons read every
// size of every icon as it is made, which took a visible part of the start.
class PictureIconEngine : public QIconEngine
{
public:
    explicit PictureIconEngine(const QString &base) : m_base(base) {}

    void paint(QPainter *painter, const QRect &rect, QIcon::Mode mode, QIcon::State state) override
    {
        const qreal scale = painter->device()->devicePixelRatio();
        painter->drawPixmap(rect, scaledPixmap(rect.size() * scale, mode, state, scale));
    }
    QPixmap pixmap(const QSize &size, QIcon::Mode mode, QIcon::State state) override
    {
        return scaledPixmap(size, mode, state, 1.0);
    }
    QPixmap scaledPixmap(const QSize &size, QIcon::Mode mode, QIcon::State state, qreal scale) override
    {
        if (size.isEmpty())
            return {};
        const quint64 key = quint64(size.width()) << 32 | quint64(size.height()) << 8 | quint64(mode);
        for (const auto &[drawnKey, pixmap] : m_drawn) {
            if (drawnKey == key)
                return pixmap;
        }
        QPixmap drawn;
        if (mode == QIcon::Normal) {
            const int side = std::max(size.width(), size.height());
            const QList<int> &sides = pictureSides();
            const auto nearest = std::lower_bound(sides.begin(), sides.end(), side);
            const int pictureSide = nearest == sides.end() ? sides.last() : *nearest;
            if (const IconSheet *sheet = IconSheet::of(pictureSide))
                drawn = sheet->picture(m_base.sliced(m_base.lastIndexOf(QLatin1Char('/')) + 1));
            else
                drawn = QPixmap::fromImage(readPng(picture(pictureSide)));
            if (!drawn.isNull() && drawn.size() != size) {
                const QSize shown = fitted(drawn.size(), size);
                drawn = shown.width() == size.width() ? drawn.scaledToWidth(size.width(), Qt::SmoothTransformation)
                                                      : drawn.scaledToHeight(size.height(), Qt::SmoothTransformation);
            }
        } else {
            // Greyed, or tinted, as the style makes every icon of that mode.
            QStyleOption option;
            option.palette = QGuiApplication::palette();
            drawn = QApplication::style()->generatedIconPixmap(mode, scaledPixmap(size, QIcon::Normal, state, scale),
                                                               &option);
        }
        m_drawn.append({key, drawn});
        return drawn;
    }
    QSize actualSize(const QSize &size, QIcon::Mode, QIcon::State) override
    {
        if (!m_shape)
            m_shape = pngSize(picture(pictureSides().last()));
        return m_shape->isEmpty() ? size : fitted(*m_shape, size);
    }
    QList<QSize> availableSizes(QIcon::Mode, QIcon::State) override
    {
        QList<QSize> sizes;
        for (int side : pictureSides())
            sizes << QSize(side, side);
        return sizes;
    }
    // Not asked of the files themselves: buttons ask it when they are laid out.
    bool isNull() override { return false; }
    QString key() const override { return QStringLiteral("PictureIconEngine"); }
    QIconEngine *clone() const override { return new PictureIconEngine(m_base); }

private:
    QString picture(int side) const { return m_base + QLatin1Char('-') + QString::number(side) + QStringLiteral(".png"); }
    static const QList<int> &pictureSides()
    {
        static const QList<int> sides = sidesOf(QStringLiteral(SCRIVLET_ICON_SIZES));
        return sides;
    }

    QString m_base;
    std::optional<QSize> m_shape;
    // A size or two in a mode or two: a hash would take kilobytes for each of a hundred icons.
    QList<std::pair<quint64, QPixmap>> m_drawn;
};

} // namespace

QImage readPng(const QString &path)
{
    QImageReader reader(path, "PNG");
    reader.setAutoDetectImageFormat(false);
    return reader.read();
}

QIcon deferredIcon(std::function<QIcon()> make)
{
    return QIcon(new LazyIconEngine(std::move(make)));
}

QIcon programIcon(const QString &resourcePath)
{
    static QHash<QString, QIcon> icons;
    QIcon &icon = icons[resourcePath];
    if (icon.isNull()) {
        static const bool registered = [] {
            Q_INIT_RESOURCE(icon_pictures);
            Q_INIT_RESOURCE(first_pictures);
            return true;
        }();
        Q_UNUSED(registered);
        icon = QIcon(new PictureIconEngine(resourcePath.chopped(4))); // without ".svg"
    }
    return icon;
}
