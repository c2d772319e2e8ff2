// The call point at run time: its timer, the pointer, clicks and keys.
#include "dialogs/r2.h"
#include "dialogs/toro.h"
#include "forms/keys.h"
#include "panel/ranch.h"
#include "platform/platform.h"
#include "settings/texts.h"
#include "shell/app.h"
#include "shell/sp.h"

namespace shell {

using settings::hover::kJustOpened;

std::string AboutText(const std::string& blankLine, const std::string& noticeLine) {
    return std::string(settings::kProductName) + settings::kVersion + blankLine + noticeLine + " " +
           settings::kAuthor;
}

std::string AboutTitle() {
    return std::string(settings::kProductName) + " についてよ";
}

void Sp::ch_Timer() {
    auto& spm = app_.spm();
    spm.PlaceCallPoint(true);
    if (spm.LastHoverId == kJustOpened) spm.LastHoverId = 0;
    const dialogs::R2* splash = app_.r2Instance();
    if (splash && splash->isLoaded()) return;
    if (spm.CornerCheckDue) {
        spm.CornerCheckDue = false;
        spm.AvoidTakenCorner();
    }
    app_.quiet().Update();
}

// Opens the panel above everything, once per arming of the trigger. While
// the dialog is up nothing opens; a dialog that the window manager minimised
// comes back instead, or the call point would stay dead. Nothing opens while
// a full-screen program keeps the call point quiet: the user did not ask.
void Sp::Form_MouseMove(int, int, double, double) {
    auto& spm = app_.spm();
    if (app_.quiet().Quiet()) return;
    if (auto& toro = app_.toro(); toro.Visible()) {
        if (toro.WindowState() == forms::kWindowMinimized) toro.Show();
        return;
    }
    if (spm.LastHoverId == kJustOpened) return;
    auto& ranch = app_.ranch();
    ranch.Show();
    spm.MakeNotTopmost(*this);
    spm.MakeTopmost(ranch);
    spm.LastHoverId = kJustOpened;
}

void Sp::Form_MouseDown(int Button, int, double, double) {
    auto& spm = app_.spm();
    auto& ranch = app_.ranch();
    spm.MakeNotTopmost(ranch);
    spm.MakeTopmost(*this);
    if (Button == forms::kRightButton && ranch.inLauncherView()) {
        ShowEndQuestion();
    } else {
        ShowAbout();
    }
}

void Sp::ShowEndQuestion() {
    using namespace platform::mb;
    int answer = app_.platform().messageBox(
        "保存＆終了しますよん", kYesNo | kExclamation | kDefaultButton2, settings::kProductTitle);
    if (answer == kAnswerYes) Unload();
}

void Sp::ShowAbout() {
    app_.platform().messageBox(AboutText(app_.spm().BlankLine, app_.ranch().VerH[1].Caption()),
                               platform::mb::kInformation, AboutTitle());
}

void Sp::Form_KeyDown(int KeyCode, int) {
    if (forms::keys::isModifier(KeyCode)) return;
    Form_MouseMove(0, 0, 0, 0);
    auto& platform = app_.platform();
    platform.doEvents();
    platform.sleep(KeyCode);
    // Only forward to the panel: a key sent back to the call point itself
    // (the panel did not open) would start an endless key storm, and one
    // sent to a dialog brought back would be typed into its text.
    const bool panelActive = app_.runtime().activeForm() == &app_.ranch();
    if ((KeyCode == 'M' || KeyCode == 'D') && panelActive) platform.sendKey(KeyCode);
}

}  // namespace shell
