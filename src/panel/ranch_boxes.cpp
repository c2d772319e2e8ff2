// Panel and boxes: the load step, the refresh from the entry table, and the
// change of the shown box.
#include "panel/ranch.h"
#include "settings/spm.h"
#include "settings/texts.h"
#include "shell/app.h"

namespace panel {

void Ranch::Form_Load() {
    // The lower half of the design's client area holds the launcher view; the
    // frame keeps its own height, so the status line shows whole under any frame.
    const double frameHeight = Height() - ScaleHeight();
    setHeight(ScaleHeight() / 2 + frameHeight);
    for (int i = 0; i < 10; ++i) Command1[i].setTop(Command1[i].Top() - 3060);
    for (int i = 0; i < 10; ++i) Command2[i].setTop(1980);
    setCaption(settings::kProductTitle);
    app_.spm().CurrentBox = 0;
    app_.spm().PreviousBox = 0;
}

void Ranch::Form_Activate() {
    auto& spm = app_.spm();
    for (int i = 0; i < 10; ++i) {
        Command1[i].setCaption(
            spm.EntryTable.APName[static_cast<std::size_t>(spm.CurrentBox * 10 + i)]);
    }
    auto& previous = Command2[spm.PreviousBox];
    auto& current = Command2[spm.CurrentBox];
    previous.setFontBold(false);
    current.setFontBold(true);
    previous.setFontSize(9);
    current.setFontSize(20);
}

void Ranch::SwitchBox(int b) {
    auto& spm = app_.spm();
    spm.PreviousBox = spm.CurrentBox;
    spm.CurrentBox = b;
    Form_Activate();
}

}  // namespace panel
