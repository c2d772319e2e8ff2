// The layout gives check boxes and option buttons just the width of their
// captions on the classic desktop, which leaves 3 pixels between the box and
// the text; Qt's styles leave about twice that and cut the last character.
#include "platform/qt/qt_style.h"

#include <QProxyStyle>

namespace platform::qt {

namespace {

class ClassicMetricsStyle : public QProxyStyle {
  public:
    int pixelMetric(PixelMetric metric, const QStyleOption* option,
                    const QWidget* widget) const override {
        if (metric == PM_CheckBoxLabelSpacing || metric == PM_RadioButtonLabelSpacing) return 3;
        return QProxyStyle::pixelMetric(metric, option, widget);
    }
};

}  // namespace

QStyle* createClassicMetricsStyle() {
    return new ClassicMetricsStyle;
}

}  // namespace platform::qt
