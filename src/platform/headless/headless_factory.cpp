#include "platform/headless/headless_platform.h"

namespace platform {

std::unique_ptr<Platform> createPlatform() {
    return std::make_unique<headless::HeadlessPlatform>();
}

}  // namespace platform
