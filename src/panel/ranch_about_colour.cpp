// The status line as About button, and the colour of the call point.
#include "panel/ranch.h"
#include "platform/platform.h"
#include "settings/spm.h"
#include "shell/app.h"
#include "shell/sp.h"

namespace panel {

void Ranch::Stetus_Click() {
    auto& spm = app_.spm();
    spm.MakeNotTopmost(*this);
    spm.MakeTopmost(app_.sp());
    app_.platform().messageBox(shell::AboutText(spm.BlankLine, VerH[1].Caption()),
                               platform::mb::kInformation, shell::AboutTitle());
}

void Ranch::Stetus_MouseDown(int Button, int, double, double) {
    if (Button != forms::kLeftButton) Form_MouseDown(2, 1, 1.0, 1.0);
}

void Ranch::Stetus_MouseMove(int, int, double, double) {
    ShowHint(settings::hover::kStetus, "ｸﾘｯｸ:｢About｣表示  逆ｸﾘ:ﾗｯﾊﾟを隠す");
}

void Ranch::Nc_Click() {
    auto chosen = app_.platform().chooseColor({this, NiceA.DialogTitle, NiceA.Flags});
    if (!chosen) return;  // cancelled: nothing changes
    Nc.setBackColor(*chosen);
    app_.sp().setBackColor(*chosen);
    app_.spm().MainColor = Nc.BackColor().value_or(*chosen);
}

void Ranch::NcC_Click() {
    Nc_Click();
}

void Ranch::Nc_MouseMove(int, int, double, double) {
    ShowHint(settings::hover::kNc, "クリックで色設定に突入");
}

void Ranch::NcC_MouseMove(int Button, int Shift, double X, double Y) {
    Nc_MouseMove(Button, Shift, X, Y);
}

}  // namespace panel
