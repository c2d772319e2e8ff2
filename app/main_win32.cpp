// The program on Windows: the native backend under the program's own run.
#include <windows.h>

#include "platform/platform.h"
#include "shell/app.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    auto desktop = platform::createPlatform();
    shell::App app(*desktop);
    return app.run();
}
