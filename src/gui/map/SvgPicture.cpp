#include "gui/map/SvgPicture.h"

#include <QBuffer>
#include <QPaintEngine>
#include <QPainterPath>
#include <QPixmap>
#include <QTextItem>

namespace
{

// Points and pixels alike, as QSvgGenerator has it: text keeps the size it has on screen.
constexpr int Resolution = 72;

QByteArray number(qreal value)
{
    return QByteArray::number(value, 'g', 6);
}

QByteArray escaped(const QString &text)
{
    return text.toHtmlEscaped().toUtf8();
}

QByteArray colour(const QColor &colour)
{
    return colour.name(QColor::HexRgb).toLatin1();
}

QByteArray opacity(const char *attribute, const QColor &colour)
{
    return colour.alpha() == 255 ? QByteArray() : QByteArray(" ") + attribute + "=\"" + number(colour.alphaF()) + '"';
}

} // namespace

class SvgPaintEngine : public QPaintEngine
{
public:
    SvgPaintEngine() : QPaintEngine(AllFeatures) {}

    bool begin(QPaintDevice *) override { return true; }
    bool end() override { return true; }
    Type type() const override { return User; }

    void updateState(const QPaintEngineState &state) override
    {
        const DirtyFlags dirty = state.state();
        if (dirty & DirtyPen)
            m_pen = state.pen();
        if (dirty & DirtyBrush)
            m_brush = state.brush();
        if (dirty & DirtyTransform)
            m_transform = state.transform();
        if (dirty & DirtyFont)
            m_font = state.font();
    }

    void drawPath(const QPainterPath &path) override
    {
        QByteArray d;
        for (int i = 0; i < path.elementCount(); ++i) {
            const QPainterPath::Element e = path.elementAt(i);
            const char command = e.isMoveTo() ? 'M' : e.isLineTo() ? 'L' : e.isCurveTo() ? 'C' : ' ';
            if (command != ' ' || !d.isEmpty())
                d += (command == ' ' ? QByteArray(" ") : QByteArray(1, command)) + number(e.x) + ',' + number(e.y) + ' ';
        }
        const QByteArray rule = path.fillRule() == Qt::WindingFill ? " fill-rule=\"nonzero\"" : " fill-rule=\"evenodd\"";
        m_body += "<path d=\"" + d.trimmed() + '"' + rule + style(true) + transform() + "/>\n";
    }

    void drawPolygon(const QPointF *points, int count, PolygonDrawMode mode) override
    {
        QByteArray list;
        for (int i = 0; i < count; ++i)
            list += number(points[i].x()) + ',' + number(points[i].y()) + ' ';
        const bool line = mode == PolylineMode;
        const QByteArray rule = mode == WindingMode ? " fill-rule=\"nonzero\"" : " fill-rule=\"evenodd\"";
        m_body += (line ? "<polyline points=\"" : "<polygon points=\"") + list.trimmed() + '"' +
                  (line ? QByteArray() : rule) + style(!line) + transform() + "/>\n";
    }

    void drawPixmap(const QRectF &target, const QPixmap &pixmap, const QRectF &source) override
    {
        QByteArray png;
        QBuffer buffer(&png);
        buffer.open(QIODevice::WriteOnly);
        pixmap.copy(source.toAlignedRect()).save(&buffer, "PNG");
        m_body += "<image x=\"" + number(target.x()) + "\" y=\"" + number(target.y()) + "\" width=\"" +
                  number(target.width()) + "\" height=\"" + number(target.height()) +
                  "\" preserveAspectRatio=\"none\" xlink:href=\"data:image/png;base64," + png.toBase64() + '"' +
                  transform() + "/>\n";
    }

    void drawTextItem(const QPointF &at, const QTextItem &item) override
    {
        const QFont font = item.font();
        const qreal size = font.pixelSize() > 0 ? font.pixelSize() : font.pointSizeF();
        m_body += "<text x=\"" + number(at.x()) + "\" y=\"" + number(at.y()) + "\" font-family=\"" +
                  escaped(font.family()) + "\" font-size=\"" + number(size) + '"' +
                  (font.bold() ? " font-weight=\"bold\"" : "") + (font.italic() ? " font-style=\"italic\"" : "") +
                  " fill=\"" + colour(m_pen.color()) + '"' + opacity("fill-opacity", m_pen.color()) +
                  " xml:space=\"preserve\"" + transform() + '>' + escaped(item.text()) + "</text>\n";
    }

