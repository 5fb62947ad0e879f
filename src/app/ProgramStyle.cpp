#include "app/ProgramStyle.h"

#include "gui/widgets/ProgramIcon.h"

#include <QApplication>
#include <QGroupBox>
#include <QHelpEvent>
#include <QPainter>
#include <QPointer>
#include <QStyleOption>
#include <QToolTip>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>

namespace
{

// Shows every widget's hint wrapped, so that a long one is never cut at the right.
class HintWrapper : public QObject
{
public:
    using QObject::QObject;
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() != QEvent::ToolTip)
            return false;
        auto *widget = qobject_cast<QWidget *>(watched);
        if (!widget || widget->toolTip().isEmpty())
            return false;
        const auto *help = static_cast<QHelpEvent *>(event);
        QToolTip::showText(help->globalPos(),
                           wrapHint(widget->toolTip(), QFontMetrics(QToolTip::font()), ProgramStyle::Width),
                           widget, {}, widget->toolTipDuration());
        return true;
    }
};

// Greedy word wrap of one line.
QStringList wrapLine(const QString &line, const QFontMetrics &metrics, int width)
{
    QStringList lines;
    auto fits = [&](const QString &text) { return metrics.horizontalAdvance(text) <= width; };
    const QStringList words = line.split(QLatin1Char(' '));
    QString current = words.first();
    for (qsizetype i = 1; i < words.size(); ++i) {
        QString word = words.at(i);
        if (const QString joined = current + QLatin1Char(' ') + word; fits(joined)) {
            current = joined;
            continue;
        }
        lines << current;
        current = word;
    }
    lines << current;
    // A word wider than the line is cut where it must be.
    QStringList cut;
    for (QString part : lines) {
        while (part.size() > 1 && !fits(part)) {
            qsizetype keep = part.size() - 1;
            while (keep > 1 && !fits(part.left(keep)))
                --keep;
            cut << part.left(keep);
            part = part.mid(keep);
        }
        cut << part;
    }
    return cut;
}

// Qt hands a fill of more than about a hundred spans (the rows of a tall piece, the pixels
// of a long line) to its thread pool in parts, and waking the pool takes longer than the
// fill. Drawn band by band, the same pixels are drawn on this thread. Bands are rows
// (Qt::Horizontal) or columns (Qt::Vertical) of `area`.
template <typename Band> void forEachBand(const QRect &area, Qt::Orientation bands, Band band)
{
    constexpr int Size = 32;
    const bool rows = bands == Qt::Horizontal;
    for (int start = 0; start < (rows ? area.height() : area.width()); start += Size)
        band(rows ? QRect(area.left(), area.top() + start, area.width(),
                          std::min(Size, area.height() - start))
                  : QRect(area.left() + start, area.top(), std::min(Size, area.width() - start),
                          area.height()));
}

// The scale from the painter's units to device pixels where bands of whole units meet on
// whole device pixels: unturned, at a whole scale, moved by whole pixels. Otherwise 0.
// Asked of the transform, not of the device: a widget rendered onto another device
// reports its own device's ratio.
int wholeDeviceScale(const QPainter *painter)
{
    const QTransform toDevice = painter->deviceTransform();
    const auto whole = [](qreal value) { return value == std::floor(value); };
    if (toDevice.type() > QTransform::TxScale || toDevice.m11() != toDevice.m22() || toDevice.m11() < 1 ||
        !whole(toDevice.m11()) || !whole(toDevice.dx()) || !whole(toDevice.dy()))
        return 0;
    return int(toDevice.m11());
}

bool bandsMeetExactly(const QPainter *painter)
{
    return wholeDeviceScale(painter) > 0;
}

// Draws once for each band, clipped to it.
template <typename Draw>
void drawInBands(QPainter *painter, const QRect &area, Qt::Orientation bands, Draw draw)
{
    if (!bandsMeetExactly(painter))
        return draw(painter);
    forEachBand(area, bands, [&](const QRect &band) {
        painter->save();
        painter->setClipRect(band, Qt::IntersectClip);
        draw(painter);
        painter->restore();
    });
}

// Draws once for each band on an image of the band's size, laid over the painter's device:
// for a drawing that sets a clip of its own, which would not keep to a band's. The same
// pixels where the drawing's first fill covers `area` opaquely.
template <typename Draw>
void drawInImageBands(QPainter *painter, const QRect &area, Qt::Orientation bands, Draw draw)
{
    const int scale = wholeDeviceScale(painter);
    if (scale == 0 || painter->opacity() < 1.0)
        return draw(painter);
    forEachBand(area, bands, [&](const QRect &band) {
        QImage image(band.size() * scale, QImage::Format_ARGB32_Premultiplied);
        image.setDevicePixelRatio(scale);
        image.fill(Qt::transparent);
        QPainter onImage(&image);
        onImage.setRenderHints(painter->renderHints());
        onImage.setFont(painter->font());
        onImage.setPen(painter->pen());
        onImage.setBrush(painter->brush());
        onImage.translate(-band.topLeft());
        draw(&onImage);
        onImage.end();
        painter->drawImage(band.topLeft(), image);
    });
}

