#include "shell/sp.h"

#include "settings/spm.h"
#include "shell/app.h"

namespace shell {

Sp::Sp(App& app)
    : forms::Form(app.runtime(), "sp", {forms::FrameStyle::None, false, 1, true}, 2040, 405),
      app_(app) {
    setBackColor(forms::rgb(255, 255, 255));
    setFont({"System", 13.5, false, false});
    ch.setInterval(kTickMs);

    onLoad = [this] { Form_Load(); };
    onKeyDown = [this](int k, int s) { Form_KeyDown(k, s); };
    onMouseDown = [this](int b, int s, double x, double y) { Form_MouseDown(b, s, x, y); };
    onMouseMove = [this](int b, int s, double x, double y) { Form_MouseMove(b, s, x, y); };
    // The pointer belongs to a drag from another program: its arrival opens
    // the panel as the pointer's touch does, so the drop can reach a slot.
    onDragEnter = [this] { Form_MouseMove(0, 0, 0, 0); };
    onUnload = [this] { Form_Unload(); };
    // A close while the shutdown runs (the session ending under the farewell
    // show) has nothing left to do.
    onCloseRequest = [this] {
        if (!app_.spm().ShuttingDown) Unload();
    };
    ch.onTimer = [this] { ch_Timer(); };
}

}  // namespace shell
