// r2: the splash window. Its load step sets it up at the screen centre; its
// first activation plays the whole animation and closes it.
#pragma once

#include <array>
#include <cstdint>

#include "forms/form.h"

namespace shell {
class App;
}

namespace dialogs {

class R2 : public forms::Form {
  public:
    explicit R2(shell::App& app);

    forms::ControlArray<forms::Label> l = addArray<forms::Label>("l", 9);
    forms::Image& Image1 = add<forms::Image>("Image1");

    void Form_Load();
    void Form_Activate();

    bool animationStarted() const { return started_; }

  private:
    struct Colors {
        double R, G, B;
    };
    void SpiralIn(double Px, double Py, double d);
    void Widen();
    void Heighten();
    void ShowFrame();
    void Letters(const Colors& c);
    void Hold();
    void InvertAndFade(const Colors& c);
    void FlyToCorner();
    void Frame();  // process events and pause 1 ms

    shell::App& app_;
    bool started_ = false;
    std::array<std::int32_t, 9> target_{};
};

}  // namespace dialogs