// A nine-piece image's edges and middle, each of one colour along the way it is stretched:
// any part of them is then the same piece drawn shorter, and nothing needs a clip.
bool stretchesEvenly(const QImage &picture, int margin)
{
    const QImage image = picture.convertToFormat(QImage::Format_ARGB32);
    const auto row = [&image](int y) { return reinterpret_cast<const QRgb *>(image.constScanLine(y)); };
    const int right = image.width() - margin, bottom = image.height() - margin;
    for (int y = 0; y < image.height(); ++y) {
        if (y >= margin && y < bottom && std::memcmp(row(y), row(margin), image.width() * sizeof(QRgb)) != 0)
            return false;
        if (std::any_of(row(y) + margin, row(y) + right, [&](QRgb pixel) { return pixel != row(y)[margin]; }))
            return false;
    }
    // The middle is filled, which matches the middle stretched only where a smoothed
    // stretch has nothing else to blend in: the pixels around it are of its colour too.
    const QRgb middle = row(margin)[margin];
    for (int y = margin - 1; y <= bottom; ++y) {
        if (row(y)[margin - 1] != middle || row(y)[right] != middle)
            return false;
    }
    return row(margin - 1)[margin] == middle && row(bottom)[margin] == middle;
}

// qDrawBorderPixmap's drawing with equal margins, band by band, each piece cut to the band.
void drawNinePiecesInBands(QPainter *painter, const QRect &frame, const QPixmap &image, const QColor &middle,
                           int margin)
{
    const auto spans = [margin](int start, int length, int imageLength) {
        struct Span {
            int target, length, source, sourceLength;
        };
        return std::array<Span, 3>{{{start, margin, 0, margin},
                                    {start + margin, length - 2 * margin, margin, imageLength - 2 * margin},
                                    {start + length - margin, margin, imageLength - margin, margin}}};
    };
    const auto columns = spans(frame.left(), frame.width(), image.width());
    const auto rows = spans(frame.top(), frame.height(), image.height());
    forEachBand(frame, Qt::Horizontal, [&](const QRect &band) {
        for (const auto &row : rows) {
            const int top = std::max(row.target, band.top());
            const int bottom = std::min(row.target + row.length, band.bottom() + 1);
            if (top >= bottom)
                continue;
            // A row of pieces drawn at its own height is cut to the band. A stretched one stays
            // stretched: Qt blends a piece of its own size by another route, which rounds
            // differently.
            const bool stretched = row.length != row.sourceLength;
            const int sourceTop = stretched ? row.source : row.source + top - row.target;
            int sourceHeight = bottom - top;
            if (stretched)
                sourceHeight = sourceHeight == row.sourceLength ? 1 : row.sourceLength;
            for (std::size_t c = 0; c < columns.size(); ++c) {
                const auto &column = columns[c];
                if (column.length <= 0)
                    continue;
                const QRect target(column.target, top, column.length, bottom - top);
                // The middle, the most of the frame, is filled: many times faster than stretched,
                // to the same pixels (stretchesEvenly).
                if (stretched && c == 1)
                    painter->fillRect(target, middle);
                else
                    painter->drawPixmap(target, image,
                                        QRect(column.source, sourceTop, column.sourceLength, sourceHeight));
            }
        }
    });
}

} // namespace

QString wrapHint(const QString &hint, const QFontMetrics &metrics, int width)
{
    QStringList lines;
    for (const QString &line : hint.split(QLatin1Char('\n')))
        lines << wrapLine(line, metrics, width);
    return lines.join(QLatin1Char('\n'));
}

int ProgramStyle::styleHint(StyleHint hint, const QStyleOption *option, const QWidget *widget,
                            QStyleHintReturn *returnData) const
{
    if (hint == SH_ToolTip_WakeUpDelay)
        return WakeUpDelay;
    // A combo box's list opens below it: as a menu, Qt measures every row before
    // opening, and a list of a million names takes seconds.
    if (hint == SH_ComboBox_Popup)
        return 0;
    return QProxyStyle::styleHint(hint, option, widget, returnData);
}

int ProgramStyle::pixelMetric(PixelMetric metric, const QStyleOption *option, const QWidget *widget) const
{
    // Every command fits on the bar of the window's first width, with no overflow menu.
    if (metric == PM_ToolBarItemSpacing || metric == PM_ToolBarItemMargin || metric == PM_ToolBarFrameWidth)
        return 0;
    return QProxyStyle::pixelMetric(metric, option, widget);
}

QIcon ProgramStyle::standardIcon(StandardPixmap icon, const QStyleOption *option, const QWidget *widget) const
{
    // Menu bars and tool bars ask for their overflow button's icon when they are made,
    // though it shows only when they overflow; reading it then waits for a first paint.
    if (icon == SP_ToolBarHorizontalExtensionButton || icon == SP_ToolBarVerticalExtensionButton) {
        const Qt::LayoutDirection direction = option ? option->direction : QGuiApplication::layoutDirection();
        const QPointer<QStyle> base = baseStyle();
        return deferredIcon([base, icon, direction] {
            QStyleOption leftOrRight;
            leftOrRight.direction = direction;
            return base ? base->standardIcon(icon, &leftOrRight) : QIcon();
        });
    }
    return QProxyStyle::standardIcon(icon, option, widget);
}

