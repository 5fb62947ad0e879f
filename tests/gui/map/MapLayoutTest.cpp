#include "gui/map/MapLayout.h"

#include <QRandomGenerator>

#include <gtest/gtest.h>

namespace
{

QRectF boxAt(const MapLayout &layout, const QList<QSizeF> &sizes, int box)
{
    const QSizeF size = sizes[box];
    return QRectF(layout.centres[box] - QPointF(size.width() / 2, size.height() / 2), size);
}

// Within `slack` of the box's outline, inside or out.
bool onOutline(const QRectF &box, const QPointF &point, qreal slack = 3)
{
    return box.adjusted(-slack, -slack, slack, slack).contains(point) &&
           !box.adjusted(slack, slack, -slack, -slack).contains(point);
}

} // namespace

// Whatever the links (cycles, loops, both ways, twice), every box gets its own place in
// the picture and every link a curve from its box to an arrow that touches its target.
TEST(MapLayout, EveryLinkRunsFromItsBoxToAnArrowAtItsTarget)
{
    QRandomGenerator random(17);
    for (int round = 0; round < 30; ++round) {
        const int count = 1 + int(random.bounded(25));
        QList<QSizeF> sizes;
        for (int i = 0; i < count; ++i)
            sizes << QSizeF(60 + random.bounded(200), 30 + random.bounded(50));
        QList<MapLayout::Link> links;
        for (int i = 0; i < count; ++i) {
            if (random.bounded(5) > 0)
                links << MapLayout::Link{i, int(random.bounded(count))};
        }
        links << MapLayout::Link{0, 0} << MapLayout::Link{0, count - 1} << MapLayout::Link{count - 1, 0}
              << MapLayout::Link{0, count - 1};

        const MapLayout layout = MapLayout::of(sizes, links);
        ASSERT_EQ(layout.centres.size(), count);
        ASSERT_EQ(layout.routes.size(), links.size());
        const QRectF picture(QPointF(0, 0), layout.size);
        for (int i = 0; i < count; ++i) {
            const QRectF box = boxAt(layout, sizes, i);
            EXPECT_TRUE(picture.adjusted(-1, -1, 1, 1).contains(box)) << "round " << round << " box " << i;
            for (int j = 0; j < i; ++j)
                EXPECT_FALSE(box.intersects(boxAt(layout, sizes, j))) << "round " << round;
        }
        for (qsizetype i = 0; i < links.size(); ++i) {
            const MapLayout::Route &route = layout.routes[i];
            ASSERT_EQ(route.curve.size() % 3, 1) << "round " << round << " link " << i;
            ASSERT_GE(route.curve.size(), 4);
            EXPECT_TRUE(onOutline(boxAt(layout, sizes, links[i].from), route.curve.first()))
                << "round " << round << " link " << i;
            EXPECT_TRUE(onOutline(boxAt(layout, sizes, links[i].to), route.tip)) << "round " << round << " link " << i;
        }
    }
}

TEST(MapLayout, NothingToLayOut)
{
    const MapLayout layout = MapLayout::of({}, {});
    EXPECT_TRUE(layout.centres.isEmpty());
    EXPECT_TRUE(layout.size.isEmpty());
}

TEST(MapLayout, TopToBottom)
{
    const QList<QSizeF> sizes(3, QSizeF(80, 40));
    const MapLayout layout = MapLayout::of(sizes, {{0, 1}, {1, 2}});
    EXPECT_LT(layout.centres[0].y(), layout.centres[1].y());
    EXPECT_LT(layout.centres[1].y(), layout.centres[2].y());
    EXPECT_DOUBLE_EQ(layout.centres[0].x(), layout.centres[2].x());
}

// Two answers to one phrase stand side by side: Graphviz's layout, loaded when first
// wanted, not the plain column the map falls back to without it.
TEST(MapLayout, AnswersSideBySide)
{
    const QList<QSizeF> sizes(3, QSizeF(80, 40));
    const MapLayout layout = MapLayout::of(sizes, {{0, 1}, {0, 2}});
    EXPECT_DOUBLE_EQ(layout.centres[1].y(), layout.centres[2].y());
    EXPECT_NE(layout.centres[1].x(), layout.centres[2].x());
}
