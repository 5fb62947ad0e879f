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
    explicit LazyIconEngine(const QString &path) : m_path(path) {}

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
    bool isNull() override { return m_path.isEmpty(); }
    QString key() const override { return QStringLiteral("LazyIconEngine"); }
    QIconEngine *clone() const override { return new LazyIconEngine(m_path); }

private:
    QIcon &icon()
    {
        if (!m_icon)
            m_icon = QIcon(m_path);
        return *m_icon;
    }

    QString m_path;
    std::optional<QIcon> m_icon;
};

} // namespace

QIcon programIcon(const QString &resourcePath)
{
    static QHash<QString, QIcon> icons;
    QIcon &icon = icons[resourcePath];
    if (icon.isNull())
        icon = QIcon(new LazyIconEngine(resourcePath));
    return icon;
}
