// The headless desktop: a real backend without a screen, for tests.
// Implements: screen, z-order with a topmost band, active window and focus
// (through the model), pointer and keys, a virtual clock with timers,
// scripted dialog and menu answers with a log, an in-memory store, a
// shell-open log, a sent-key queue, other programs' windows in front, and
// ProcessEnded instead of an exit.
#pragma once

#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

#include "forms/form.h"
#include "platform/headless/headless_foreground.h"
#include "platform/headless/headless_popup_menu.h"
#include "platform/platform.h"

namespace platform::headless {

// Thrown by endProcess; tests catch it.
struct ProcessEnded {
    int exitCode;
};

// The settings store, shared between "runs" so a restart reads what was
// saved. Start-up reads and every save writes some three hundred values, and
// the fuzz targets do that by the thousand: one hash table whose lookups
// build no strings.
struct StoreId {
    std::string app, section, key;
    bool operator==(const StoreId&) const = default;
};
struct StoreIdView {
    std::string_view app, section, key;
};
struct StoreIdHash {
    using is_transparent = void;
    std::size_t operator()(const StoreIdView& id) const;
    std::size_t operator()(const StoreId& id) const {
        return (*this)(StoreIdView{id.app, id.section, id.key});
    }
};
struct StoreIdEqual {
    using is_transparent = void;
    template <class A, class B>
    bool operator()(const A& a, const B& b) const {
        return a.key == b.key && a.section == b.section && a.app == b.app;
    }
};

struct Store {
    using Values = std::unordered_map<StoreId, std::string, StoreIdHash, StoreIdEqual>;
    Values values;     // what a restart reads
    Values unflushed;  // saved, but not yet through a flush
    int writes = 0;
    int flushes = 0;
    // Where a store that could not be read whole was kept; told once.
    std::optional<std::string> keptCopy;
    // While set, every flush fails with it and what was saved stays unflushed.
    std::optional<StoreFailure> failure;

    std::optional<std::string> get(std::string_view section, std::string_view key,
                                   std::string_view app = "hiyokorapper") const;
    void set(std::string_view section, std::string_view key, const std::string& value,
             std::string_view app = "hiyokorapper");
    // How many keys a section holds in what a restart reads.
    std::size_t count(std::string_view section, std::string_view app = "hiyokorapper") const;
};

// Sets a value, building the key's strings only when it is new.
void storeValue(Store::Values& values, const StoreIdView& id, const std::string& value);

// Who holds the single-instance lock; shared between programs on one machine.
struct InstanceLock {
    bool held = false;
};

struct MessageBoxShown {
    std::string text;
    int style;
    std::string title;
};

struct ShellOpen {
    std::string owner;
    std::string file;
    std::string directory;
};

class HeadlessPlatform : public Platform {
  public:
    HeadlessPlatform(std::shared_ptr<Store> store = std::make_shared<Store>(),
                     std::shared_ptr<InstanceLock> lock = std::make_shared<InstanceLock>());
    ~HeadlessPlatform() override;

    // --- Platform ---
    SizePx screenSize() override { return screen_; }
    PointPx cursorPos() override { return pointer_; }
    std::vector<RectPx> monitors() override {
        return extraMonitors_.empty() ? Platform::monitors() : extraMonitors_;
    }
    void watchScreens(std::function<void()> changed) override {
        screensChanged_ = std::move(changed);
    }
    bool pointerTakenAt(PointPx pixel) override { return underBars(pixel.x, pixel.y); }
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
    std::optional<std::string> takeKeptStoreCopy() override {
        return std::exchange(store_->keptCopy, std::nullopt);
    }
    void shellOpen(forms::Form* owner, const std::string& file,
                   const std::string& directory) override;
    void sleep(int milliseconds) override;
    void doEvents() override;
    double clockSeconds() override { return now_ / 1000.0; }
    void post(std::function<void()> task) override { posted_.push_back(std::move(task)); }
    int runEventLoop() override;
    PopupMenu& popupMenu() override { return menus; }
    bool acquireSingleInstance() override;
    void sendKey(int virtualKey) override { sentKeys.push_back(virtualKey); }
    ForegroundWatch* foregroundWatch() override { return &foreground; }
    [[noreturn]] void endProcess(int exitCode) override;

