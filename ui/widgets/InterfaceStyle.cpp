#include "ui/widgets/InterfaceStyle.h"

#include <QFontMetrics>
#include <QProxyStyle>
#include <QStyleFactory>
#include <QStyleOptionGroupBox>

#include <algorithm>

namespace Fasoria {

namespace {

class InterfaceStyle : public QProxyStyle
{
public:
    InterfaceStyle() : QProxyStyle(QStyleFactory::create(QStringLiteral("Fusion"))) {}

    QRect subControlRect(ComplexControl control, const QStyleOptionComplex *option, SubControl part,
                         const QWidget *widget) const override
    {
        QRect rect = QProxyStyle::subControlRect(control, option, part, widget);
        if (control == CC_GroupBox && part == SC_GroupBoxLabel) {
            if (const auto *box = qstyleoption_cast<const QStyleOptionGroupBox *>(option)) {
                const int needed = option->fontMetrics.horizontalAdvance(box->text) + 2;
                if (rect.width() < needed) {
                    // Grows on the side away from the alignment edge, as the title reads.
                    rect.setWidth(std::min(needed, option->rect.width() - std::max(0, rect.left())));
                }
            }
        }
        return rect;
    }

    int pixelMetric(PixelMetric metric, const QStyleOption *option, const QWidget *widget) const override
    {
        const int value = QProxyStyle::pixelMetric(metric, option, widget);
        // Tab titles keep half of Fusion's padding: all five of the left panel's titles fit beside a chart on
        // a 1024-pixel screen, and a title still reads as a tab.
        return metric == PM_TabBarTabHSpace ? value / 2 : value;
    }
};

} // namespace

QStyle *createInterfaceStyle()
{
    return new InterfaceStyle;
}

} // namespace Fasoria
