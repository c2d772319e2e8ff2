// The backend that CMake links in when Qt is the desktop.
#include "platform/qt/qt_platform.h"

namespace platform {

std::unique_ptr<Platform> createPlatform() {
    return std::make_unique<qt::QtPlatform>();
}

}  // namespace platform
