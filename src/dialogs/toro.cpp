// The dialog as it stands after creation, and the wiring of its events.
#include "dialogs/toro.h"

#include "shell/app.h"

namespace dialogs {

Toro::Toro(shell::App& app)
    : forms::Form(app.runtime(), "toro", {forms::FrameStyle::Dialog, false, 3}, 4140, 1680),
      app_(app) {
    setCaption("タイトル及びリンク先を指定してぇ");
    const forms::Font gothic{"ＭＳ Ｐゴシック", 9.75, false, false};
    Title.place(840, 120, 3195, 270, 0);
    ComLine.place(840, 480, 3195, 270, 1);
    Command1.setCaption("参照...");
    Command1.place(2760, 1200, 1275, 375, 2);
    Command2.setCaption("決定");
    Command2.place(120, 1200, 1215, 375, 3);
    Command2.setDefault(true);
    Command3.setCaption("ボツ");
    Command3.place(1440, 1200, 1215, 375, 4);
    Label1.setCaption("タイトル");
    Label1.place(120, 120, 615, 195, 5);
    Label1.setFont(gothic);
    Label2.setCaption("リンク先");
    Label2.place(120, 480, 615, 180, 6);
    EXEPath.place(840, 840, 3195, 270, 7);
    Label3.setCaption("実行パス");
    Label3.place(60, 840, 765, 195, 8);
    Label3.setFont(gothic);
    for (forms::Label* label : {&Label1, &Label2, &Label3}) {
        label->setTransparent(true);
        label->setAutoSize(true);
    }
    NICE.DialogTitle = "なにを登録いたしやしょう(*_･)ｷﾗﾘ";
    NICE.Filter =
        "EXE型実行ﾌｧｲﾙ(*.exe)|*.exe|COM型実行ﾌｧｲﾙ(*.com)|*.com|ﾊﾞｯﾁﾌｧｲﾙ(*.bat)|*.bat|全ﾌｧｲﾙ|*.*";

    onActivate = [this] { Form_Activate(); };
    onShowing = [this] { app_.spm().BringBackIfLost(*this); };
    onCloseRequest = [this] { Form_QueryUnload(); };
    for (forms::Control* c : std::initializer_list<forms::Control*>{
             &Title, &ComLine, &EXEPath, &Command1, &Command2, &Command3}) {
        c->onKeyDown = [this](int k, int) { KHAN(k); };
    }
    Command1.onClick = [this] { Command1_Click(); };
    Command2.onClick = [this] { Command2_Click(); };
    Command3.onClick = [this] { Command3_Click(); };
}

}  // namespace dialogs
