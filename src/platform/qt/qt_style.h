// The widget style of the program: the desktop's, with the small metrics of
// the classic controls the layout was drawn for.
#pragma once

class QStyle;

namespace platform::qt {

QStyle* createClassicMetricsStyle();

}  // namespace platform::qt
