#include "common/ui/ProgramIcon.h"

#include <QHash>
#include <QIconEngine>
#include <QPainter>

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

} // namespace

QIcon deferredIcon(std::function<QIcon()> make)
{
    return QIcon(new LazyIconEngine(std::move(make)));
}

QIcon programIcon(const QString &resourcePath)
{
    static QHash<QString, QIcon> icons;
    QIcon &icon = icons[resourcePath];
    if (icon.isNull())
        icon = deferredIcon([resourcePath] { return QIcon(resourcePath); });
    return icon;
}
