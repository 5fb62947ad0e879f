#include "app/ui/HintStyle.h"

#include <QApplication>

int HintStyle::styleHint(StyleHint hint, const QStyleOption *option, const QWidget *widget,
                         QStyleHintReturn *returnData) const
{
    if (hint == SH_ToolTip_WakeUpDelay)
        return WakeUpDelay;
    return QProxyStyle::styleHint(hint, option, widget, returnData);
}

void HintStyle::install()
{
    QApplication::setStyle(new HintStyle);
    qApp->setStyleSheet(
        qApp->styleSheet() +
        QStringLiteral("QToolTip { max-width: 250px; color: palette(tooltip-text); "
                       "background-color: palette(tooltip-base); border: 1px solid #767676; }"));
}
