// Where the call point sits, what the box tabs say, and the topmost band.
#include "forms/form.h"
#include "forms/numeric.h"
#include "panel/ranch.h"
#include "platform/platform.h"
#include "settings/spm.h"
#include "shell/app.h"
#include "shell/sp.h"

namespace settings {

std::string TabCaption(std::int32_t style, int i) {
    switch (style) {
        case 0: return forms::utf8Chars("ｲﾛﾊﾆﾎﾍﾄﾁﾘﾇ").at(static_cast<std::size_t>(i));
        case 1: {
            // A step of 5 through the kana rows; the last two tabs need ﾗ and ﾜ.
            int code = i <= 7 ? 177 + 5 * i : static_cast<int>(forms::roundHalfEven(177 + 4.75 * i));
            return forms::sjisSingleByteChar(code);
        }
        case 2: return std::string(1, static_cast<char>(65 + i));
        case 3: return std::string(1, static_cast<char>(48 + i));
        default: return {};
    }
}

void Spm::PlaceCallPoint(bool MoveOnly) {
    auto& sp = app.sp();
    const double right = ScreenWidthTw - 15.0;
    const double bottom = ScreenHeightTw - 15.0;
    switch (MainPlace) {
        case 0: sp.Move(0, 0, sp.Width(), sp.Height()); break;
        case 1: sp.Move(right, 0, sp.Width(), sp.Height()); break;
        case 2: sp.Move(0, bottom, sp.Width(), sp.Height()); break;
        case 3: sp.Move(right, bottom, sp.Width(), sp.Height()); break;
        default: break;
    }
    if (MoveOnly) return;
    if (ButtonCaptionStyle < 0 || ButtonCaptionStyle > 3) return;
    auto& ranch = app.ranch();
    for (int i = 0; i < 10; ++i) ranch.Command2[i].setCaption(TabCaption(ButtonCaptionStyle, i));
}

// The title bar is the frame's top band: its height less the bottom border,
// which is as wide as a side border. A frameless window is all title bar.
bool Spm::TitleBarOnScreen(const forms::Form& window, double left, double top) {
    auto& p = app.platform();
    const platform::SizeTw frame = p.nonClientSize(window.style().frame);
    const double band = frame.height > 0 ? frame.height - frame.width / 2 : window.Height();
    const double right = left + window.Width(), bottom = top + band;
    const double tw = forms::kTwipsPerPixel;
    for (const platform::RectPx& m : p.monitors()) {
        if (left < (m.x + m.width) * tw && right > m.x * tw && top < (m.y + m.height) * tw &&
            bottom > m.y * tw) {
            return true;
        }
    }
    return false;
}

void Spm::MakeTopmost(forms::Form& window) { app.platform().setTopmost(window, true); }

void Spm::MakeNotTopmost(forms::Form& window) { app.platform().setTopmost(window, false); }

}  // namespace settings
