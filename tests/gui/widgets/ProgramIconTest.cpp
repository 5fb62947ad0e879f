#include "gui/widgets/ProgramIcon.h"

#include <QDir>
#include <QImage>
#include <QPixmap>

#include <gtest/gtest.h>

namespace
{

int paintedPixels(const QImage &image)
{
    int painted = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            painted += qAlpha(image.pixel(x, y)) > 0;
    return painted;
}

} // namespace

TEST(ProgramIconTest, DrawsTheFileAtTheAskedSizeAndGreyedWhenDisabled)
{
    Q_INIT_RESOURCE(resources);
    const QIcon icon = programIcon(QStringLiteral(":/icons/Save.svg"));
    const QImage normal = icon.pixmap(QSize(18, 18), 1.0).toImage();
    ASSERT_EQ(normal.size(), QSize(18, 18));
    EXPECT_GT(paintedPixels(normal), 18 * 18 / 4);
    const QImage disabled = icon.pixmap(QSize(18, 18), 1.0, QIcon::Disabled).toImage();
    EXPECT_NE(disabled, normal);
    EXPECT_EQ(paintedPixels(disabled), paintedPixels(normal)) << "greyed, not cut";
    // Non-square files keep their shape.
    // Drawn beforehand, at sizes whose sides may round a pixel off.
    const QSize wide = programIcon(QStringLiteral(":/icons/Check_Vesta_on.svg")).actualSize(QSize(72, 72));
    EXPECT_EQ(wide.width(), 72);
    EXPECT_NEAR(wide.height(), 40, 1);
    EXPECT_EQ(programIcon(QStringLiteral(":/icons/Save.svg")).cacheKey(), icon.cacheKey())
        << "one icon per file";
}

TEST(ProgramIconTest, EveryIconHasAPictureAtEverySize)
{
    Q_INIT_RESOURCE(resources);
    const QStringList files = QDir(QStringLiteral(":/icons")).entryList({QStringLiteral("*.svg")});
    ASSERT_GT(files.size(), 40);
    for (const QString &file : files) {
        const QIcon icon = programIcon(QStringLiteral(":/icons/") + file);
        for (const int side : {16, 24, 32, 48, 256}) {
            const QImage picture = icon.pixmap(QSize(side, side), 1.0).toImage();
            EXPECT_EQ(std::max(picture.width(), picture.height()), side) << file.toStdString() << ' ' << side;
            EXPECT_GT(paintedPixels(picture), 0) << file.toStdString() << ' ' << side;
        }
    }
    // A wide drawing keeps its shape in the small sizes too.
    const QSize wide =
        programIcon(QStringLiteral(":/icons/Check_Vesta_on.svg")).pixmap(QSize(24, 24), 1.0).size();
    EXPECT_EQ(wide.width(), 24);
    EXPECT_NEAR(wide.height(), 13, 1);
}
