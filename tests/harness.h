// Starts the whole program on the headless desktop for a test.
#pragma once

#include <memory>

#include "dialogs/r2.h"
#include "dialogs/toro.h"
#include "forms/numeric.h"
#include "panel/ranch.h"
#include "platform/headless/headless_platform.h"
#include "settings/spm.h"
#include "shell/app.h"
#include "shell/sp.h"

namespace testing_support {

using platform::headless::HeadlessPlatform;
using platform::headless::ProcessEnded;
using platform::headless::Store;

// One run of the program. Runs sharing a Store see each other's saves.
struct Program {
    explicit Program(std::shared_ptr<Store> store = std::make_shared<Store>(),
                     std::shared_ptr<platform::headless::InstanceLock> lock =
                         std::make_shared<platform::headless::InstanceLock>())
        : desktop(std::move(store), std::move(lock)), app(desktop) {}

    // Start-up, then let the splash finish so it does not interleave.
    void start(bool finishSplash = true);

    shell::Sp& sp() { return app.sp(); }
    panel::Ranch& ranch() { return app.ranch(); }
    dialogs::Toro& toro() { return app.toro(); }
    settings::Spm& spm() { return app.spm(); }

    // Touches the call point, which opens the panel.
    void touchCallPoint();

    HeadlessPlatform desktop;
    shell::App app;
};

}  // namespace testing_support
