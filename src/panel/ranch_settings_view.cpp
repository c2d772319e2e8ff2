// The settings view: Sette flips the panel between its two views; closing
// the settings view applies the options. Also the option hints.
#include "panel/ranch.h"
#include "settings/spm.h"
#include "settings/texts.h"
#include "shell/app.h"
#include "shell/sp.h"

namespace panel {

namespace {
void setVisible(std::initializer_list<forms::Control*> controls, bool visible) {
    for (forms::Control* c : controls) c->setVisible(visible);
}
}  // namespace

void Ranch::ShowSettingsControls(bool show) {
    for (int k = 0; k < 4; ++k) {
        Li[k].setVisible(show);
        if (k <= 2) {
            VerH[k].setVisible(show);
            SSave[k].setVisible(show);
        }
    }
}

void Ranch::ShowLauncherControls(bool show) {
    for (int i = 0; i < 10; ++i) {
        Command1[i].setVisible(show);
        Command2[i].setVisible(show);
    }
}

void Ranch::Sette_Click() {
    auto& spm = app_.spm();
    if (spm.ShuttingDown) return;
    spm.EditState = 0;
    if (Sette.font().Size == 12) {
        Sette.setFont({Sette.font().Name, 18, true, Sette.font().Italic});
        ShowLauncherControls(false);
        setCaption(std::string(settings::kProductName) + " の 諸設定☆ﾐ");
        if (spm.MainPlace >= 0 && spm.MainPlace <= 3) Yobidasi_Docchi[spm.MainPlace].setValue(true);
        if (spm.ButtonCaptionStyle >= 0 && spm.ButtonCaptionStyle <= 3) {
            BunBn[spm.ButtonCaptionStyle].setValue(true);
        }
        setVisible({&Bnk, &MoE, &Jiko, &NcC, &Tao, &Nc, &YobiWak, &BunWak}, true);
        Nc.setBackColor(app_.sp().BackColor().value_or(spm.MainColor));
        VerH[0].setCaption(settings::kProductTitle);
        VerH[2].setCaption(settings::kAuthor);
        ShowSettingsControls(true);
    } else {
        Sette.setFont({Sette.font().Name, 12, false, Sette.font().Italic});
        spm.CollectOptions();
        spm.PlaceCallPoint(false);
        setVisible({&Bnk, &MoE, &Jiko, &YobiWak, &BunWak, &Nc, &NcC, &Tao}, false);
        ShowSettingsControls(false);
        ShowLauncherControls(true);
        setCaption(settings::kProductTitle);
    }
}

namespace {
constexpr int kMenuKey = 93;  // the context-menu key
constexpr int kF10 = 121;
}  // namespace

// In the settings view the keys that open a context menu open the menu of
// extra options; every other key does nothing there, as before.
void Ranch::Sette_KeyDown(int KeyCode, int Shift) {
    if (inLauncherView()) {
        Command1_KeyDown(0, KeyCode, 0);
    } else if (KeyCode == kMenuKey || (KeyCode == kF10 && Shift == forms::kShiftMask)) {
        OpenOptionsMenu(false);
    }
}

// A right-click in the settings view, where it used to do nothing, opens
// the menu of extra options.
void Ranch::Sette_MouseDown(int Button, int, double, double) {
    if (inLauncherView()) {
        if (Button != forms::kLeftButton) Form_MouseDown(2, 1, 1.0, 1.0);
    } else if (Button == forms::kRightButton) {
        OpenOptionsMenu(true);
    }
}

void Ranch::Sette_MouseMove(int, int, double, double) {
    ShowHint(settings::hover::kSette, "ｸﾘｯｸ:｢設定画面｣と切り替え");
}

void Ranch::Yobidasi_Docchi_Click(int Index) {
    app_.spm().MainPlace = Index;
}

void Ranch::Yobidasi_Docchi_MouseMove(int, int, int, double, double) {
    ShowHint(settings::hover::kYobidasi, "※ﾀｽｸﾊﾞｰが↓にある時｢左下｣設定するとﾒｲｿﾒﾆｭ呼べﾏﾍﾝ");
}

void Ranch::YobiWak_MouseMove(int, int, double, double) {
    auto& spm = app_.spm();
    if (spm.LastHoverId == settings::hover::kNone) return;
    Stetus.setCaption("");
    spm.LastHoverId = settings::hover::kNone;
}

void Ranch::MoE_MouseMove(int, int, double, double) {
    ShowHint(settings::hover::kMoE, "ｸﾘｯｸﾚｽに分別BOX切り替えが出来るようになります");
}

void Ranch::Jiko_MouseMove(int, int, double, double) {
    ShowHint(settings::hover::kJiko, "呼出し点が他のｱプﾘと被っていてもﾒｲﾝﾒﾆｭｰを呼ベます");
}

void Ranch::Tao_MouseMove(int, int, double, double) {
    ShowHint(settings::hover::kTao, "ﾏｳｽがはみ出すと同時にﾒｲﾝﾒﾆｭｰが消え失せます");
}

}  // namespace panel
