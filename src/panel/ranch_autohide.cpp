// Hiding the panel: the hide operation, background right-click, and the
// poll that hides it once the pointer has left.
#include "panel/ranch.h"
#include "platform/platform.h"
#include "settings/spm.h"
#include "shell/app.h"
#include "shell/sp.h"

namespace panel {

void Ranch::Form_LostFocus() {
    auto& spm = app_.spm();
    if (spm.ShuttingDown) return;
    spm.MakeNotTopmost(*this);
    Hide();
    spm.MakeTopmost(app_.sp());
}

void Ranch::Form_MouseDown(int Button, int, double, double) {
    if (Button != forms::kLeftButton) Form_LostFocus();
}

void Ranch::StartPollIfTao() {
    if (Tao.Value() == 1) Deta.setInterval(kPollMs);
}

// The open menu of extra options lies partly outside the panel; the panel
// waits for it.
void Ranch::Deta_Timer() {
    if (optionsMenuOpen_) return;
    auto pointer = app_.platform().cursorPos();
    const double X = pointer.x * double(forms::kTwipsPerPixel);
    const double Y = pointer.y * double(forms::kTwipsPerPixel);
    const double L = Left(), W = Width(), T = Top(), H = Height();
    const bool inside = L < X && X < L + W && T < Y && Y < T + H;
    if (inside) return;
    Hide();
    Deta.setInterval(0);
}

}  // namespace panel
