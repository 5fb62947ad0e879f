#include "app/ProgramStyle.h"

#include "gui/widgets/ProgramIcon.h"

#include <QApplication>
#include <QGroupBox>
#include <QHelpEvent>
#include <QPainter>
#include <QPointer>
#include <QStyleOption>
#include <QToolTip>
#include <qdrawutil.h>

namespace
{

// Shows every widget's hint wrapped, so that a long one is never cut at the right.
class HintWrapper : public QObject
{
public:
    using QObject::QObject;
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        auto *widget = qobject_cast<QWidget *>(watched);
        if (event->type() != QEvent::ToolTip || !widget || widget->toolTip().isEmpty())
            return false;
        const auto *help = static_cast<QHelpEvent *>(event);
        QToolTip::showText(help->globalPos(),
                           wrapHint(widget->toolTip(), QFontMetrics(QToolTip::font()), ProgramStyle::Width),
                           widget, {}, widget->toolTipDuration());
        return true;
    }
};

// Greedy word wrap of one line.
QStringList wrapLine(const QString &line, const QFontMetrics &metrics, int width)
{
    QStringList lines;
    auto fits = [&](const QString &text) { return metrics.horizontalAdvance(text) <= width; };
    const QStringList words = line.split(QLatin1Char(' '));
    QString current = words.first();
    for (qsizetype i = 1; i < words.size(); ++i) {
        QString word = words.at(i);
        if (const QString joined = current + QLatin1Char(' ') + word; fits(joined)) {
            current = joined;
            continue;
        }
        lines << current;
        current = word;
    }
    lines << current;
    // A word wider than the line is cut where it must be.
    QStringList cut;
    for (QString part : lines) {
        while (part.size() > 1 && !fits(part)) {
            qsizetype keep = part.size() - 1;
            while (keep > 1 && !fits(part.left(keep)))
                --keep;
            cut << part.left(keep);
            part = part.mid(keep);
        }
        cut << part;
    }
    return cut;
}

} // namespace

QString wrapHint(const QString &hint, const QFontMetrics &metrics, int width)
{
    QStringList lines;
    for (const QString &line : hint.split(QLatin1Char('\n')))
        lines << wrapLine(line, metrics, width);
    return lines.join(QLatin1Char('\n'));
}

int ProgramStyle::styleHint(StyleHint hint, const QStyleOption *option, const QWidget *widget,
                            QStyleHintReturn *returnData) const
{
    if (hint == SH_ToolTip_WakeUpDelay)
        return WakeUpDelay;
    // A combo box's list opens below it: as a menu, Qt measures every row before
    // opening, and a list of a million names takes seconds.
    if (hint == SH_ComboBox_Popup)
        return 0;
    return QProxyStyle::styleHint(hint, option, widget, returnData);
}

int ProgramStyle::pixelMetric(PixelMetric metric, const QStyleOption *option, const QWidget *widget) const
{
    // Every command fits on the bar of the window's first width, with no overflow menu.
    if (metric == PM_ToolBarItemSpacing || metric == PM_ToolBarItemMargin || metric == PM_ToolBarFrameWidth)
        return 0;
    return QProxyStyle::pixelMetric(metric, option, widget);
}

QIcon ProgramStyle::standardIcon(StandardPixmap icon, const QStyleOption *option, const QWidget *widget) const
{
    // Menu bars and tool bars ask for their overflow button's icon when they are made,
    // though it shows only when they overflow; reading it then waits for a first paint.
    if (icon == SP_ToolBarHorizontalExtensionButton || icon == SP_ToolBarVerticalExtensionButton) {
        const Qt::LayoutDirection direction = option ? option->direction : QGuiApplication::layoutDirection();
        const QPointer<QStyle> base = baseStyle();
        return deferredIcon([base, icon, direction] {
            QStyleOption leftOrRight;
            leftOrRight.direction = direction;
            return base ? base->standardIcon(icon, &leftOrRight) : QIcon();
        });
    }
    return QProxyStyle::standardIcon(icon, option, widget);
}

void ProgramStyle::drawPrimitive(PrimitiveElement element, const QStyleOption *option, QPainter *painter,
                                 const QWidget *widget) const
{
    // A hint's panel drawn here rather than by a style sheet: an application-wide sheet
    // would route the polish and painting of every widget through Qt's sheet style.
    if (element == PE_PanelTipLabel) {
        painter->save();
        painter->fillRect(option->rect, QApplication::palette().toolTipBase());
        painter->setPen(HintBorder);
        painter->drawRect(option->rect.adjusted(0, 0, -1, -1));
        painter->restore();
        return;
    }
    if (element == PE_FrameGroupBox && drawGroupBoxFrame(option, painter, widget))
        return;
    QProxyStyle::drawPrimitive(element, option, painter, widget);
}

bool ProgramStyle::drawGroupBoxFrame(const QStyleOption *option, QPainter *painter,
                                     const QWidget *widget) const
{
    // Fusion's own frame and image.
    if (!m_groupBoxFrame)
        m_groupBoxFrame = QPixmap::fromImage(
            readPng(QStringLiteral(":/qt-project.org/styles/commonstyle/images/fusion_groupbox.png")));
    if (m_groupBoxFrame->isNull())
        return false;
    constexpr int TopMargin = 3;
    int top = TopMargin;
    const auto *box = qobject_cast<const QGroupBox *>(widget);
    if (!box || box->isCheckable() || !box->title().isEmpty())
        top += qMax(pixelMetric(PM_ExclusiveIndicatorHeight, option, widget), option->fontMetrics.height());
    qDrawBorderPixmap(painter, option->rect.adjusted(0, top, 0, 0), QMargins(6, 6, 6, 6), *m_groupBoxFrame);
    return true;
}

void ProgramStyle::install()
{
    QApplication::setStyle(new ProgramStyle);
    qApp->installEventFilter(new HintWrapper(qApp));
}