void ProgramStyle::drawPrimitive(PrimitiveElement element, const QStyleOption *option, QPainter *painter,
                                 const QWidget *widget) const
{
    // A hint's panel drawn here rather than by a style sheet: an application-wide sheet
    // would route the polish and painting of every widget through Qt's sheet style.
    if (element == PE_PanelTipLabel) {
        painter->save();
        painter->fillRect(option->rect, QApplication::palette().toolTipBase());
        painter->setPen(HintBorder);
        painter->drawRect(option->rect.adjusted(0, 0, -1, -1));
        painter->restore();
        return;
    }
    if (element == PE_FrameGroupBox && drawsOnFusion() && drawGroupBoxFrame(option, painter, widget))
        return;
    QProxyStyle::drawPrimitive(element, option, painter, widget);
}

void ProgramStyle::drawControl(ControlElement element, const QStyleOption *option, QPainter *painter,
                               const QWidget *widget) const
{
    // Fusion draws the bar's edges as lines as long as the window is wide.
    if (element == CE_ToolBar && drawsOnFusion()) {
        drawInBands(painter, option->rect, Qt::Vertical,
                    [&](QPainter *band) { QProxyStyle::drawControl(element, option, band, widget); });
        return;
    }
    QProxyStyle::drawControl(element, option, painter, widget);
}

void ProgramStyle::drawComplexControl(ComplexControl control, const QStyleOptionComplex *option,
                                      QPainter *painter, const QWidget *widget) const
{
    // Fusion fills a scroll bar's groove, opaque, and draws its slider the height of the bar,
    // each with clips of its own. (Across a horizontal bar, the bands would not keep some
    // corner pixels.)
    if (control == CC_ScrollBar && !(option->state & State_Horizontal) && drawsOnFusion()) {
        drawInImageBands(painter, option->rect, Qt::Horizontal, [&](QPainter *band) {
            QProxyStyle::drawComplexControl(control, option, band, widget);
        });
        return;
    }
    QProxyStyle::drawComplexControl(control, option, painter, widget);
}

// Fusion's own frame and image.
constexpr int GroupBoxMargin = 6;

const QPixmap &ProgramStyle::groupBoxFrame() const
{
    if (!m_groupBoxFrame) {
        const QImage image =
            readPng(QStringLiteral(":/qt-project.org/styles/commonstyle/images/fusion_groupbox.png"));
        m_groupBoxFrame = QPixmap();
        // A middle of two rows at least: a cut the height of the stretched rows is drawn from one.
        if (image.width() > 2 * GroupBoxMargin + 1 && image.height() > 2 * GroupBoxMargin + 1 &&
            stretchesEvenly(image, GroupBoxMargin)) {
            m_groupBoxFrame = QPixmap::fromImage(image);
            m_groupBoxMiddle = image.pixelColor(GroupBoxMargin, GroupBoxMargin);
        }
    }
    return *m_groupBoxFrame;
}

bool ProgramStyle::drawGroupBoxFrame(const QStyleOption *option, QPainter *painter,
                                     const QWidget *widget) const
{
    const QPixmap &image = groupBoxFrame();
    if (image.isNull())
        return false;
    constexpr int TopMargin = 3;
    int top = TopMargin;
    const auto *box = qobject_cast<const QGroupBox *>(widget);
    if (!box || box->isCheckable() || !box->title().isEmpty())
        top += qMax(pixelMetric(PM_ExclusiveIndicatorHeight, option, widget), option->fontMetrics.height());
    const QRect frame = option->rect.adjusted(0, top, 0, 0);
    if (frame.width() < 2 * GroupBoxMargin || frame.height() < 2 * GroupBoxMargin ||
        !bandsMeetExactly(painter))
        return false;
    drawNinePiecesInBands(painter, frame, image, m_groupBoxMiddle, GroupBoxMargin);
    return true;
}

bool ProgramStyle::drawsOnFusion() const
{
    return baseStyle()->name().compare(QLatin1String("fusion"), Qt::CaseInsensitive) == 0;
}

void ProgramStyle::install()
{
    auto *style = new ProgramStyle;
    QApplication::setStyle(style);
    // Read now, while the fonts' configuration is still being read beside (FontPrefetch):
    // the main window's group boxes draw it at their first paint.
    if (style->drawsOnFusion())
        style->groupBoxFrame();
    qApp->installEventFilter(new HintWrapper(qApp));
    // Russian and Latin need no shaping, so HarfBuzz is left out: a twentieth of the start-up
    // and 0.7 MB. Words are set without pair kerning, as classic Windows controls set them.
    // QGuiApplication's setter, since QApplication's drops the platform's fonts for menus
    // and hints.
    QFont font = QGuiApplication::font();
    font.setStyleStrategy(QFont::PreferNoShaping);
    QGuiApplication::setFont(font);
}
