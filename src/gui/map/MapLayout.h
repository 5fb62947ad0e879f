#pragma once

#include <QList>
#include <QPointF>
#include <QRectF>
#include <QSizeF>

// Where Graphviz's dot layout, top to bottom, puts boxes of given sizes and the links
// between them; in scene units, y growing downwards, the picture's top left at 0,0.
struct MapLayout {
    struct Link {
        int from = 0;
        int to = 0;
    };
    struct Route {
        QList<QPointF> curve; // cubic Bézier: start, then three points per segment
        QPointF tip;          // the arrow's point, beyond the curve's end
    };

    QSizeF size;
    QList<QPointF> centres; // per box
    QList<Route> routes;    // per link

    static MapLayout of(const QList<QSizeF> &boxes, const QList<Link> &links);
};
