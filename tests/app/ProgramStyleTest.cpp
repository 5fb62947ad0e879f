#include "app/ProgramStyle.h"

#include <QApplication>
#include <QFontMetrics>
#include <QGroupBox>
#include <QImage>
#include <QMainWindow>
#include <QPainter>
#include <QScrollBar>
#include <QStyleFactory>
#include <QStyleOptionFrame>
#include <QStyleOptionToolBar>
#include <QToolBar>
#include <QToolTip>

#include <memory>

#include <gtest/gtest.h>

TEST(ProgramStyleTest, HintsWrapAtBlanksWithinTheWidthAndLoseNothing)
{
    const QFontMetrics metrics(QToolTip::font());
    const QString hint =
        QStringLiteral("Вставить:\nвставить запись на выделенное место, все нижележащие записи "
                       "будут сдвинуты вниз.\n ");
    const QString wrapped = wrapHint(hint, metrics, ProgramStyle::Width);
    const QStringList lines = wrapped.split(QLatin1Char('\n'));
    EXPECT_GT(lines.size(), 3);
    EXPECT_EQ(lines.first(), QStringLiteral("Вставить:"));
    EXPECT_EQ(lines.last(), QStringLiteral(" ")) << "the blank third line stays";
    for (const QString &line : lines)
        EXPECT_LE(metrics.horizontalAdvance(line), ProgramStyle::Width) << line.toStdString();
    QString joined = wrapped;
    joined.replace(QLatin1Char('\n'), QLatin1Char(' '));
    EXPECT_EQ(joined.simplified(), QString(hint).replace(QLatin1Char('\n'), QLatin1Char(' ')).simplified());

    // A path has no blanks: it is cut where it must be, every character kept.
    const QString path =
        QStringLiteral("/home/modder/korvan/scripts/").repeated(6) + QStringLiteral("057.npc");
    const QStringList parts = wrapHint(path, metrics, ProgramStyle::Width).split(QLatin1Char('\n'));
    EXPECT_GT(parts.size(), 1);
    EXPECT_EQ(parts.join(QString()), path);
    EXPECT_EQ(wrapHint(QStringLiteral("short"), metrics, 1), QStringLiteral("s\nh\no\nr\nt"));
}

TEST(ProgramStyleTest, HintsAreDrawnInInfoTipColoursWithAGreyBorder)
{
    ProgramStyle style;
    QImage image(40, 20, QImage::Format_RGB32);
    image.fill(Qt::black);
    QStyleOptionFrame option;
    option.rect = image.rect();
    option.palette = QApplication::palette();
    QPainter painter(&image);
    style.drawPrimitive(QStyle::PE_PanelTipLabel, &option, &painter);
    painter.end();
    EXPECT_EQ(image.pixelColor(20, 10), QApplication::palette().color(QPalette::ToolTipBase));
    EXPECT_EQ(image.pixelColor(0, 0), ProgramStyle::HintBorder);
    EXPECT_EQ(image.pixelColor(39, 19), ProgramStyle::HintBorder);
    EXPECT_EQ(image.pixelColor(20, 19), ProgramStyle::HintBorder);
}

// Drawn in bands, but to Fusion's own pixels.
TEST(ProgramStyleTest, GroupBoxesScrollBarsAndToolBarsAreFusionsOwnToThePixel)
{
    std::unique_ptr<QStyle> fusion(QStyleFactory::create(QStringLiteral("Fusion")));
    ASSERT_NE(fusion, nullptr);
    ProgramStyle ours; // takes Fusion as the style it draws on
    // On a screen of one and of two device pixels to a pixel.
    const auto rendered = [](QWidget &widget, int scale) {
        QImage image(widget.size() * scale, QImage::Format_ARGB32_Premultiplied);
        image.setDevicePixelRatio(scale);
        widget.render(&image);
        return image;
    };
    const auto samePixels = [&](QWidget &widget, const char *what) {
        for (const int scale : {1, 2}) {
            widget.setStyle(fusion.get());
            const QImage expected = rendered(widget, scale);
            widget.setStyle(&ours);
            EXPECT_EQ(rendered(widget, scale), expected) << what << " at scale " << scale;
        }
        widget.setStyle(nullptr);
    };
    for (const QString &title : {QStringLiteral("Условия срабатывания записи"), QString()}) {
        // Frames cut in bands, one as wide as Fusion's image, and ones too small to cut.
        for (const QSize size :
             {QSize(300, 120), QSize(600, 331), QSize(98, 150), QSize(11, 70), QSize(90, 13)}) {
            QGroupBox box(title);
            box.resize(size);
            samePixels(box, title.isEmpty() ? "untitled box" : "titled box");
        }
    }
    for (const auto orientation : {Qt::Vertical, Qt::Horizontal}) {
        QScrollBar scrollBar(orientation);
        scrollBar.setRange(0, 100);
        scrollBar.setValue(30);
        scrollBar.resize(orientation == Qt::Vertical ? QSize(16, 600) : QSize(895, 16));
        samePixels(scrollBar, "scroll bar");
    }
    // The bar's background alone: its handle and buttons stand where the program's metrics
    // put them.
    QMainWindow window;
    QToolBar *bar = window.addToolBar(QStringLiteral("bar"));
    QStyleOptionToolBar option;
    option.initFrom(bar);
    option.rect = QRect(0, 0, 895, 29);
    option.state |= QStyle::State_Horizontal;
    option.toolBarArea = Qt::TopToolBarArea;
    const auto drawn = [&](const QStyle &style, int scale) {
        QImage image(option.rect.size() * scale, QImage::Format_ARGB32_Premultiplied);
        image.setDevicePixelRatio(scale);
        image.fill(Qt::gray);
        QPainter painter(&image);
        style.drawControl(QStyle::CE_ToolBar, &option, &painter, bar);
        return image;
    };
    for (const auto line : {QStyleOptionToolBar::OnlyOne, QStyleOptionToolBar::Beginning,
                            QStyleOptionToolBar::Middle, QStyleOptionToolBar::End}) {
        option.positionOfLine = line;
        for (const int scale : {1, 2})
            EXPECT_EQ(drawn(ours, scale), drawn(*fusion, scale))
                << "tool bar, line " << line << " at scale " << scale;
    }
}
