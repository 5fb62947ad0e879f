#pragma once

#include <QColor>
#include <QPixmap>
#include <QProxyStyle>

#include <optional>

class QFontMetrics;

// The program's look on the toolkit's own: hints appear as balloon tips in info-tip
// colours after a second and a half, 250 pixels wide; combo box lists open below their
// box; the tool bar's buttons stand side by side without gaps or margins. On Fusion, group
// box frames, tool bars and vertical scroll bars look as Fusion's own but are drawn
// without Qt's thread pool.
class ProgramStyle : public QProxyStyle
{
public:
    static constexpr int WakeUpDelay = 1500;
    static constexpr int Width = 250;
    static constexpr QColor HintBorder{0x76, 0x76, 0x76};

    int styleHint(StyleHint hint, const QStyleOption *option = nullptr, const QWidget *widget = nullptr,
                  QStyleHintReturn *returnData = nullptr) const override;
    int pixelMetric(PixelMetric metric, const QStyleOption *option = nullptr,
                    const QWidget *widget = nullptr) const override;
    QIcon standardIcon(StandardPixmap icon, const QStyleOption *option = nullptr,
                       const QWidget *widget = nullptr) const override;
    void drawPrimitive(PrimitiveElement element, const QStyleOption *option, QPainter *painter,
                       const QWidget *widget = nullptr) const override;
    void drawControl(ControlElement element, const QStyleOption *option, QPainter *painter,
                     const QWidget *widget = nullptr) const override;
    void drawComplexControl(ComplexControl control, const QStyleOptionComplex *option, QPainter *painter,
                            const QWidget *widget = nullptr) const override;

    static void install();

private:
    bool drawsOnFusion() const;
    bool drawGroupBoxFrame(const QStyleOption *option, QPainter *painter, const QWidget *widget) const;
    // Null where it cannot be drawn in bands.
    const QPixmap &groupBoxFrame() const;

    // Read when installed or first drawn.
    mutable std::optional<QPixmap> m_groupBoxFrame;
    mutable QColor m_groupBoxMiddle;
};

// The hint broken into lines no wider than `width`: at blanks where it can, inside a
// word only where one word alone is wider. Its own line breaks stay, nothing is lost.
QString wrapHint(const QString &hint, const QFontMetrics &metrics, int width);
