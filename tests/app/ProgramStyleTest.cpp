#include "app/ProgramStyle.h"

#include <QApplication>
#include <QFontMetrics>
#include <QGroupBox>
#include <QImage>
#include <QPainter>
#include <QStyleFactory>
#include <QStyleOptionFrame>
#include <QToolTip>

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

TEST(ProgramStyleTest, GroupBoxFramesAreFusionsOwnToThePixel)
{
    auto *fusion = QStyleFactory::create(QStringLiteral("Fusion"));
    ASSERT_NE(fusion, nullptr);
    auto *ours = new ProgramStyle; // takes Fusion as the style it draws on
    for (const QString &title : {QStringLiteral("Условия срабатывания записи"), QString()}) {
        QGroupBox box(title);
        box.resize(300, 120);
        box.setStyle(fusion);
        const QImage expected = box.grab().toImage();
        box.setStyle(ours);
        EXPECT_EQ(box.grab().toImage(), expected) << title.toStdString();
    }
    delete ours;
    delete fusion;
}
