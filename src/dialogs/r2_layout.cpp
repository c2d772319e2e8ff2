// The splash as it stands after creation.
#include "dialogs/r2.h"
#include "shell/app.h"

namespace dialogs {

R2::R2(shell::App& app)
    : forms::Form(app.runtime(), "r2", {forms::FrameStyle::DialogBare, false, 0}, 4125, 405),
      app_(app) {
    setBackColor(forms::rgb(0, 0, 0));
    const forms::Font letter{"ＭＳ ゴシック", 20.25, true, true};
    const forms::Font version{"ＭＳ Ｐゴシック", 18, true, true};
    const double left[] = {0, 270, 660, 930, 1320, 1560, 1920};
    for (int i = 0; i < 7; ++i) {
        l[i].place(left[i], 0, i == 0 ? 465 : 435, 405, 8 - i);
        l[i].setFont(letter);
    }
    l[7].setCaption("Ver");
    l[7].place(2370, 30, 615, 360, 1);
    l[8].place(3600, 0, 1065, 360, 0);
    for (int i = 7; i < 9; ++i) {
        l[i].setFont(version);
        l[i].setAlignment(forms::Alignment::Center);
    }
    for (int i = 0; i < 9; ++i) {
        l[i].setTransparent(true);
        l[i].setVisible(false);
    }
    Image1.Move(0, 0, 4125, 405);
    Image1.setVisible(false);

    onLoad = [this] { Form_Load(); };
    onActivate = [this] { Form_Activate(); };
}

}  // namespace dialogs
