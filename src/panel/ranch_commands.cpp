// The settings view's commands: save, exit and the built-in help.
#include "panel/ranch.h"
#include "platform/platform.h"
#include "settings/spm.h"
#include "settings/texts.h"
#include "shell/app.h"
#include "shell/sp.h"

namespace panel {

namespace {
constexpr int kQuestion = platform::mb::kYesNo | platform::mb::kExclamation;      // 52
constexpr int kHelpQuestion = platform::mb::kYesNo | platform::mb::kInformation;  // 68
}  // namespace

void Ranch::SSave_Click(int Index) {
    auto& spm = app_.spm();
    auto& p = app_.platform();
    const std::string& bl = spm.BlankLine;
    spm.MakeNotTopmost(*this);
    spm.MakeTopmost(app_.sp());
    if (Index == 0) {
        int answer = p.messageBox("諸設定や、登録項目を保存します。" + bl + "よろしいですか？",
                                  kQuestion, SSave[0].Caption());
        spm.LastHoverId = settings::hover::kNone;
        if (answer == platform::mb::kAnswerYes) {
            spm.CollectOptions();
            Stetus.setCaption(spm.SaveSettings() ? "保存しました。" : "保存できませんでした。");
        } else {
            Stetus.setCaption("保存しませんでした。");
        }
    } else if (Index == 1) {
        const std::string text =
            "諸設定や登録項目を保存せずに" + std::string(settings::kProductName) +
            "を終了します。" + bl + "(すでに下の｢保存ボタン｣を押して保存処理済みか" + bl +
            "｢敏感らっぱー｣をチェック済みならば保存されています)" + bl + "よろしいですか？";
        if (p.messageBox(text, kQuestion, SSave[1].Caption()) != platform::mb::kAnswerYes) return;
        Sette_Click();
        app_.sp().Unload();
    } else if (Index == 2) {
        int answer = p.messageBox(
            std::string(settings::kProductName) + "Ver1.9からの追加機能、ご覧になります？",
            kHelpQuestion, settings::kProductTitle);
        if (answer != platform::mb::kAnswerYes) return;
        const std::string help = "Ver1.9からの追加機能・・・・" + bl + bl +
                                 "｢D｣ｷｰを押すことにより 登録を削除するモードを発動" + bl +
                                 "｢M｣ｷｰを押すことにより 登録を移動するモードを発動" + bl +
                                 "｢P｣ｷｰを押すことにより 登録をﾍﾟｰｼﾞごと移動するモードを発動" + bl +
                                 bl + "目立つとこでこんなもんですぁ";
        p.messageBox(help, platform::mb::kInformation,
                     std::string(settings::kProductTitle) + " 内蔵ヘルプ");
    }
}

}  // namespace panel
