#include "gui/map/MapLayout.h"

#include "gui/map/GraphvizLibrary.h"

#include <QByteArray>

#include <graphviz/types.h> // ND_coord, ED_spl, GD_bb: where dot put things

#include <algorithm>
#include <cmath>
#include <vector>

namespace
{

constexpr double PointsPerInch = 72.0;

// Graphviz 2.43 takes names as char * but does not change them.
char *text(const char *value)
{
    return const_cast<char *>(value);
}

// One context for the whole run, with nothing but the dot layout in it.
GVC_t *context(const GraphvizLibrary &gv)
{
    static lt_symlist_t none[] = {{nullptr, nullptr}};
    static GVC_t *gvc = [&gv] {
        gv.seterr(AGMAX); // nothing of ours for it to warn about on stderr
        GVC_t *made = gv.contextPlugins(none, 0);
        if (gv.dotLayout)
            gv.addLibrary(made, gv.dotLayout);
        return made;
    }();
    return gvc;
}

// The links that close a cycle, found depth first from the boxes in order, as dot itself
// would find them. They go to dot turned round: dot 2.43 leaks what it makes for every
// link it has to turn round itself.
std::vector<bool> closingLinks(qsizetype boxCount, const QList<MapLayout::Link> &links)
{
    std::vector<std::vector<int>> out(boxCount);
    for (int i = 0; i < links.size(); ++i)
        out[links[i].from].push_back(i);
    enum State { Unseen, Open, Done };
    std::vector<State> state(boxCount, Unseen);
    std::vector<bool> closing(links.size(), false);
    for (qsizetype root = 0; root < boxCount; ++root) {
        if (state[root] != Unseen)
            continue;
        std::vector<std::pair<qsizetype, size_t>> path{{root, 0}}; // box, next of its links
        state[root] = Open;
        while (!path.empty()) {
            const auto [box, next] = path.back();
            if (next == out[box].size()) {
                state[box] = Done;
                path.pop_back();
                continue;
            }
            ++path.back().second;
            const int link = out[box][next];
            const int to = links[link].to;
            if (to != box && state[to] == Open)
                closing[link] = true;
            else if (state[to] == Unseen) {
                state[to] = Open;
                path.push_back({to, 0});
            }
        }
    }
    return closing;
}

// Should dot fail: the boxes in a column, linked by straight lines, so nothing is lost.
MapLayout column(const QList<QSizeF> &boxes, const QList<MapLayout::Link> &links)
{
    constexpr qreal Gap = 24;
    MapLayout layout;
    qreal top = 0;
    qreal widest = 0;
    for (const QSizeF &box : boxes) {
        layout.centres << QPointF(0, top + box.height() / 2);
        top += box.height() + Gap;
        widest = qMax(widest, box.width());
    }
    for (QPointF &centre : layout.centres)
        centre.setX(widest / 2);
    layout.size = QSizeF(widest, qMax<qreal>(0, top - Gap));
    for (const MapLayout::Link &link : links) {
        const QPointF from = layout.centres[link.from];
        const QPointF to = layout.centres[link.to];
        layout.routes << MapLayout::Route{{from, from, to, to}, to};
    }
    return layout;
}

QByteArray inches(qreal units)
{
    return QByteArray::number(units / PointsPerInch);
}

// One conversation, every box linked to the others, as dot lays it out.
MapLayout dotLayout(const QList<QSizeF> &boxes, const QList<MapLayout::Link> &links)
{
    const GraphvizLibrary *library = GraphvizLibrary::loaded();
    if (!library)
        return column(boxes, links);
    const GraphvizLibrary &gv = *library;
    MapLayout layout;
    Agraph_t *graph = gv.open(text("map"), *gv.directed, nullptr);
    gv.attr(graph, AGRAPH, text("rankdir"), text("TB"));
    gv.attr(graph, AGRAPH, text("nodesep"), text("0.35"));
    gv.attr(graph, AGRAPH, text("ranksep"), text("0.5"));
    gv.attr(graph, AGNODE, text("shape"), text("box"));
    gv.attr(graph, AGNODE, text("fixedsize"), text("true"));
    gv.attr(graph, AGNODE, text("label"), text(""));
    Agsym_t *width = gv.attr(graph, AGNODE, text("width"), text("1"));
    Agsym_t *height = gv.attr(graph, AGNODE, text("height"), text("1"));
    Agsym_t *direction = gv.attr(graph, AGEDGE, text("dir"), text("forward"));

    std::vector<Agnode_t *> nodes;
    for (qsizetype i = 0; i < boxes.size(); ++i) {
        QByteArray name = "n" + QByteArray::number(i);
        Agnode_t *node = gv.node(graph, name.data(), 1);
        gv.xset(node, width, inches(boxes[i].width()).data());
        gv.xset(node, height, inches(boxes[i].height()).data());
        nodes.push_back(node);
    }
    const std::vector<bool> closing = closingLinks(boxes.size(), links);
    std::vector<Agedge_t *> edges;
    for (qsizetype i = 0; i < links.size(); ++i) {
        Agnode_t *from = nodes[links[i].from];
        Agnode_t *to = nodes[links[i].to];
        Agedge_t *edge = closing[i] ? gv.edge(graph, to, from, nullptr, 1) : gv.edge(graph, from, to, nullptr, 1);
        if (closing[i])
            gv.xset(edge, direction, text("back"));
        edges.push_back(edge);
    }

    if (gv.layout(context(gv), graph, "dot") == 0) {
        const boxf bounds = GD_bb(graph);
        const auto scene = [&bounds](pointf p) { return QPointF(p.x - bounds.LL.x, bounds.UR.y - p.y); };
        layout.size = QSizeF(bounds.UR.x - bounds.LL.x, bounds.UR.y - bounds.LL.y);
        for (Agnode_t *node : nodes)
            layout.centres << scene(ND_coord(node));
        for (size_t i = 0; i < edges.size(); ++i) {
            MapLayout::Route route;
            bool arrow = false;
            const splines *lines = ED_spl(edges[i]);
            for (int b = 0; lines && b < lines->size; ++b) {
                const bezier &curve = lines->list[b];
                for (int p = 0; p < curve.size; ++p)
                    route.curve << scene(curve.list[p]);
                if (curve.eflag || curve.sflag) {
                    route.tip = scene(curve.eflag ? curve.ep : curve.sp);
                    arrow = true;
                }
            }
            if (closing[i])
                std::reverse(route.curve.begin(), route.curve.end());
            if (!arrow && !route.curve.isEmpty())
                route.tip = route.curve.last();
            layout.routes << route;
        }
        gv.freeLayout(context(gv), graph);
    }
    gv.close(graph);
    if (layout.centres.size() != boxes.size()) // no layout: a column, so nothing is lost
        layout = column(boxes, links);
    return layout;
}

// The boxes linked to each other, directly or not: the conversations, each in box order,
// in the order of their first boxes.
QList<QList<int>> conversations(qsizetype boxCount, const QList<MapLayout::Link> &links)
{
    std::vector<int> group(boxCount);
    for (qsizetype i = 0; i < boxCount; ++i)
        group[i] = int(i);
    const auto root = [&group](int box) {
        while (group[box] != box)
            box = group[box] = group[group[box]];
        return box;
    };
    for (const MapLayout::Link &link : links) {
        const int a = root(link.from);
        const int b = root(link.to);
        group[qMax(a, b)] = qMin(a, b); // the first box of a conversation is its root
    }
    QList<QList<int>> result;
    std::vector<int> slot(boxCount, -1);
    for (int box = 0; box < boxCount; ++box) {
        int &index = slot[root(box)];
        if (index < 0) {
            index = int(result.size());
            result.append(QList<int>());
        }
        result[index] << box;
    }
    return result;
}

} // namespace

