// The splash: load step and the animation of its first activation.
#include <cmath>

#include "dialogs/r2.h"
#include "forms/numeric.h"
#include "platform/platform.h"
#include "settings/spm.h"
#include "settings/texts.h"
#include "shell/app.h"

namespace dialogs {

using forms::roundHalfEven;

namespace {
forms::Color roundedRgb(double r, double g, double b) {
    return forms::rgb(static_cast<int>(roundHalfEven(r)), static_cast<int>(roundHalfEven(g)),
                      static_cast<int>(roundHalfEven(b)));
}
}  // namespace

void R2::Form_Load() {
    const auto& spm = app_.spm();
    Move(spm.ScreenWidthTw / 2.0, spm.ScreenHeightTw / 2.0, Width(), Height());
    for (int i = 0; i < 9; ++i) l[i].setLeft(3825 - l[i].Width());
    auto name = forms::utf8Chars(settings::kProductName);
    for (int i = 0; i < 7; ++i) l[i].setCaption(name.at(static_cast<std::size_t>(i)));
    l[8].setCaption(std::string(settings::kVersion).substr(3));
    Move(Left(), Top(), 1, 1);
    Show();
    target_ = {};
}

void R2::Frame() {
    auto& p = app_.platform();
    p.doEvents();
    p.sleep(1);
}

void R2::Form_Activate() {
    if (started_) return;
    started_ = true;
    auto& rnd = app_.spm().Rnd;
    Colors c{};
    c.R = double(roundHalfEven(rnd.next() * 255));
    c.G = double(roundHalfEven(rnd.next() * 255));
    c.B = double(roundHalfEven(rnd.next() * 255));
    double Px = double(roundHalfEven(rnd.next() * 100 + 50));
    double Py = double(roundHalfEven(rnd.next() * 100 + 50));
    double d = double(roundHalfEven(rnd.next() * -5 - 2));
    SpiralIn(Px, Py, d);
    Widen();
    Heighten();
    ShowFrame();
    target_ = {0, 300, 660, 960, 1320, 1620, 1980, 2400, 0};
    Letters(c);
    Hold();
    InvertAndFade(c);
    FlyToCorner();
    Unload();
}

void R2::SpiralIn(double Px, double Py, double d) {
    const auto& spm = app_.spm();
    for (double t = 4500; t >= 1; t += d) {
        Move(t * std::sin(t / Px) + spm.ScreenWidthTw / 2.0,
             t * std::cos(t / Py) + spm.ScreenHeightTw / 2.0, Width(), Height());
        Frame();
    }
}

void R2::Widen() {
    for (int i = 0; i < 19; ++i) {
        Move(Left() - 100, Top(), Width() + 199, Height());
        app_.platform().doEvents();
        app_.platform().sleep(7);
    }
}

void R2::Heighten() {
    for (int i = 0; i < 19; ++i) {
        Move(Left(), Top() - 11, Width(), Height() + 22);
        app_.platform().doEvents();
        app_.platform().sleep(10);
    }
}

void R2::ShowFrame() {
    Image1.Move(0, 0, ScaleWidth(), ScaleHeight());
    Image1.setVisible(true);
    for (int i = 0; i < 50; ++i) Frame();
}

// Each label fades in while the one before it glides to its place.
void R2::Letters(const Colors& c) {
    int s = 0;
    int k = 0;
    for (;;) {
        l[k].setVisible(true);
        if (k == 0) {
            setBackColor(roundedRgb(c.R / 50 * s, c.G / 50 * s, c.B / 50 * s));
        } else {
            const double start = 3825 - l[k].Width();
            l[k - 1].setLeft(start - (start - target_[static_cast<std::size_t>(k - 1)]) / 50 * s);
        }
        l[k].setForeColor(roundedRgb(255 - c.R / 50 * s, 255 - c.G / 50 * s, 255 - c.B / 50 * s));
        if (s == 50) {
            s = 0;
            ++k;
        }
        if (k == 9) break;
        Frame();
        ++s;
    }
}

void R2::Hold() {
    for (int i = 0; i < 500; ++i) {
        app_.platform().sleep(1);
        app_.platform().doEvents();
    }
}

void R2::InvertAndFade(const Colors& c) {
    const double Ri = 255 - c.R, Gi = 255 - c.G, Bi = 255 - c.B;
    for (int s = 1; s <= 100; ++s) {
        for (int k = 0; k < 9; ++k) {
            l[k].setForeColor(
                roundedRgb(c.R - c.R / 100 * s, c.G - c.G / 100 * s, c.B - c.B / 100 * s));
        }
        setBackColor(roundedRgb(Ri - Ri / 100 * s, Gi - Gi / 100 * s, Bi - Bi / 100 * s));
        Frame();
    }
}

// Into the call point's corner: the far edges of its monitor for the right
// and bottom corners, the near ones for the others.
void R2::FlyToCorner() {
    const auto& spm = app_.spm();
    const auto corner = spm.CornerOf(spm.MainPlace);
    if (!corner) return;
    const bool toRight = spm.MainPlace == 1 || spm.MainPlace == 3;
    const bool toBottom = spm.MainPlace >= 2;
    const double targetLeft = toRight ? corner->left + 15 : corner->left;
    const double targetTop = toBottom ? corner->top + 15 : corner->top;
    const double L0 = double(roundHalfEven(Left())), T0 = double(roundHalfEven(Top()));
    const double W0 = double(roundHalfEven(Width())), H0 = double(roundHalfEven(Height()));
    for (int s = 1; s <= 200; ++s) {
        double left = toRight ? (targetLeft - L0) / 200 * s + L0 : L0 - (L0 - targetLeft) / 200 * s;
        double top = toBottom ? (targetTop - T0) / 200 * s + T0 : T0 - (T0 - targetTop) / 200 * s;
        Move(left, top, W0 - W0 / 200 * s, H0 - H0 / 200 * s);
        Frame();
    }
}

}  // namespace dialogs
