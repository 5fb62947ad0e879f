#pragma once

#include <QProxyStyle>

// Hints appear as balloon tips after a second and a half, 250 pixels wide.
class HintStyle : public QProxyStyle
{
public:
    static constexpr int WakeUpDelay = 1500;

    int styleHint(StyleHint hint, const QStyleOption *option = nullptr, const QWidget *widget = nullptr,
                  QStyleHintReturn *returnData = nullptr) const override;

    static void install();
};
