#pragma once

#include <QGraphicsView>

class MapScene;

// The map under the user's hands: Ctrl+wheel zooms about the pointer, dragging pans,
// a click or double click names the box under the pointer.
class MapView : public QGraphicsView
{
    Q_OBJECT
public:
    static constexpr qreal MinZoom = 0.1;
    static constexpr qreal MaxZoom = 4.0;
    static constexpr qreal ZoomStep = 1.25;

    explicit MapView(MapScene &scene, QWidget *parent = nullptr);

    qreal zoom() const { return transform().m11(); }
    void setZoom(qreal zoom);
    void zoomIn() { setZoom(zoom() * ZoomStep); }
    void zoomOut() { setZoom(zoom() / ZoomStep); }
    // The whole map in the window, never larger than its own size, nor smaller than
    // `atLeast` (a large map then shows a readable part of it).
    void fitToWindow(qreal atLeast = MinZoom);

signals:
    void nodeClicked(int node);
    void nodeDoubleClicked(int node);

protected:
    void wheelEvent(QWheelEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;

private:
    int nodeUnder(const QPoint &viewPoint) const;

    MapScene &m_scene;
    QPoint m_pressedAt;
    QPoint m_lastDragPoint;
    bool m_pressed = false;
    bool m_dragging = false;
};
