// spm: the state and procedures that every window shares. One object per
// running program, owned by App.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "platform/platform.h"
#include "settings/extra_options.h"
#include "settings/random.h"

namespace forms {
class Form;
}
namespace shell {
class App;
}

namespace settings {
namespace store {
struct Key;
}

constexpr int kEntryCount = 100;

// The 100 entries as three parallel columns; index = box * 10 + slot.
struct EntryColumns {
    std::array<std::string, kEntryCount> Exe;     // link target; empty = empty slot
    std::array<std::string, kEntryCount> APName;  // title on the slot button
    std::array<std::string, kEntryCount> APPath;  // working folder
    bool operator==(const EntryColumns&) const = default;
};

// Bits of FasterFlags.
constexpr std::int32_t kFlagMoE = 1;
constexpr std::int32_t kFlagJiko = 2;
constexpr std::int32_t kFlagBnk = 4;
constexpr std::int32_t kFlagTao = 8;

// LastHoverId values with a fixed meaning; slots and tabs use their own ranges.
namespace hover {
constexpr std::int32_t kNone = 0;
constexpr std::int32_t kSette = 10;
constexpr std::int32_t kJiko = 11;
constexpr std::int32_t kMoE = 13;
constexpr std::int32_t kBnk = 14;
constexpr std::int32_t kTao = 15;
constexpr std::int32_t kNc = 19;
constexpr std::int32_t kStetus = 20;
constexpr std::int32_t kYobidasi = 21;
constexpr std::int32_t kJustOpened = 99;
constexpr std::int32_t slot(int s) {
    return 30 + s;
}  // 30-39
constexpr std::int32_t tab(int b) {
    return 40 + b;
}  // 40-49
}  // namespace hover

struct Spm {
    explicit Spm(shell::App& app) : app(app) {}
    shell::App& app;

    EntryColumns EntryTable;
    std::int32_t PanelLeft = -1, PanelTop = -1, DialogLeft = -1, DialogTop = -1;
    std::int32_t MainPlace = 1;
    std::int32_t ButtonCaptionStyle = 0;
    std::int32_t FasterFlags = 7;
    std::int32_t MainColor = 16777215;
    // The options of the menu of extra options (extra_options.h).
    OptionValues Options;
    std::int32_t ScreenWidthTw = 0, ScreenHeightTw = 0;
    // Every monitor, pixels, the primary first; kept current with ScreenWidthTw.
    std::vector<platform::RectPx> Monitors;
    std::string BlankLine;
    std::int32_t CurrentBox = 0, PreviousBox = 0;
    std::int32_t EditState = 0;
    std::int32_t LastHoverId = 0;
    std::int16_t ShuttingDown = 0;
    Random Rnd;

    void LoadSettings();
    // Writes every setting and entry; false after a message box that names
    // the store and the reason. Nothing in memory changes, so the next save
    // tries again.
    bool SaveSettings();
    // The shutdown's save: while it fails, asks whether to try again; the
    // panel stays above the call point for the farewell show.
    bool SaveSettingsBeforeExit();
    void PlaceStoredWindow(forms::Form& window, std::int32_t storedLeft, const store::Key& topKey,
                           std::int32_t& left, std::int32_t& top);

    // The desktop (monitors.cpp): measured at start-up and again on every
    // change the platform tells of.
    void MeasureScreen();
    void ScreensChanged();
    struct PointTw {
        double left = 0, top = 0;
    };
    // Where the call point sits for a corner 0-3; nullopt for any other value.
    std::optional<PointTw> CornerOf(std::int32_t place) const;
    // The monitor the call point stands on, pixels.
    platform::RectPx CallPointMonitor() const;
    // Centred on the monitor of the call point in that corner.
    std::int32_t CentredLeft(double width, std::int32_t place) const;
    std::int32_t CentredTop(double height, std::int32_t place) const;
    bool TitleBarOnScreen(const forms::Form& window, double left, double top);
    // A window whose title bar lies on no monitor comes back, centred.
    void BringBackIfLost(forms::Form& window);

    void PlaceCallPoint(bool MoveOnly);
    // The corner the call point sits in: the stored one, unless the
    // desktop's bars cover it (taken_corners.cpp).
    std::int32_t PlaceInUse() const { return StandInPlace >= 0 ? StandInPlace : MainPlace; }
    // Moves the call point off a covered corner, back where it is free, and
    // tells the user once in the run; the stored corner stays.
    void AvoidTakenCorner();
    bool CornerTaken(std::int32_t place) const;
    std::int32_t FreeCornerNear(std::int32_t place) const;
    void TellTakenCorners();
    std::int32_t StandInPlace = -1;
    bool CornersChecked = false, CornerCheckDue = true, CornerNoticeGiven = false;
    void MakeTopmost(forms::Form& window);
    void MakeNotTopmost(forms::Form& window);
    void RunEntry(std::int32_t index);
    void CollectOptions();
};

// The caption of box tab i (0-9) under a caption style; empty for an unknown style.
std::string TabCaption(std::int32_t style, int i);

}  // namespace settings
