// Slot actions and the edit modes: move (M), delete (D), page move (P).
#include <utility>

#include "dialogs/toro.h"
#include "forms/keys.h"
#include "panel/ranch.h"
#include "platform/platform.h"
#include "settings/spm.h"
#include "settings/texts.h"
#include "shell/app.h"

namespace panel {

namespace {
const forms::Color kPlainColor = forms::rgb(0, 127, 0);
const forms::Color kMoveColor = forms::rgb(0, 0, 127);
const forms::Color kDeleteColor = forms::rgb(127, 0, 0);
const forms::Color kPageMoveColor = forms::rgb(127, 0, 127);

std::string titleWith(const std::string& suffix) {
    return std::string(settings::kProductTitle) + suffix;
}

void swapRows(settings::EntryColumns& table, std::size_t a, std::size_t b) {
    std::swap(table.APName[a], table.APName[b]);
    std::swap(table.Exe[a], table.Exe[b]);
    std::swap(table.APPath[a], table.APPath[b]);
}
}  // namespace

bool Ranch::inPlainState() const {
    const auto state = app_.spm().EditState;
    return Sette.Visible() && Sette.Enabled() && state >= 0 && state <= 99;
}

void Ranch::ReturnToPlainState() {
    setCaption(settings::kProductTitle);
    Stetus.setBackColor(kPlainColor);
    Sette.setEnabled(true);
    Sette.setVisible(true);
    app_.spm().EditState = 0;
}

void Ranch::Command1_KeyDown(int, int KeyCode, int) {
    auto& spm = app_.spm();
    const bool plain = inPlainState();
    if (KeyCode == 'M' && plain) {
        setCaption(titleWith(" - 移動モード発動中！"));
        Stetus.setBackColor(kMoveColor);
        Sette.setEnabled(false);
    } else if (KeyCode == 'D' && plain) {
        setCaption(titleWith(" - 削除モード発動中！"));
        Stetus.setBackColor(kDeleteColor);
        spm.EditState = -1;
    } else if (KeyCode == 'P' && plain) {
        setCaption(titleWith(" - ページ移動モード発動中！"));
        Stetus.setBackColor(kPageMoveColor);
        spm.EditState = -2;
    } else if (KeyCode == forms::keys::kEscape && plain) {
        Form_LostFocus();
    } else {
        ReturnToPlainState();
    }
}

void Ranch::Form_KeyDown(int KeyCode, int) {
    Command1_KeyDown(0, KeyCode, 0);
}

void Ranch::Command2_KeyDown(int, int KeyCode, int) {
    Command1_KeyDown(0, KeyCode, 0);
}

void Ranch::Command1_Click(int Index) {
    auto& spm = app_.spm();
    auto& table = spm.EntryTable;
    const auto idx = static_cast<std::size_t>(spm.CurrentBox * 10 + Index);
    if (!Sette.Enabled()) {  // move: this is the source
        setCaption(titleWith(" - " + table.APName[idx] + "を移動中"));
        spm.EditState = static_cast<std::int32_t>(idx);
        Sette.setVisible(false);
        Sette.setEnabled(true);
    } else if (!Sette.Visible()) {  // move: this is the destination
        if (spm.EditState < 0 || spm.EditState >= settings::kEntryCount) return;
        swapRows(table, idx, static_cast<std::size_t>(spm.EditState));
        Sette.setVisible(true);
        setCaption(settings::kProductTitle);
        Stetus.setBackColor(kPlainColor);
        Form_Activate();
        if (Bnk.Value() == 1) spm.SaveSettings();
    } else if (spm.EditState == -1) {
        using namespace platform::mb;
        int answer = app_.platform().messageBox(table.APName[idx] + "の登録を殺りますよん？",
                                                kYesNo | kExclamation, settings::kProductTitle);
        if (answer != kAnswerYes) return;
        table.APName[idx] = settings::kEmptyTitle;
        table.Exe[idx].clear();
        table.APPath[idx].clear();
        spm.EditState = 0;
        setCaption(settings::kProductTitle);
        Stetus.setBackColor(kPlainColor);
        Form_Activate();
        if (Bnk.Value() == 1) spm.SaveSettings();
    } else if (table.Exe[idx].empty()) {
        auto& toro = app_.toro();
        toro.setDrawWidth(static_cast<int>(idx) + 1);
        toro.Show();
        Hide();
    } else {
        spm.RunEntry(static_cast<std::int32_t>(idx));
        Form_LostFocus();
    }
}

void Ranch::Command1_MouseDown(int Index, int Button, int, double, double) {
    if (Button == forms::kLeftButton) return;
    auto& spm = app_.spm();
    if (Sette.Visible() && Sette.Enabled() && spm.EditState != -1) {
        auto& toro = app_.toro();
        toro.setDrawWidth(spm.CurrentBox * 10 + Index + 1);
        Hide();
        toro.Show();
    } else {
        Command1_KeyDown(Index, 0, 0);
    }
}

void Ranch::Command2_Click(int Index) {
    auto& spm = app_.spm();
    if (spm.EditState == -2) {
        setCaption(titleWith(" - " + Command2[Index].Caption() + "を移動中"));
        spm.EditState = 100 * Index + 100;
    } else if (spm.EditState >= 100) {
        const int source = spm.EditState / 100 - 1;
        for (int i = 0; i < 10; ++i) {
            swapRows(spm.EntryTable, static_cast<std::size_t>(Index * 10 + i),
                     static_cast<std::size_t>(source * 10 + i));
        }
        spm.EditState = 0;
        setCaption(settings::kProductTitle);
        Stetus.setBackColor(kPlainColor);
        Form_Activate();
        if (Bnk.Value() == 1) spm.SaveSettings();
    } else {
        SwitchBox(Index);
    }
}

void Ranch::Command2_MouseDown(int, int Button, int, double, double) {
    if (Button == forms::kLeftButton) return;
    if (inPlainState()) {
        Form_LostFocus();
    } else {
        Command1_KeyDown(0, 0, 0);
    }
}

}  // namespace panel