    // --- The desktop, for tests ---
    void setScreenSize(int width, int height) { screen_ = {width, height}; }
    // Every monitor, the primary one among them; none set means the screen alone.
    void setMonitors(std::vector<RectPx> monitors) { extraMonitors_ = std::move(monitors); }
    // Where the desktop's own bars take the pointer above every window.
    std::vector<RectPx> barsTakingThePointer;
    // What other programs have in front.
    FakeForegroundWatch foreground{*this};
    // A resolution or the monitors change while the program runs; the
    // program hears of it at the next doEvents, as from a window system.
    void changeScreens(SizePx primary, std::vector<RectPx> monitors);
    double now() const { return now_; }
    // Lets time pass with the program idle: timers fire when due.
    void advance(double milliseconds);
    // Pointer and keys as a user makes them (pixels on the screen).
    void moveMouse(int x, int y);
    void click(int button = forms::kLeftButton, int shift = 0);
    void pressKey(int virtualKey, int shift = 0);
    // Moves the pointer to the middle of a control, then clicks it.
    void clickControl(forms::Control& control, int button = forms::kLeftButton);
    void hoverControl(forms::Control& control);
    void hoverForm(forms::Form& form, double clientX, double clientY);
    // The user asks the window system to close a window.
    void requestClose(forms::Form& form);
    // A drag of files from another program (headless_drops.cpp). The pointer
    // belongs to the drag: windows that take drops hear it enter, move over
    // them and leave; the others hear nothing, and no mouse moves are sent.
    void startDrag(forms::DroppedFiles files);
    void dragTo(int x, int y);
    void dragToControl(forms::Control& control);
    void dragToForm(forms::Form& form, double clientX, double clientY);
    void drop();  // where the pointer is; ends the drag
    // A file as a file manager hands it over: its name is the last part.
    static forms::DroppedFile droppedFile(const std::string& path, bool isFolder = false);

    // Front to back: topmost band first.
    std::vector<forms::Form*> zOrder() const;
    bool isTopmost(const forms::Form& form) const;
    forms::Form* windowAt(int x, int y) const;
    PointPx screenPointOf(const forms::Control& control) const;  // its middle

    // Scripted answers; when none is queued a box takes its default button
    // and the file and colour dialogs are cancelled.
    std::deque<int> messageBoxAnswers;
    std::deque<std::optional<OpenFileResult>> openFileAnswers;
    std::deque<std::optional<forms::Color>> colorAnswers;
    FakePopupMenu menus;
    // What was shown or done.
    std::vector<MessageBoxShown> messageBoxes;
    std::vector<OpenFileRequest> openFileRequests;
    std::vector<ColorRequest> colorRequests;
    std::vector<ShellOpen> shellOpens;
    std::vector<std::pair<std::string, bool>> topmostCalls;
    std::deque<int> sentKeys;
    // Runs at the start of every doEvents: lets a test see each visible step
    // of a long handler.
    std::function<void()> onDoEvents;
    // Runs at every read of the store, with the key read.
    std::function<void(const std::string& key)> onSettingRead;
    // Runs inside each message box, before its answer (to test re-entrancy).
    std::function<void(const MessageBoxShown&)> onMessageBox;

    Store& store() { return *store_; }

  private:
    friend class HeadlessPeer;
    bool underBars(int x, int y) const;
    struct Window {
        forms::Form* form;
        bool topmost = false;
    };
    struct ScheduledTimer {
        forms::Timer* timer;
        double due;
        bool running = false;
    };
    void addWindow(forms::Form& form);
    void removeWindow(forms::Form& form);
    void raise(forms::Form& form);
    void scheduleTimer(forms::Timer& timer);
    void dropTimers(forms::Form& form);
    bool fireOneDueTimer(double upTo);
    void runPosted();
    void deliverSentKeys();
    void deliverKey(int virtualKey, int shift);
    // What lies under a screen pixel: a control, or the form itself.
    struct Hit {
        forms::Form* form = nullptr;
        forms::Control* control = nullptr;
        double x = 0, y = 0;  // twips, relative to the control or the client area
    };
    Hit hitTest(int x, int y) const;
    double clientOriginX(const forms::Form& form) const;
    double clientOriginY(const forms::Form& form) const;

    std::shared_ptr<Store> store_;
    std::shared_ptr<InstanceLock> lock_;
    bool holdsLock_ = false;
    SizePx screen_{1280, 960};
    std::vector<RectPx> extraMonitors_;
    std::function<void()> screensChanged_;
    PointPx pointer_{640, 480};
    double now_ = 0;
    std::vector<Window> windows_;  // front to back within each band
    std::vector<ScheduledTimer> timers_;
    std::deque<std::function<void()>> posted_;
    std::optional<forms::DroppedFiles> dragged_;
    forms::Form* dragTarget_ = nullptr;  // the window that takes the drag now
};

}  // namespace platform::headless
