#include "gui/widgets/ProgramIcon.h"

#include <QApplication>
#include <QHash>
#include <QIconEngine>
#include <QImage>
#include <QPainter>
#include <QStyle>
#include <QStyleOption>
#ifdef SCRIVLET_QT_SVG
#include <QSvgRenderer>
#endif

#include <memory>
#include <optional>

namespace
{

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

#ifdef SCRIVLET_QT_SVG
// One SVG file drawn at any size, read when first drawn and read once (Qt's own SVG
// icons read their file twice). The drawings are kept, not the parsed file.
class SvgIconEngine : public QIconEngine
{
public:
    explicit SvgIconEngine(const QString &path) : m_path(path) {}

    void paint(QPainter *painter, const QRect &rect, QIcon::Mode mode, QIcon::State state) override
    {
        const qreal scale = painter->device()->devicePixelRatio();
        QPixmap drawn = scaledPixmap(rect.size() * scale, mode, state, scale);
        painter->drawPixmap(rect, drawn);
    }
    QPixmap pixmap(const QSize &size, QIcon::Mode mode, QIcon::State state) override
    {
        return scaledPixmap(size, mode, state, 1.0);
    }
    QPixmap scaledPixmap(const QSize &size, QIcon::Mode mode, QIcon::State state, qreal scale) override
    {
        const QSize pixels = actualSize(size, mode, state);
        if (pixels.isEmpty())
            return {};
        const quint64 key = quint64(pixels.width()) << 32 | quint64(pixels.height()) << 8 | quint64(mode);
        if (const auto found = m_drawn.constFind(key); found != m_drawn.constEnd())
            return *found;
        QPixmap drawn;
        if (mode == QIcon::Normal) {
            QImage image(pixels, QImage::Format_ARGB32_Premultiplied);
            image.fill(Qt::transparent);
            QPainter painter(&image);
            renderer().render(&painter, QRectF(QPointF(), pixels));
            painter.end();
            m_renderer.reset();
            drawn = QPixmap::fromImage(image);
        } else {
            // Greyed, or tinted, as the style makes every icon of that mode.
            QStyleOption option;
            option.palette = QGuiApplication::palette();
            drawn = QApplication::style()->generatedIconPixmap(
                mode, scaledPixmap(pixels, QIcon::Normal, state, scale), &option);
        }
        return m_drawn[key] = drawn;
    }
    QSize actualSize(const QSize &size, QIcon::Mode, QIcon::State) override
    {
        if (!m_naturalSize)
            m_naturalSize = renderer().isValid() ? renderer().defaultSize() : QSize();
        if (!m_naturalSize->isValid())
            return {};
        return m_naturalSize->isEmpty() ? size : m_naturalSize->scaled(size, Qt::KeepAspectRatio);
    }
    // Not asked of the file itself: buttons ask it when they are laid out.
    bool isNull() override { return false; }
    QString key() const override { return QStringLiteral("SvgIconEngine"); }
    QIconEngine *clone() const override { return new SvgIconEngine(m_path); }

private:
    QSvgRenderer &renderer()
    {
        if (!m_renderer)
            m_renderer = std::make_unique<QSvgRenderer>(m_path);
        return *m_renderer;
    }

    QString m_path;
    std::unique_ptr<QSvgRenderer> m_renderer;
    std::optional<QSize> m_naturalSize; // invalid for a file that cannot be drawn
    QHash<quint64, QPixmap> m_drawn;
};
#endif

} // namespace

QIcon deferredIcon(std::function<QIcon()> make)
{
    return QIcon(new LazyIconEngine(std::move(make)));
}

QIcon programIcon(const QString &resourcePath)
{
    static QHash<QString, QIcon> icons;
    QIcon &icon = icons[resourcePath];
    if (icon.isNull()) {
#ifdef SCRIVLET_QT_SVG
        icon = QIcon(new SvgIconEngine(resourcePath));
#else
        // The same drawings made beforehand in a few sizes (cmake/IconPictures.cmake).
        static const bool registered = [] {
            Q_INIT_RESOURCE(icon_pictures);
            return true;
        }();
        Q_UNUSED(registered);
        const QString base = resourcePath.chopped(4); // without ".svg"
        for (const QString &size : QStringLiteral(SCRIVLET_ICON_SIZES).split(QLatin1Char(',')))
            icon.addFile(base + QLatin1Char('-') + size + QStringLiteral(".png"));
#endif
    }
    return icon;
}
