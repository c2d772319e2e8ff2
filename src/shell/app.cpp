#include "shell/app.h"

#include "dialogs/r2.h"
#include "dialogs/toro.h"
#include "panel/ranch.h"
#include "platform/platform.h"
#include "shell/sp.h"

namespace shell {

App::App(platform::Platform& platform) : platform_(platform), runtime_(platform), spm_(*this) {}

App::~App() = default;

// Each accessor creates its window on first use and runs its load step.
template <class T>
static T& loaded(std::unique_ptr<T>& slot, App& app) {
    if (!slot) slot = std::make_unique<T>(app);
    if (!slot->isLoaded()) slot->Load();
    return *slot;
}

Sp& App::sp() {
    return loaded(sp_, *this);
}
panel::Ranch& App::ranch() {
    return loaded(ranch_, *this);
}
dialogs::Toro& App::toro() {
    return loaded(toro_, *this);
}
dialogs::R2& App::r2() {
    return loaded(r2_, *this);
}

void App::start() {
    sp();
}

int App::run() {
    start();
    return platform_.runEventLoop();
}

}  // namespace shell