    QByteArray m_body;

private:
    QByteArray style(bool filled) const
    {
        QByteArray out;
        if (filled && m_brush.style() != Qt::NoBrush)
            out += " fill=\"" + colour(m_brush.color()) + '"' + opacity("fill-opacity", m_brush.color());
        else
            out += " fill=\"none\"";
        if (m_pen.style() == Qt::NoPen)
            return out + " stroke=\"none\"";
        out += " stroke=\"" + colour(m_pen.color()) + '"' + opacity("stroke-opacity", m_pen.color()) +
               " stroke-width=\"" + number(m_pen.widthF() > 0 ? m_pen.widthF() : 1) + '"';
        if (m_pen.style() != Qt::SolidLine) {
            QByteArray dashes;
            for (const qreal dash : m_pen.dashPattern())
                dashes += number(dash * qMax<qreal>(m_pen.widthF(), 1)) + ',';
            dashes.chop(1);
            out += " stroke-dasharray=\"" + dashes + '"';
        }
        out += m_pen.capStyle() == Qt::RoundCap ? " stroke-linecap=\"round\""
               : m_pen.capStyle() == Qt::FlatCap ? " stroke-linecap=\"butt\""
                                                  : " stroke-linecap=\"square\"";
        out += m_pen.joinStyle() == Qt::RoundJoin ? " stroke-linejoin=\"round\""
               : m_pen.joinStyle() == Qt::BevelJoin ? " stroke-linejoin=\"bevel\""
                                                    : " stroke-linejoin=\"miter\"";
        return out;
    }

    QByteArray transform() const
    {
        if (m_transform.isIdentity())
            return {};
        const QTransform &t = m_transform;
        return " transform=\"matrix(" + number(t.m11()) + ' ' + number(t.m12()) + ' ' + number(t.m21()) + ' ' +
               number(t.m22()) + ' ' + number(t.dx()) + ' ' + number(t.dy()) + ")\"";
    }

    QPen m_pen;
    QBrush m_brush;
    QTransform m_transform;
    QFont m_font;
};

SvgPicture::SvgPicture(const QSize &size, const QString &title, const QString &description)
    : m_size(size), m_title(title), m_description(description), m_engine(std::make_unique<SvgPaintEngine>())
{
}

SvgPicture::~SvgPicture() = default;

QPaintEngine *SvgPicture::paintEngine() const
{
    return m_engine.get();
}

QByteArray SvgPicture::document() const
{
    const QByteArray width = QByteArray::number(m_size.width());
    const QByteArray height = QByteArray::number(m_size.height());
    return "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"no\"?>\n"
           "<svg width=\"" + width + "\" height=\"" + height + "\" viewBox=\"0 0 " + width + ' ' + height +
           "\" xmlns=\"http://www.w3.org/2000/svg\" xmlns:xlink=\"http://www.w3.org/1999/xlink\" "
           "version=\"1.1\">\n<title>" + escaped(m_title) + "</title>\n<desc>" + escaped(m_description) +
           "</desc>\n" + m_engine->m_body + "</svg>\n";
}

int SvgPicture::metric(PaintDeviceMetric metric) const
{
    switch (metric) {
    case PdmWidth:
        return m_size.width();
    case PdmHeight:
        return m_size.height();
    case PdmWidthMM:
        return qRound(m_size.width() * 25.4 / Resolution);
    case PdmHeightMM:
        return qRound(m_size.height() * 25.4 / Resolution);
    case PdmNumColors:
        return 0xffffff;
    case PdmDepth:
        return 32;
    case PdmDpiX:
    case PdmDpiY:
    case PdmPhysicalDpiX:
    case PdmPhysicalDpiY:
        return Resolution;
    case PdmDevicePixelRatio:
        return 1;
    case PdmDevicePixelRatioScaled:
        return int(devicePixelRatioFScale());
    }
    return 0;
}
