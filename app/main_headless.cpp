// The program on the headless desktop: starts, lets the splash play in
// virtual time, and prints what the start-up did. For machines without a
// desktop backend.
#include <cstdio>

#include "platform/headless/headless_platform.h"
#include "settings/spm.h"
#include "shell/app.h"
#include "shell/sp.h"

int main() {
    platform::headless::HeadlessPlatform desktop;
    shell::App app(desktop);
    try {
        app.start();
        desktop.advance(20000);
    } catch (const platform::headless::ProcessEnded& ended) {
        return ended.exitCode;
    }
    auto& sp = app.sp();
    auto& spm = app.spm();
    std::printf("call point at (%g, %g) twips, %g x %g, colour %d, corner %d, options %d\n",
                sp.Left(), sp.Top(), sp.Width(), sp.Height(), spm.MainColor, spm.MainPlace,
                spm.FasterFlags);
    return 0;
}
