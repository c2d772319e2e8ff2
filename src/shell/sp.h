// sp: the call point, a one-pixel window in a screen corner. Its load step is
// the start-up, its unload step the shutdown and farewell show.
#pragma once

#include "forms/form.h"

namespace shell {

class App;

class Sp : public forms::Form {
  public:
    explicit Sp(App& app);

    // Re-places the call point and re-arms its opening.
    static constexpr int kTickMs = 3333;
    forms::Timer& ch = add<forms::Timer>("ch");

    void Form_Load();
    void Form_KeyDown(int KeyCode, int Shift);
    void Form_MouseDown(int Button, int Shift, double X, double Y);
    void Form_MouseMove(int Button, int Shift, double X, double Y);
    void Form_Unload();
    void ch_Timer();

  private:
    void TransferOptionBits();
    void ShowEndQuestion();
    void ShowAbout();
    // The farewell show, phase by phase.
    void SlideOut();
    void GrowSettingsButton();
    void FadePanel(int from, int to, int step, int pauseMs);
    void NameRain();
    void CollapsePanel();

    App& app_;
};

// The About text that the call point and the status line both show.
std::string AboutText(const std::string& blankLine, const std::string& noticeLine);
std::string AboutTitle();

}  // namespace shell
