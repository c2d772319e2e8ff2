// LoadSettings and SaveSettings: every setting and the entry table, moved
// between the store and memory.
#include "dialogs/toro.h"
#include "forms/numeric.h"
#include "panel/ranch.h"
#include "platform/platform.h"
#include "settings/spm.h"
#include "settings/store_format.h"
#include "settings/store_layout.h"
#include "settings/texts.h"
#include "shell/app.h"

namespace settings {

namespace {

// A numeric value; text that is no number, or out of range, loads as the default.
std::int32_t readNumber(platform::Platform& p, const store::Key& key) {
    std::string text = p.getSetting(kAppName, store::kSettingSection, key.name, key.fallback);
    if (auto value = parseStoredNumber(text)) return *value;
    return *parseStoredNumber(key.fallback);
}

void write(platform::Platform& p, const store::Key& key, const std::string& value) {
    p.saveSetting(kAppName, store::kSettingSection, key.name, value);
}

// -1 asks for centring the window against the screen.
std::int32_t centred(std::int32_t screen, double size) { return forms::roundToInt32((screen - size) / 2); }
std::int32_t centredIfAsked(std::int32_t stored, std::int32_t screen, double size) {
    return stored == -1 ? centred(screen, size) : stored;
}

}  // namespace

// Puts a window where the store says. A place whose title bar lies off every
// monitor (one removed, a lower resolution) centres it as -1 does, so that
// it can still be reached; the stored numbers stay until the next save.
void Spm::PlaceStoredWindow(forms::Form& window, const store::Key& leftKey, const store::Key& topKey,
                            std::int32_t& left, std::int32_t& top) {
    auto& p = app.platform();
    left = centredIfAsked(readNumber(p, leftKey), ScreenWidthTw, window.Width());
    top = centredIfAsked(readNumber(p, topKey), ScreenHeightTw, window.Height());
    if (!TitleBarOnScreen(window, left, top)) {
        left = centred(ScreenWidthTw, window.Width());
        top = centred(ScreenHeightTw, window.Height());
    }
    window.Move(left, top, window.Width(), window.Height());
}

void Spm::LoadSettings() {
    auto& p = app.platform();
    PlaceStoredWindow(app.ranch(), store::kPanelLeft, store::kPanelTop, PanelLeft, PanelTop);
    PlaceStoredWindow(app.toro(), store::kDialogLeft, store::kDialogTop, DialogLeft, DialogTop);

    MainPlace = readNumber(p, store::kMainPlace);
    ButtonCaptionStyle = readNumber(p, store::kButtonCaption);
    FasterFlags = readNumber(p, store::kFaster);
    MainColor = readNumber(p, store::kMainColor);

    for (int i = 0; i < kEntryCount; ++i) {
        EntryTable.Exe[i] = p.getSetting(kAppName, store::kEntrySection, store::entryKey("Exe", i), "");
        EntryTable.APName[i] =
            p.getSetting(kAppName, store::kEntrySection, store::entryKey("APName", i), kEmptyTitle);
        EntryTable.APPath[i] =
            p.getSetting(kAppName, store::kEntrySection, store::entryKey("APPath", i), "");
    }
}

void Spm::SaveSettings() {
    auto& p = app.platform();
    auto& ranch = app.ranch();
    auto& toro = app.toro();
    write(p, store::kVersion, kVersion);
    write(p, store::kPanelLeft, formatPosition(ranch.Left()));
    write(p, store::kPanelTop, formatPosition(ranch.Top()));
    write(p, store::kDialogLeft, formatPosition(toro.Left()));
    write(p, store::kDialogTop, formatPosition(toro.Top()));
    write(p, store::kMainPlace, formatInt(MainPlace));
    write(p, store::kButtonCaption, formatInt(ButtonCaptionStyle));
    write(p, store::kMainColor, formatInt(MainColor));
    write(p, store::kFaster, formatInt(FasterFlags));
    for (int i = 0; i < kEntryCount; ++i) {
        p.saveSetting(kAppName, store::kEntrySection, store::entryKey("Exe", i), EntryTable.Exe[i]);
        p.saveSetting(kAppName, store::kEntrySection, store::entryKey("APName", i),
                      EntryTable.APName[i]);
        p.saveSetting(kAppName, store::kEntrySection, store::entryKey("APPath", i),
                      EntryTable.APPath[i]);
    }
    p.flushSettings();
}

}  // namespace settings