// Each conversation is laid out on its own and they are set in rows: a page rather than a
// long strip. (Dot could pack them itself, but 2.43 leaks what it makes doing so.)
MapLayout MapLayout::of(const QList<QSizeF> &boxes, const QList<Link> &links)
{
    constexpr qreal Gap = 36;
    MapLayout layout;
    if (boxes.isEmpty())
        return layout;
    const QList<QList<int>> groups = conversations(boxes.size(), links);
    std::vector<int> groupOf(boxes.size());
    std::vector<int> place(boxes.size()); // within its conversation
    for (int g = 0; g < groups.size(); ++g) {
        for (int i = 0; i < groups[g].size(); ++i) {
            groupOf[groups[g][i]] = g;
            place[groups[g][i]] = i;
        }
    }
    QList<QList<int>> linksOf(groups.size());
    for (int i = 0; i < links.size(); ++i)
        linksOf[groupOf[links[i].from]] << i;

    QList<MapLayout> parts;
    qreal area = 0;
    qreal widest = 0;
    for (int g = 0; g < groups.size(); ++g) {
        QList<QSizeF> sizes;
        for (int box : groups[g])
            sizes << boxes[box];
        QList<Link> inner;
        for (int i : linksOf[g])
            inner << Link{place[links[i].from], place[links[i].to]};
        parts << dotLayout(sizes, inner);
        area += (parts.last().size.width() + Gap) * (parts.last().size.height() + Gap);
        widest = qMax(widest, parts.last().size.width());
    }

    // Rows a little wider than high, as windows and pages are.
    const qreal rowWidth = qMax(widest, std::sqrt(area) * 1.5);
    layout.centres.resize(boxes.size());
    layout.routes.resize(links.size());
    QPointF at(0, 0);
    qreal rowHeight = 0;
    for (int g = 0; g < groups.size(); ++g) {
        const MapLayout &part = parts[g];
        if (at.x() > 0 && at.x() + part.size.width() > rowWidth) {
            at = QPointF(0, at.y() + rowHeight + Gap);
            rowHeight = 0;
        }
        for (int i = 0; i < groups[g].size(); ++i)
            layout.centres[groups[g][i]] = part.centres[i] + at;
        for (int j = 0; j < linksOf[g].size(); ++j) {
            Route route = part.routes[j];
            for (QPointF &point : route.curve)
                point += at;
            route.tip += at;
            layout.routes[linksOf[g][j]] = route;
        }
        layout.size = layout.size.expandedTo(QSizeF(at.x() + part.size.width(), at.y() + part.size.height()));
        at.rx() += part.size.width() + Gap;
        rowHeight = qMax(rowHeight, part.size.height());
    }
    return layout;
}
