#pragma once

#include "editor/ScriptGraph.h"

#include <QGraphicsScene>

class MapEdgeItem;
class MapNodeItem;

// The dialogue map drawn: a box per node where Graphviz put it, a curve per link, the
// current record's box marked. Window-free callers (a picture for the command line) use
// it just as the map window does.
class MapScene : public QGraphicsScene
{
public:
    static constexpr qreal Margin = 16;

    explicit MapScene(QObject *parent = nullptr);

    // Lays the graph out and draws it anew; the current record stays marked.
    void setGraph(const ScriptGraph &graph);
    const ScriptGraph &graph() const { return m_graph; }

    // The node under a point of the scene; -1 for none.
    int nodeAt(const QPointF &point) const;
    MapNodeItem *nodeItem(int node) const { return m_nodes.value(node); }
    MapEdgeItem *edgeItem(int edge) const { return m_edges.value(edge); }

    // The record marked as current; -1 marks none.
    void setCurrentRecord(int record);
    int currentRecord() const { return m_currentRecord; }
    // The current record's box; null when the record has none.
    MapNodeItem *currentItem() const;

private:
    ScriptGraph m_graph;
    QList<MapNodeItem *> m_nodes;
    QList<MapEdgeItem *> m_edges;
    int m_currentRecord = -1;
};
