#include "gui/map/MapItems.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QPainterPathStroker>
#include <QtMath>

namespace
{

constexpr qreal TextWidth = 240; // longer lines wrap
// A box holds a few lines of text at most: a name of any length from a stranger's list
// must not make a picture too big to draw.
constexpr int MaxLineChars = 160;
constexpr qreal PaddingX = 9;
constexpr qreal PaddingY = 6;
constexpr qreal LineGap = 2;
constexpr qreal CurrentPen = 3;

const QColor Border{0x70, 0x70, 0x70};
const QColor CurrentBorder{0x1f, 0x5f, 0xc0};
const QColor CurrentFill{0xff, 0xf1, 0xb3};
const QColor LinkColour{0x4a, 0x4a, 0x4a};

QFont mapFont(int pixelSize, bool bold = false, bool italic = false)
{
    QFont font(QStringLiteral("DejaVu Sans"));
    // With the hint comes its own strategy, not the editor's: the words are set with
    // kerning, as they were measured, in the window and on the command line alike.
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(pixelSize);
    font.setBold(bold);
    font.setItalic(italic);
    return font;
}

QColor colour(const char *name)
{
    return QColor(QLatin1String(name));
}

} // namespace

MapNodeItem::MapNodeItem(const MapNode &node, int index) : m_index(index), m_kind(node.kind)
{
    const QColor broken = colour(MapColours::Broken);
    const QColor subtitle = node.kind == MapNodeKind::NoRecord ? broken : QColor(0x33, 0x33, 0x33);
    const QList<Line> lines = {
        {node.title, mapFont(13, true), node.kind == MapNodeKind::NoRecord ? broken : QColor(0x1a, 0x1a, 0x1a), {}},
        {node.subtitle, mapFont(12), subtitle, {}},
        {node.conditions, mapFont(11), QColor(0x5a, 0x5a, 0x5a), {}},
        {node.phrase, mapFont(12, false, true), QColor(0x20, 0x3a, 0x60), {}},
    };
    qreal width = 0;
    qreal top = PaddingY;
    for (Line line : lines) {
        if (line.text.isEmpty())
            continue;
        if (line.text.size() > MaxLineChars) {
            m_cut << line.text;
            line.text = line.text.left(MaxLineChars - 1) + u'…';
        }
        const QFontMetricsF metrics(line.font);
        line.flags = Qt::TextWordWrap | Qt::AlignHCenter;
        QRectF wrapped = metrics.boundingRect(QRectF(0, 0, TextWidth, 1e6), line.flags, line.text);
        if (wrapped.width() > TextWidth) { // a word longer than the line
            line.flags = Qt::TextWrapAnywhere | Qt::AlignHCenter;
            wrapped = metrics.boundingRect(QRectF(0, 0, TextWidth, 1e6), line.flags, line.text);
        }
        line.rect = QRectF(PaddingX, top, wrapped.width(), wrapped.height());
        top += wrapped.height() + LineGap;
        width = qMax(width, wrapped.width());
        m_lines << line;
    }
    m_size = QSizeF(qMax<qreal>(width, 40) + 2 * PaddingX, top - LineGap + PaddingY);
    for (Line &line : m_lines) // centred in the box
        line.rect.setWidth(m_size.width() - 2 * PaddingX);
    setToolTip(node.details);
    setZValue(1);
}

QStringList MapNodeItem::texts() const
{
    QStringList result;
    for (const Line &line : m_lines)
        result << line.text;
    return result;
}

void MapNodeItem::setCurrent(bool current)
{
    if (current == m_current)
        return;
    m_current = current;
    update();
}

QRectF MapNodeItem::boundingRect() const
{
    const qreal margin = CurrentPen;
    return QRectF(-m_size.width() / 2 - margin, -m_size.height() / 2 - margin, m_size.width() + 2 * margin,
                  m_size.height() + 2 * margin);
}

void MapNodeItem::paint(QPainter *painter, const QStyleOptionGraphicsItem *, QWidget *)
{
    const QRectF box(QPointF(-m_size.width() / 2, -m_size.height() / 2), m_size);
    painter->setRenderHint(QPainter::Antialiasing);
    QPen pen(Border, 1);
    QBrush fill(colour(MapColours::Record));
    if (m_kind == MapNodeKind::NoRecord) {
        pen = QPen(colour(MapColours::Broken), 1.2, Qt::DashLine);
        fill = Qt::white;
    } else if (m_kind == MapNodeKind::OtherScript) {
        fill = colour(MapColours::OtherScript);
    }
    if (m_current) {
        pen = QPen(CurrentBorder, CurrentPen);
        fill = CurrentFill;
    }
    painter->setPen(pen);
    painter->setBrush(fill);
    if (m_kind == MapNodeKind::OtherScript)
        painter->drawRoundedRect(box, 8, 8);
    else
        painter->drawRect(box);
    for (const Line &line : std::as_const(m_lines)) {
        painter->setFont(line.font);
        painter->setPen(line.colour);
        painter->drawText(line.rect.translated(box.topLeft()), line.flags, line.text);
    }
}

MapEdgeItem::MapEdgeItem(const MapEdge &edge, const MapLayout::Route &route) : m_broken(edge.broken())
{
    QPainterPath path;
    const QList<QPointF> &curve = route.curve;
    if (!curve.isEmpty()) {
        path.moveTo(curve.first());
        for (qsizetype i = 1; i + 2 < curve.size(); i += 3)
            path.cubicTo(curve[i], curve[i + 1], curve[i + 2]);
        const QPointF base = path.currentPosition();
        const QPointF along = route.tip - base;
        const qreal length = qSqrt(along.x() * along.x() + along.y() * along.y());
        if (length > 0.5) {
            const QPointF across = QPointF(-along.y(), along.x()) * (0.4);
            m_arrow << route.tip << base + across << base - across;
        }
    }
    setPath(path);
    setPen(m_broken ? QPen(colour(MapColours::Broken), 1.4, Qt::DashLine) : QPen(LinkColour, 1.2));
    if (m_broken)
        setToolTip(edge.shownProblem);
}

QPainterPath MapEdgeItem::shape() const
{
    QPainterPathStroker stroker;
    stroker.setWidth(8);
    QPainterPath shape = stroker.createStroke(path());
    shape.addPolygon(m_arrow);
    return shape;
}

QRectF MapEdgeItem::boundingRect() const
{
    return QGraphicsPathItem::boundingRect().united(m_arrow.boundingRect()).adjusted(-4, -4, 4, 4);
}

void MapEdgeItem::paint(QPainter *painter, const QStyleOptionGraphicsItem *, QWidget *)
{
    painter->setRenderHint(QPainter::Antialiasing);
    painter->setPen(pen());
    painter->setBrush(Qt::NoBrush);
    painter->drawPath(path());
    painter->setPen(QPen(pen().color(), pen().widthF()));
    painter->setBrush(pen().color());
    painter->drawPolygon(m_arrow);
}
