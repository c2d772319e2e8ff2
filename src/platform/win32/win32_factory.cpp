// The Windows backend is the platform when CMake links this library.
#include "platform/win32/win32_platform.h"

namespace platform {

std::unique_ptr<Platform> createPlatform() {
    return std::make_unique<win32::Win32Platform>();
}

}  // namespace platform
