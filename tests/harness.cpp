#include "harness.h"

#include "forms/numeric.h"

namespace testing_support {

void Program::start(bool finishSplash) {
    app.start();
    if (finishSplash) desktop.advance(20000);
}

void Program::touchCallPoint() {
    auto& callPoint = sp();
    desktop.moveMouse(static_cast<int>(forms::roundHalfEven(callPoint.Left() / 15)),
                      static_cast<int>(forms::roundHalfEven(callPoint.Top() / 15)));
}

}  // namespace testing_support
