// The Linux desktop backend on Qt 6 Widgets. Implements: real windows and
// controls (through one QtFormPeer per form), the topmost band, fonts and
// text measurement, message boxes and the file and colour dialogs, the INI
// settings store, shell open, the event loop, timers and posted tasks,
// synthetic keys, the single-instance lock, what other programs have in
// front, and the end of the process.
// All of the backend's state lives in this object.
#pragma once

#include <QString>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/foreground_watch.h"
#include "platform/platform.h"
#include "platform/qt/instance_lock.h"
#include "platform/qt/qt_fonts.h"
#include "platform/qt/qt_popup_menu.h"
#include "platform/qt/qt_session.h"
#include "platform/qt/settings_file.h"
#include "platform/qt/x11_desktop.h"
#include "platform/qt/x11_input_time.h"
#include "platform/qt/xwayland.h"

class QApplication;
class QWidget;

namespace platform::qt {

class QtFormPeer;

class QtPlatform : public Platform {
  public:
    QtPlatform();
    ~QtPlatform() override;

    // --- Platform ---
    SizePx screenSize() override;
    std::vector<RectPx> monitors() override;
    void watchScreens(std::function<void()> changed) override;
    PointPx cursorPos() override;
    bool pointerTakenAt(PointPx pixel) override;
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
    std::optional<std::string> takeKeptStoreCopy() override;
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

    // --- For the peers ---
    FontMapper& fonts() { return fonts_; }
    std::optional<X11Desktop>& x11() { return x11_; }
    bool onXWayland() { return xwaylandPointer() != nullptr; }
    FrameExtents frameExtents(forms::FrameStyle frame);
    void peerCreated(QtFormPeer& peer);
    void peerDestroyed(QtFormPeer& peer);
    // Called after one of our windows was raised or shown: the topmost band
    // goes back on top when no window manager keeps it there.
    void restackTopmost();
    // Gives one of our windows the keyboard, over other programs too.
    void activateWindow(QWidget& window);
    bool isTopmost(const forms::Form& form) const;
    QtFormPeer* peerOf(const forms::Form& form) const;

  private:
    int showMessageBox(QWidget* owner, const QString& text, int style, const QString& title);
    SettingsFile& settingsFor(const std::string& app);
    void flushDirtySettings();
    PointPx pointOutsideOurWindows() const;
    // While the event loop runs, the end of the session (a signal, the
    // session manager, a lost display) runs the program's shutdown.
    void endSession(bool displayGone);

    int argc_ = 1;
    char programName_[16] = "hiyokorapper";
    char* argv_[2] = {programName_, nullptr};
    std::unique_ptr<QApplication> app_;
    std::optional<X11Desktop> x11_;
    std::unique_ptr<X11InputTime> inputTime_;
    // Asked at first use, not at start-up: the server's answer is a round trip.
    XWaylandPointer* xwaylandPointer();
    std::unique_ptr<XWaylandPointer> xwaylandPointer_;  // null on other X servers
    bool xwaylandAsked_ = false;
    FontMapper fonts_;
    std::map<forms::FrameStyle, FrameExtents> frames_;
    std::map<std::string, SettingsFile> settings_;
    InstanceLock lock_;
    std::vector<QtFormPeer*> peers_;
    std::vector<const forms::Form*> topmost_;  // oldest first
    std::unique_ptr<SessionWatch> session_;
    std::unique_ptr<QtPopupMenu> menus_;  // made at first use
    bool displayGone_ = false;
    std::function<void()> screensChanged_;
    bool screenNoticePending_ = false;
    std::unique_ptr<ForegroundWatch> foregroundWatch_;  // made at the first call
};

}  // namespace platform::qt
