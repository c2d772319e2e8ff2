// The Windows backend's foreground watch (foreground_watch.h).
#pragma once

#include "platform/foreground_watch.h"
#include "platform/win32/win32_platform.h"

namespace platform::win32 {

class Win32ForegroundWatch : public ForegroundWatch {
  public:
    explicit Win32ForegroundWatch(Win32Platform& platform);
    ~Win32ForegroundWatch() override;
    Win32ForegroundWatch(const Win32ForegroundWatch&) = delete;
    Win32ForegroundWatch& operator=(const Win32ForegroundWatch&) = delete;

    void start(std::function<void()> changed) override;
    void stop() override;
    Front front() override;

    // From the hook procedure.
    void heard(DWORD event, HWND hwnd, LONG object);

  private:
    void followMoves(HWND hwnd);
    void tell();

    Win32Platform& platform_;
    std::function<void()> changed_;
    HWINEVENTHOOK foregroundHook_ = nullptr;
    HWINEVENTHOOK moveHook_ = nullptr;
    HWND followed_ = nullptr;  // the foreground window when it is another program's
    bool tellPending_ = false;
};

}  // namespace platform::win32
