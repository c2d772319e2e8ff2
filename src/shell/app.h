// App: the composition root. Owns the shared module and the four windows;
// referring to a window that is not loaded yet loads it, as the start-up
// order relies on.
#pragma once

#include <memory>

#include "forms/runtime.h"
#include "settings/spm.h"
#include "shell/full_screen_quiet.h"

namespace platform {
class Platform;
}
namespace panel {
class Ranch;
}
namespace dialogs {
class Toro;
class R2;
}  // namespace dialogs

namespace shell {

class Sp;

class App {
  public:
    explicit App(platform::Platform& platform);
    ~App();
    App(const App&) = delete;
    App& operator=(const App&) = delete;

    platform::Platform& platform() const { return platform_; }
    forms::Runtime& runtime() { return runtime_; }
    settings::Spm& spm() { return spm_; }
    FullScreenQuiet& quiet() { return quiet_; }

    Sp& sp();
    panel::Ranch& ranch();
    dialogs::Toro& toro();
    dialogs::R2& r2();
    // The windows as they stand, without loading them (null before their
    // first use; the splash stays, unloaded, once it has closed).
    Sp* spInstance() const { return sp_.get(); }
    panel::Ranch* ranchInstance() const { return ranch_.get(); }
    dialogs::Toro* toroInstance() const { return toro_.get(); }
    dialogs::R2* r2Instance() const { return r2_.get(); }

    // Loads the call point, whose load step is the whole start-up.
    void start();
    // Starts and then runs the platform's event loop until the process ends.
    int run();

  private:
    platform::Platform& platform_;
    forms::Runtime runtime_;
    settings::Spm spm_;
    FullScreenQuiet quiet_{*this};
    std::unique_ptr<Sp> sp_;
    std::unique_ptr<panel::Ranch> ranch_;
    std::unique_ptr<dialogs::Toro> toro_;
    std::unique_ptr<dialogs::R2> r2_;
};

}  // namespace shell
