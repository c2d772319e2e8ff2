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
        case 0:
            return forms::utf8Chars("ｲﾛﾊﾆﾎﾍﾄﾁﾘﾇ").at(static_cast<std::size_t>(i));
        case 1: {
            // A step of 5 through the kana rows; the last two tabs need ﾗ and ﾜ.
            int code =
                i <= 7 ? 177 + 5 * i : static_cast<int>(forms::roundHalfEven(177 + 4.75 * i));
            return forms::sjisSingleByteChar(code);
        }
        case 2:
            return std::string(1, static_cast<char>(65 + i));
        case 3:
            return std::string(1, static_cast<char>(48 + i));
        default:
            return {};
    }
}

void Spm::PlaceCallPoint(bool MoveOnly) {
    auto& sp = app.sp();
    if (auto corner = CornerOf(PlaceInUse()))
        sp.Move(corner->left, corner->top, sp.Width(), sp.Height());
    if (MoveOnly) return;
    if (ButtonCaptionStyle >= 0 && ButtonCaptionStyle <= 3) {
        auto& ranch = app.ranch();
        for (int i = 0; i < 10; ++i)
            ranch.Command2[i].setCaption(TabCaption(ButtonCaptionStyle, i));
    }
    // A corner chosen anew is checked at once; the start-up's waits for the splash.
    if (CornersChecked) AvoidTakenCorner();
}

void Spm::MakeTopmost(forms::Form& window) {
    app.platform().setTopmost(window, true);
}

void Spm::MakeNotTopmost(forms::Form& window) {
    app.platform().setTopmost(window, false);
}

}  // namespace settings
