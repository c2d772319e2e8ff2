// The status line's hints for slots, tabs and the panel background, built
// afresh only when the pointer comes to a control not already recorded.
#include "panel/ranch.h"
#include "settings/spm.h"
#include "shell/app.h"

namespace panel {

namespace {
// "ｸﾘｯｸ:｢" target action, two blanks, "逆ｸﾘ:" right-click action.
std::string composeHint(const std::string& target, const std::string& action,
                        const std::string& rightAction) {
    return "ｸﾘｯｸ:｢" + target + action + "  逆ｸﾘ:" + rightAction;
}
}  // namespace

void Ranch::ShowHint(std::int32_t id, const std::string& text) {
    auto& spm = app_.spm();
    if (spm.LastHoverId == id) return;
    Stetus.setCaption(text);
    spm.LastHoverId = id;
}

void Ranch::Command1_MouseMove(int Index, int, int, double, double) {
    StartPollIfTao();
    auto& spm = app_.spm();
    const auto id = settings::hover::slot(Index);
    if (spm.LastHoverId == id) return;
    const auto& table = spm.EntryTable;
    const std::string& caption = Command1[Index].Caption();
    const auto idx = static_cast<std::size_t>(spm.CurrentBox * 10 + Index);
    if (!Sette.Enabled()) {
        Stetus.setCaption(composeHint(caption, "｣を移動", "移動中止"));
    } else if (!Sette.Visible()) {
        if (spm.EditState < 0 || spm.EditState >= settings::kEntryCount) return;
        const auto& source = table.APName[static_cast<std::size_t>(spm.EditState)];
        Stetus.setCaption(composeHint(source, "｣の移動先決定", "移動中止"));
    } else if (spm.EditState == -1) {
        Stetus.setCaption(composeHint(caption, "｣の登録削除", "削除中止"));
    } else if (!table.Exe[idx].empty()) {
        ShowHint(id, composeHint(caption, "｣起動", "登録編集"));
    } else {
        ShowHint(id, composeHint("新規登録｣", "", "新規登録"));
    }
}

void Ranch::Command2_MouseMove(int Index, int, int, double, double) {
    StartPollIfTao();
    auto& spm = app_.spm();
    if (MoE.Value() == 1 && Index != spm.CurrentBox) SwitchBox(Index);
    const auto id = settings::hover::tab(Index);
    if (spm.LastHoverId == id) return;
    const std::string& caption = Command2[Index].Caption();
    if (!Sette.Visible() || !Sette.Enabled()) {
        Stetus.setCaption(composeHint(caption, "｣BOX表示", "移動中止"));
    } else if (spm.EditState == -1) {
        Stetus.setCaption(composeHint(caption, "｣BOX表示", "削除中止"));
    } else if (spm.EditState == -2) {
        Stetus.setCaption(composeHint(caption, "｣の内容を移動", "移動中止"));
    } else if (spm.EditState >= 100) {
        Stetus.setCaption(composeHint(caption, "｣の移動先決定", "移動中止"));
    } else {
        ShowHint(id, composeHint(caption, "｣BOX表示", "ﾗｯﾊﾟを隠す"));
    }
}

void Ranch::Bnk_MouseMove(int, int, double, double) {
    ShowHint(settings::hover::kBnk, "登録･削除･修正が行われた瞬間にその変化を記録します");
}

void Ranch::BunWak_MouseMove(int, int, double, double) {
    Stetus.setCaption("");
}

void Ranch::Form_MouseMove(int, int, double, double) {
    StartPollIfTao();
    auto& spm = app_.spm();
    if (spm.LastHoverId == settings::hover::kNone) return;
    Stetus.setCaption("");
    spm.LastHoverId = settings::hover::kNone;
}

}  // namespace panel
