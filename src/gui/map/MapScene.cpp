#include "gui/map/MapScene.h"

#include "gui/map/MapItems.h"
#include "gui/map/MapLayout.h"

MapScene::MapScene(QObject *parent) : QGraphicsScene(parent)
{
    setBackgroundBrush(Qt::white);
    setItemIndexMethod(NoIndex); // a few dozen items, all replaced at once
}

void MapScene::setGraph(const ScriptGraph &graph)
{
    clear();
    m_nodes.clear();
    m_edges.clear();
    m_graph = graph;

    QList<QSizeF> sizes;
    for (qsizetype i = 0; i < graph.nodes.size(); ++i) {
        auto *item = new MapNodeItem(graph.nodes[i], int(i));
        sizes << item->size();
        m_nodes << item;
    }
    QList<MapLayout::Link> links;
    for (const MapEdge &edge : graph.edges)
        links << MapLayout::Link{edge.from, edge.to};
    const MapLayout layout = MapLayout::of(sizes, links);

    const QPointF origin(Margin, Margin);
    for (qsizetype i = 0; i < m_nodes.size(); ++i) {
        m_nodes[i]->setPos(layout.centres[i] + origin);
        m_nodes[i]->setCurrent(graph.nodes[i].kind != MapNodeKind::OtherScript &&
                               graph.nodes[i].record == m_currentRecord);
        addItem(m_nodes[i]);
    }
    for (qsizetype i = 0; i < graph.edges.size(); ++i) {
        auto *item = new MapEdgeItem(graph.edges[i], layout.routes.value(i));
        item->setPos(origin);
        m_edges << item;
        addItem(item);
    }
    setSceneRect(QRectF(QPointF(0, 0), layout.size + QSizeF(2 * Margin, 2 * Margin)));
}

int MapScene::nodeAt(const QPointF &point) const
{
    for (const MapNodeItem *item : m_nodes) {
        const QSizeF size = item->size();
        if (QRectF(item->pos() - QPointF(size.width() / 2, size.height() / 2), size).contains(point))
            return item->index();
    }
    return -1;
}

void MapScene::setCurrentRecord(int record)
{
    m_currentRecord = record;
    for (MapNodeItem *item : std::as_const(m_nodes))
        item->setCurrent(item->kind() != MapNodeKind::OtherScript && m_graph.nodes[item->index()].record == record);
}

MapNodeItem *MapScene::currentItem() const
{
    const int node = m_graph.nodeOfRecord(m_currentRecord);
    return node < 0 ? nullptr : m_nodes.value(node);
}
