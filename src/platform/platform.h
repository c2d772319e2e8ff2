// Everything outside the program, behind one small abstract interface.
// Backends (headless, qt, win32) implement it; the core sees only this.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "forms/types.h"

namespace forms {
class Form;
class FormPeer;
}  // namespace forms

namespace platform {

class ForegroundWatch;
class PopupMenu;

struct SizePx {
    int width = 0, height = 0;
};
struct PointPx {
    int x = 0, y = 0;
};
struct SizeTw {
    double width = 0, height = 0;
};
struct RectPx {
    int x = 0, y = 0, width = 0, height = 0;
};

// Classic message-box style bits and answers.
namespace mb {
constexpr int kOk = 0;
constexpr int kYesNo = 4;
constexpr int kStop = 16;
constexpr int kExclamation = 48;
constexpr int kInformation = 64;
constexpr int kDefaultButton2 = 256;
constexpr int kAnswerOk = 1;
constexpr int kAnswerYes = 6;
constexpr int kAnswerNo = 7;
}  // namespace mb

struct OpenFileRequest {
    forms::Form* owner = nullptr;
    std::string title;
    std::string filter;  // "description|pattern|description|pattern"
    std::int32_t flags = 0;
};

struct OpenFileResult {
    std::string path;       // full path of the chosen file
    std::string fileTitle;  // its bare name, as the dialog reports it
};

struct ColorRequest {
    forms::Form* owner = nullptr;
    std::string title;
    std::int32_t flags = 0;
};

// Why the settings store could not be written: where (a file, a registry
// key) and the system's own reason.
struct StoreFailure {
    std::string where;
    std::string reason;
};

class Platform {
  public:
    virtual ~Platform() = default;

    // Screen and pointer, in pixels.
    virtual SizePx screenSize() = 0;
    virtual PointPx cursorPos() = 0;
    // Every monitor's place on the desktop; a single screen unless told more.
    virtual std::vector<RectPx> monitors() {
        const SizePx s = screenSize();
        return {{0, 0, s.width, s.height}};
    }
    // Called on the event loop after monitors came or went, or a resolution,
    // the primary monitor or a DPI changed. One handler; a desktop that
    // never changes never calls it.
    virtual void watchScreens(std::function<void()> changed) { (void)changed; }
    // Whether the desktop's own bars take the pointer at this pixel above
    // every window (a compositing shell's top bar): a window of ours there is
    // never touched. False where the desktop cannot tell.
    virtual bool pointerTakenAt(PointPx pixel) {
        (void)pixel;
        return false;
    }

    // Windows.
    virtual std::unique_ptr<forms::FormPeer> createPeer(forms::Form& form) = 0;
    virtual SizeTw nonClientSize(forms::FrameStyle frame) = 0;
    virtual void setTopmost(forms::Form& form, bool topmost) = 0;
    virtual SizeTw measureText(const forms::Font& font, const std::string& text) = 0;

    // Modal dialogs. An empty optional means cancelled.
    virtual int messageBox(const std::string& text, int style, const std::string& title) = 0;
    virtual std::optional<OpenFileResult> openFile(const OpenFileRequest& request) = 0;
    virtual std::optional<forms::Color> chooseColor(const ColorRequest& request) = 0;

    // The per-user settings store.
    virtual std::string getSetting(const std::string& app, const std::string& section,
                                   const std::string& key, const std::string& fallback) = 0;
    virtual void saveSetting(const std::string& app, const std::string& section,
                             const std::string& key, const std::string& value) = 0;
    // Writes what was saved through to the store; on a failure the values
    // stay saved in memory and the next flush tries again.
    virtual std::optional<StoreFailure> flushSettings() = 0;
    // Once: where a store that could not be read whole was kept as it was
    // found (nullopt when nothing was kept aside, and on every later call).
    virtual std::optional<std::string> takeKeptStoreCopy() { return std::nullopt; }

    // Opens a path with the shell's default verb in a working folder.
    virtual void shellOpen(forms::Form* owner, const std::string& file,
                           const std::string& directory) = 0;

    // Time and events. Every wait of the program goes through these.
    virtual void sleep(int milliseconds) = 0;
    virtual void doEvents() = 0;
    virtual double clockSeconds() = 0;  // seeds the random numbers
    virtual void post(std::function<void()> task) = 0;
    virtual int runEventLoop() = 0;

    // Services with interfaces of their own, each made at its first use.
    virtual PopupMenu& popupMenu() = 0;
    // What other programs have in front; null where the desktop cannot tell.
    virtual ForegroundWatch* foregroundWatch() { return nullptr; }

    virtual bool acquireSingleInstance() = 0;
    virtual void sendKey(int virtualKey) = 0;
    [[noreturn]] virtual void endProcess(int exitCode) = 0;
};

// Made by the backend that CMake links in.
std::unique_ptr<Platform> createPlatform();

}  // namespace platform
