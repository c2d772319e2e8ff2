// The shutdown: save first (asking to try again while that fails), then the
// farewell show on the panel, then the end.
#include <algorithm>

#include "forms/numeric.h"
#include "panel/ranch.h"
#include "platform/platform.h"
#include "settings/texts.h"
#include "shell/app.h"
#include "shell/sp.h"

namespace shell {

void Sp::Form_Unload() {
    auto& spm = app_.spm();
    auto& ranch = app_.ranch();
    spm.ShuttingDown = -1;
    spm.MakeNotTopmost(*this);
    spm.MakeTopmost(ranch);
    spm.SaveSettingsBeforeExit();
    SlideOut();
    app_.platform().doEvents();
    ranch.Sette.setCaption("滅");
    GrowSettingsButton();
    ranch.Sette.setVisible(false);
    ranch.Stetus.setVisible(false);
    app_.platform().sleep(100);
    ranch.setCaption("");
    FadePanel(255, 1, -2, 3);
    NameRain();
    FadePanel(0, 255, 5, 4);
    CollapsePanel();
    app_.platform().endProcess(0);
}

// Slots slide down and tabs slide right while Sette spins the ring.
void Sp::SlideOut() {
    auto& ranch = app_.ranch();
    auto& platform = app_.platform();
    const auto ring = forms::utf8Chars("_.｡･ﾟ'^'ﾟ･｡.");
    std::size_t position = 1;
    for (int k = 0; k < 10; ++k) {
        auto& slot = ranch.Command1[k];
        auto& tab = ranch.Command2[k];
        for (int step = 0; step < 5; ++step) {
            ranch.Sette.setCaption(ring.at(position - 1));
            if (++position == 13) position = 1;
            slot.setTop(slot.Top() + 75);
            platform.doEvents();
            platform.sleep(1);
            tab.setLeft(tab.Left() + 87);
            platform.doEvents();
            platform.sleep(1);
        }
        slot.setVisible(false);
        tab.setVisible(false);
    }
}

void Sp::GrowSettingsButton() {
    auto& sette = app_.ranch().Sette;
    for (int i = 0; i < 20; ++i) {
        sette.Move(sette.Left() - 216, sette.Top() - 99, sette.Width() + 219, sette.Height() + 101);
        sette.setFontSize(sette.font().Size + 7);
        app_.platform().doEvents();
        app_.platform().sleep(11);
    }
}

void Sp::FadePanel(int from, int to, int step, int pauseMs) {
    auto& ranch = app_.ranch();
    for (int c = from; step > 0 ? c <= to : c >= to; c += step) {
        ranch.setBackColor(forms::rgb(c, c, c));
        app_.platform().doEvents();
        app_.platform().sleep(pauseMs);
    }
}

// The product name printed again and again, growing, at random points.
void Sp::NameRain() {
    auto& ranch = app_.ranch();
    auto& rnd = app_.spm().Rnd;
    for (int n = 1; n <= 60; ++n) {
        ranch.setFontSize(n);
        app_.platform().sleep(static_cast<int>(forms::roundHalfEven(30 - n / 2.0)));
        app_.platform().doEvents();
        ranch.Print(settings::kProductName);
        double x = rnd.next() * ranch.Width() / 2;
        double y = rnd.next() * ranch.Height();
        ranch.PSet(x, y, 0);
    }
}

// Shrinks the panel towards its middle; a panel smaller than the full travel
// stops at size zero instead of turning negative.
void Sp::CollapsePanel() {
    auto& ranch = app_.ranch();
    for (int i = 0; i < 40; ++i) {
        ranch.Move(ranch.Left() + 61, ranch.Top() + 34, std::max(0.0, ranch.Width() - 123),
                   std::max(0.0, ranch.Height() - 69));
        app_.platform().doEvents();
    }
}

}  // namespace shell
