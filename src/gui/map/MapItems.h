#pragma once

#include "editor/ScriptGraph.h"
#include "gui/map/MapLayout.h"

#include <QFont>
#include <QGraphicsItem>
#include <QGraphicsPathItem>

// A box of the dialogue map: its lines in the map's own fonts, so that it looks the same
// in the window, in a saved picture and in one drawn by scrivlet-cli.
class MapNodeItem : public QGraphicsItem
{
public:
    MapNodeItem(const MapNode &node, int index);

    int index() const { return m_index; }
    MapNodeKind kind() const { return m_kind; }
    // The box itself, centred on the item's position.
    QSizeF size() const { return m_size; }
    QStringList texts() const;
    // The lines cut short to keep the box within its width, in full.
    QStringList cutTexts() const { return m_cut; }
    bool isCurrent() const { return m_current; }
    void setCurrent(bool current);

    QRectF boundingRect() const override;
    void paint(QPainter *painter, const QStyleOptionGraphicsItem *option, QWidget *widget) override;

private:
    struct Line {
        QString text;
        QFont font;
        QColor colour;
        QRectF rect; // within the box, from its top left
        int flags = 0;
    };

    int m_index;
    MapNodeKind m_kind;
    QList<Line> m_lines;
    QSizeF m_size;
    QStringList m_cut;
    bool m_current = false;
};

// A link: dot's curve and an arrow at its end; red and dashed when it leads nowhere sound.
class MapEdgeItem : public QGraphicsPathItem
{
public:
    MapEdgeItem(const MapEdge &edge, const MapLayout::Route &route);

    bool isBroken() const { return m_broken; }
    // Easy to point at: wider than the line itself.
    QPainterPath shape() const override;
    QRectF boundingRect() const override;
    void paint(QPainter *painter, const QStyleOptionGraphicsItem *option, QWidget *widget) override;

private:
    bool m_broken;
    QPolygonF m_arrow;
};
