// A corner that the desktop's own bars cover (GNOME Shell's top bar on X11)
// can never be touched: the call point stands in the nearest corner that
// can, and the user hears once in the run which corners work. The stored
// corner stays. Asked after the splash, when a corner is chosen and when the
// screens change, not at every tick: each question is a round trip to the
// desktop, and the bars come and go with full-screen windows.
#include "forms/numeric.h"
#include "platform/platform.h"
#include "settings/spm.h"
#include "settings/texts.h"
#include "shell/app.h"

namespace settings {

namespace {

platform::PointPx pixelOf(const Spm::PointTw& corner) {
    return {static_cast<int>(forms::roundHalfEven(corner.left / forms::kTwipsPerPixel)),
            static_cast<int>(forms::roundHalfEven(corner.top / forms::kTwipsPerPixel))};
}

void addName(std::string& list, int place) {
    if (!list.empty()) list += "・";
    list += kCornerNames[place];
}

}  // namespace

bool Spm::CornerTaken(std::int32_t place) const {
    const auto corner = CornerOf(place);
    return corner && app.platform().pointerTakenAt(pixelOf(*corner));
}

// The other corner on the same side first, then the same edge, then across.
std::int32_t Spm::FreeCornerNear(std::int32_t place) const {
    for (std::int32_t other : {place ^ 2, place ^ 1, place ^ 3}) {
        if (!CornerTaken(other)) return other;
    }
    return -1;
}

void Spm::AvoidTakenCorner() {
    CornersChecked = true;
    const std::int32_t before = StandInPlace;
    const bool taken = CornerTaken(MainPlace);
    StandInPlace = taken ? FreeCornerNear(MainPlace) : -1;
    if (StandInPlace != before) PlaceCallPoint(true);
    if (taken && !CornerNoticeGiven) {
        CornerNoticeGiven = true;
        TellTakenCorners();
    }
}

void Spm::TellTakenCorners() {
    std::string taken, free;
    for (std::int32_t place = 0; place < 4; ++place) {
        addName(place == StandInPlace || !CornerTaken(place) ? free : taken, place);
    }
    std::string text = "この画面では " + taken + " の隅がデスクトップのバーの下になっていて、\n" +
                       "呼び出し点に触れられませんよぉ～";
    if (StandInPlace >= 0) {
        text += BlankLine + "触れられるのは " + free + " の隅なので、今回は " +
                kCornerNames[StandInPlace] + " に置いときますよん。\n" +
                "諸設定の「呼び出し点の位置」は そのままです。";
    }
    app.platform().messageBox(text, platform::mb::kExclamation, kProductTitle);
}

}  // namespace settings
