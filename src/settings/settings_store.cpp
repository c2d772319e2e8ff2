// LoadSettings and SaveSettings: every setting and the entry table, moved
// between the store and memory. A save that fails is told, never silent.
#include "dialogs/toro.h"
#include "forms/numeric.h"
#include "panel/ranch.h"
#include "platform/platform.h"
#include "settings/spm.h"
#include "settings/store_format.h"
#include "settings/store_layout.h"
#include "settings/texts.h"
#include "shell/app.h"
#include "shell/sp.h"

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

// A store that could not be read whole was kept as it was found; the user
// hears once where, so that nothing of it is lost unnoticed.
void tellWhereTheFoundStoreIsKept(platform::Platform& p, const std::string& blankLine) {
    const auto copy = p.takeKeptStoreCopy();
    if (!copy) return;
    p.messageBox("設定ファイルに読めないところがありましたよぉ(；´Д｀)" + blankLine +
                     "元のファイルはそのまま下の名前で取っておきました" + blankLine + *copy +
                     blankLine + "読めたところだけで起動しますよん",
                 platform::mb::kExclamation, kProductTitle);
}

}  // namespace

// Puts a window where the store says; -1 centres it on the call point's
// monitor. A place whose title bar lies off every monitor (one removed, a
// lower resolution) centres it too, so that it can still be reached; the
// stored numbers stay until the next save.
void Spm::PlaceStoredWindow(forms::Form& window, std::int32_t storedLeft, const store::Key& topKey,
                            std::int32_t& left, std::int32_t& top) {
    auto& p = app.platform();
    // The corner is read later; only several monitors need it this early.
    const std::int32_t place = Monitors.size() > 1 ? readNumber(p, store::kMainPlace) : MainPlace;
    left = storedLeft == -1 ? CentredLeft(window.Width(), place) : storedLeft;
    const std::int32_t storedTop = readNumber(p, topKey);
    top = storedTop == -1 ? CentredTop(window.Height(), place) : storedTop;
    if (!TitleBarOnScreen(window, left, top)) {
        left = CentredLeft(window.Width(), place);
        top = CentredTop(window.Height(), place);
    }
    window.Move(left, top, window.Width(), window.Height());
}

// Each position's first read comes before the window it places is referred
// to, which creates that window and runs its load step.
void Spm::LoadSettings() {
    auto& p = app.platform();
    const std::int32_t panelLeft = readNumber(p, store::kPanelLeft);
    PlaceStoredWindow(app.ranch(), panelLeft, store::kPanelTop, PanelLeft, PanelTop);
    const std::int32_t dialogLeft = readNumber(p, store::kDialogLeft);
    PlaceStoredWindow(app.toro(), dialogLeft, store::kDialogTop, DialogLeft, DialogTop);

    MainPlace = readNumber(p, store::kMainPlace);
    ButtonCaptionStyle = readNumber(p, store::kButtonCaption);
    FasterFlags = readNumber(p, store::kFaster);
    MainColor = readNumber(p, store::kMainColor);
    Options.load(p);

    for (int i = 0; i < kEntryCount; ++i) {
        EntryTable.Exe[i] =
            p.getSetting(kAppName, store::kEntrySection, store::entryKey("Exe", i), "");
        EntryTable.APName[i] =
            p.getSetting(kAppName, store::kEntrySection, store::entryKey("APName", i), kEmptyTitle);
        EntryTable.APPath[i] =
            p.getSetting(kAppName, store::kEntrySection, store::entryKey("APPath", i), "");
    }
    tellWhereTheFoundStoreIsKept(p, BlankLine);
}

namespace {

// Every value of both sections from the globals, the entry table and the
// two windows, then the flush.
std::optional<platform::StoreFailure> writeSettings(Spm& spm) {
    auto& p = spm.app.platform();
    auto& ranch = spm.app.ranch();
    auto& toro = spm.app.toro();
    write(p, store::kVersion, kVersion);
    write(p, store::kPanelLeft, formatPosition(ranch.Left()));
    write(p, store::kPanelTop, formatPosition(ranch.Top()));
    write(p, store::kDialogLeft, formatPosition(toro.Left()));
    write(p, store::kDialogTop, formatPosition(toro.Top()));
    write(p, store::kMainPlace, formatInt(spm.MainPlace));
    write(p, store::kButtonCaption, formatInt(spm.ButtonCaptionStyle));
    write(p, store::kMainColor, formatInt(spm.MainColor));
    write(p, store::kFaster, formatInt(spm.FasterFlags));
    spm.Options.save(p);
    const auto& table = spm.EntryTable;
    for (int i = 0; i < kEntryCount; ++i) {
        p.saveSetting(kAppName, store::kEntrySection, store::entryKey("Exe", i), table.Exe[i]);
        p.saveSetting(kAppName, store::kEntrySection, store::entryKey("APName", i),
                      table.APName[i]);
        p.saveSetting(kAppName, store::kEntrySection, store::entryKey("APPath", i),
                      table.APPath[i]);
    }
    return p.flushSettings();
}

std::string describeSaveFailure(const platform::StoreFailure& failure, const std::string& bl) {
    return "諸設定や登録項目を保存できませんでしたぁ(>_<)" + bl + "保存先：" + failure.where + bl +
           "理由：" + failure.reason;
}

// A box from the panel: the panel leaves the topmost band and the call point
// enters it first, so that the box is not hidden under the panel.
int askAboutSave(Spm& spm, const std::string& text, int style) {
    auto& ranch = spm.app.ranch();
    if (ranch.Visible()) {
        spm.MakeNotTopmost(ranch);
        spm.MakeTopmost(spm.app.sp());
    }
    return spm.app.platform().messageBox(text, style, kProductTitle);
}

}  // namespace

bool Spm::SaveSettings() {
    const auto failure = writeSettings(*this);
    if (!failure) return true;
    askAboutSave(*this,
                 describeSaveFailure(*failure, BlankLine) + BlankLine +
                     "内容はちゃんと覚えてますので、次の保存でもう一度書き込みますよん",
                 platform::mb::kExclamation);
    return false;
}

bool Spm::SaveSettingsBeforeExit() {
    while (const auto failure = writeSettings(*this)) {
        const int answer =
            askAboutSave(*this,
                         describeSaveFailure(*failure, BlankLine) + BlankLine +
                             "このまま終わると、保存できなかった分は消えちゃいます。" + BlankLine +
                             "もう一度保存してみます？",
                         platform::mb::kYesNo | platform::mb::kExclamation);
        // The farewell show plays on the panel, on top as the shutdown had it.
        MakeNotTopmost(app.sp());
        MakeTopmost(app.ranch());
        if (answer != platform::mb::kAnswerYes) return false;
    }
    return true;
}

}  // namespace settings
