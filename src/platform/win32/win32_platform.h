// The native Windows desktop: the one object that holds all of the
// backend's state (window classes, the helper window, posted tasks, fonts,
// the store's open keys, the instance mutex, the foreground watch).
// Implements every virtual of Platform; the work is split over win32_*.cpp
// by concern.
#pragma once

#ifndef NOMINMAX
#define NOMINMAX
#endif
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>
// After windows.h, which it needs.
#include <commctrl.h>

#include <array>
#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <tuple>
#include <vector>

#include "platform/foreground_watch.h"
#include "platform/platform.h"
#include "platform/win32/win32_desktop_map.h"
#include "platform/win32/win32_face_choice.h"
#include "platform/win32/win32_handles.h"
#include "platform/win32/win32_popup_menu.h"

namespace platform::win32 {

class FormWindow;

// Window styles of one frame kind; the same pair creates the window and
// answers nonClientSize, so the model's client area matches the real one.
struct FrameStyles {
    DWORD style;
    DWORD exStyle;
};
FrameStyles frameStyles(forms::FrameStyle frame, bool showInTaskbar);

// Systems with only the first per-monitor awareness scale a window's frame
// with its monitor's DPI when asked while the window is made; later ones do
// it anyway.
void scaleFrameWithDpi(HWND hwnd);

class Win32Platform : public Platform {
  public:
    Win32Platform();
    ~Win32Platform() override;
    Win32Platform(const Win32Platform&) = delete;
    Win32Platform& operator=(const Win32Platform&) = delete;

    // --- Platform ---
    SizePx screenSize() override;
    std::vector<RectPx> monitors() override;
    void watchScreens(std::function<void()> changed) override {
        screensChanged_ = std::move(changed);
    }
    PointPx cursorPos() override;
    std::unique_ptr<forms::FormPeer> createPeer(forms::Form& form) override;
    SizeTw nonClientSize(forms::FrameStyle frame) override;
    void setTopmost(forms::Form& form, bool topmost) override;
    SizeTw measureText(const forms::Font& font, const std::string& text) override;
    int messageBox(const std::string& text, int style, const std::string& title) override;
    std::optional<OpenFileResult> openFile(const OpenFileRequest& request) override;
    std::optional<forms::Color> chooseColor(const ColorRequest& request) override;
    std::string getSetting(const std::string& app, const std::string& section,
                           const std::string& key, const std::string& fallback) override;
    void saveSetting(const std::string& app, const std::string& section, const std::string& key,
                     const std::string& value) override;
    std::optional<StoreFailure> flushSettings() override;
    void shellOpen(forms::Form* owner, const std::string& file,
                   const std::string& directory) override;
    void sleep(int milliseconds) override;
    void doEvents() override;
    double clockSeconds() override;
    void post(std::function<void()> task) override;
    int runEventLoop() override;
    PopupMenu& popupMenu() override;
    bool acquireSingleInstance() override;
    void sendKey(int virtualKey) override;
    ForegroundWatch* foregroundWatch() override;
    [[noreturn]] void endProcess(int exitCode) override;

    // --- For the windows of this backend ---
    HINSTANCE instance() const { return instance_; }
    // Owner of the windows kept off the taskbar that have a normal frame.
    HWND hiddenOwner() const { return helper_; }
    // A font of the model at a DPI, created once with the Shift-JIS
    // character set.
    HFONT font(const forms::Font& font, int dpi);
    // The monitors and their DPIs, measured when first asked and again
    // after the display changed.
    const DesktopMap& desktop();
    // Measures them again when next asked, and tells the program once.
    void desktopChanged();
    int windowDpi(HWND hwnd);
    // A frame's share of a window's size in device pixels at a DPI.
    SIZE frameSize(forms::FrameStyle frame, int dpi);
    // The native window of a loaded form, or null.
    static HWND windowOf(const forms::Form* form);

  private:
    static LRESULT CALLBACK helperProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
    void createHelperWindow();
    void runPosted();
    HKEY sectionKey(const std::string& app, const std::string& section, bool create,
                    LSTATUS* status = nullptr);
    // Flushes and closes the open keys; the first failure since the last flush.
    std::optional<StoreFailure> closeSectionKeys();
    void initializeCom();
    bool pauseOnTimer(int milliseconds);
    DesktopMap measureDesktop();
    int systemDpi();
    std::u16string faceFor(const std::u16string& wanted);

    HINSTANCE instance_;
    HWND helper_ = nullptr;
    std::deque<std::function<void()>> posted_;
    std::map<std::tuple<std::string, double, bool, bool, int>, Font> fonts_;
    std::map<std::u16string, std::u16string> faces_;  // the face chosen for each name
    std::optional<std::vector<InstalledFace>> installedFaces_;
    std::optional<DesktopMap> desktop_;
    std::function<void()> screensChanged_;
    bool screenNoticePending_ = false;
    std::map<std::pair<std::string, std::string>, HKEY> sectionKeys_;
    std::optional<StoreFailure> storeFailure_;  // the first write that failed since the last flush
    std::array<COLORREF, 16> customColors_{};
    HANDLE instanceMutex_ = nullptr;
    bool comTried_ = false;
    bool comInitialized_ = false;
    HANDLE pauseTimer_ = nullptr;
    bool finePeriod_ = false;                // the system timer made fine for lack of pauseTimer_
    std::unique_ptr<Win32PopupMenu> menus_;  // made at first use
    std::unique_ptr<ForegroundWatch> foregroundWatch_;  // made at the first call
};

}  // namespace platform::win32
