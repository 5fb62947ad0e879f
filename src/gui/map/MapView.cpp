#include "gui/map/MapView.h"

#include "gui/map/MapScene.h"

#include <QApplication>
#include <QMouseEvent>
#include <QScrollBar>
#include <QWheelEvent>

MapView::MapView(MapScene &scene, QWidget *parent) : QGraphicsView(&scene, parent), m_scene(scene)
{
    setObjectName(QStringLiteral("Map_View"));
    setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing);
    setTransformationAnchor(AnchorUnderMouse);
    setResizeAnchor(AnchorViewCenter);
    setDragMode(NoDrag); // panning is ours, so that a drag that starts on a box pans too
    viewport()->setCursor(Qt::OpenHandCursor);
}

void MapView::setZoom(qreal zoom)
{
    const qreal bounded = qBound(MinZoom, zoom, MaxZoom);
    setTransform(QTransform::fromScale(bounded, bounded));
}

void MapView::fitToWindow(qreal atLeast)
{
    const QRectF scene = m_scene.sceneRect();
    const QSize room = viewport()->size();
    if (scene.isEmpty() || room.isEmpty())
        return;
    const ViewportAnchor anchor = transformationAnchor();
    setTransformationAnchor(NoAnchor);
    const qreal fit = qMin(room.width() / scene.width(), room.height() / scene.height());
    setZoom(qBound(qMin<qreal>(atLeast, 1.0), fit, 1.0));
    setTransformationAnchor(anchor);
    centerOn(scene.center());
}

void MapView::wheelEvent(QWheelEvent *event)
{
    if (!(event->modifiers() & Qt::ControlModifier)) {
        QGraphicsView::wheelEvent(event);
        return;
    }
    const qreal steps = event->angleDelta().y() / 120.0;
    if (steps != 0)
        setZoom(zoom() * qPow(ZoomStep, steps));
    event->accept();
}

void MapView::mousePressEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton) {
        QGraphicsView::mousePressEvent(event);
        return;
    }
    m_pressed = true;
    m_dragging = false;
    m_pressedAt = m_lastDragPoint = event->position().toPoint();
    event->accept();
}

void MapView::mouseMoveEvent(QMouseEvent *event)
{
    if (!m_pressed) {
        QGraphicsView::mouseMoveEvent(event);
        return;
    }
    const QPoint point = event->position().toPoint();
    if (!m_dragging && (point - m_pressedAt).manhattanLength() >= QApplication::startDragDistance()) {
        m_dragging = true;
        viewport()->setCursor(Qt::ClosedHandCursor);
    }
    if (m_dragging) {
        const QPoint moved = point - m_lastDragPoint;
        horizontalScrollBar()->setValue(horizontalScrollBar()->value() - moved.x());
        verticalScrollBar()->setValue(verticalScrollBar()->value() - moved.y());
    }
    m_lastDragPoint = point;
    event->accept();
}

void MapView::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton || !m_pressed) {
        QGraphicsView::mouseReleaseEvent(event);
        return;
    }
    m_pressed = false;
    viewport()->setCursor(Qt::OpenHandCursor);
    if (!m_dragging) {
        if (const int node = nodeUnder(event->position().toPoint()); node >= 0)
            emit nodeClicked(node);
    }
    m_dragging = false;
    event->accept();
}

void MapView::mouseDoubleClickEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton) {
        QGraphicsView::mouseDoubleClickEvent(event);
        return;
    }
    if (const int node = nodeUnder(event->position().toPoint()); node >= 0)
        emit nodeDoubleClicked(node);
    event->accept();
}

int MapView::nodeUnder(const QPoint &viewPoint) const
{
    return m_scene.nodeAt(mapToScene(viewPoint));
}
