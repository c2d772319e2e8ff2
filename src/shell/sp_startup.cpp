// The start-up: the load step of the call point.
#include "dialogs/r2.h"
#include "panel/ranch.h"
#include "platform/platform.h"
#include "settings/texts.h"
#include "shell/app.h"
#include "shell/sp.h"

namespace shell {

void Sp::Form_Load() {
    auto& spm = app_.spm();
    auto& platform = app_.platform();
    if (!platform.acquireSingleInstance()) {
        platform.messageBox("重複起動は認めませんよぉ～(￣ー￣)", platform::mb::kStop,
                            std::string(settings::kProductName) + settings::kVersion);
        platform.endProcess(0);
    }
    spm.Rnd.seed(platform.clockSeconds());
    spm.MeasureScreen();
    platform.watchScreens([&spm] { spm.ScreensChanged(); });
    spm.EntryTable = {};
    spm.BlankLine = "\n\n";
    spm.LoadSettings();
    setBackColor(spm.MainColor);
    setWidth(15);
    setHeight(15);
    spm.PlaceCallPoint(false);
    app_.r2();
    TransferOptionBits();
    Show();
}

// Puts the option bits of FasterFlags onto the panel's check boxes.
void Sp::TransferOptionBits() {
    auto& spm = app_.spm();
    auto& ranch = app_.ranch();
    const std::int32_t saved = spm.FasterFlags;
    if (spm.FasterFlags >= 8) {
        ranch.Tao.setValue(1);
        spm.FasterFlags -= 8;
    }
    if (spm.FasterFlags >= 4) {
        ranch.Bnk.setValue(1);
        spm.FasterFlags -= 4;
    }
    if (spm.FasterFlags >= 2) {
        ranch.Jiko.setValue(1);
        spm.MakeTopmost(*this);
        spm.FasterFlags -= 2;
    }
    if (spm.FasterFlags != 0) ranch.MoE.setValue(1);
    spm.FasterFlags = saved;
}

}  // namespace shell
