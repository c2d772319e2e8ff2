// FormWindow: the native window of one form and the child windows of its
// controls. Holds no program logic: it mirrors the model onto the window
// and hands what the user does back to the model's setters and slots.
#pragma once

#include <memory>
#include <utility>
#include <vector>

#include "forms/form.h"
#include "forms/peer.h"
#include "platform/win32/win32_platform.h"
#include "platform/win32/win32_units.h"

namespace platform::win32 {

class DropTarget;

class FormWindow : public forms::FormPeer {
  public:
    FormWindow(Win32Platform& platform, forms::Form& form);
    ~FormWindow() override;
    FormWindow(const FormWindow&) = delete;
    FormWindow& operator=(const FormWindow&) = delete;

    void formChanged(forms::Prop what) override;
    void controlChanged(forms::Control& control, forms::Prop what) override;

    HWND hwnd() const { return hwnd_; }
    static void registerClass(HINSTANCE instance);

  private:
    // One control of the form; hwnd is null for the kinds the form paints
    // itself (transparent labels, images, lines) and for timers.
    struct Child {
        forms::Control* control = nullptr;
        HWND hwnd = nullptr;
        Brush brush;  // the colours the control asks its parent for
        COLORREF brushColor = 0;
        bool timerRunning = false;
        bool subclassed = false;
    };

    // --- win32_form_window.cpp: the window itself ---
    static LRESULT CALLBACK windowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
    LRESULT handle(UINT msg, WPARAM wParam, LPARAM lParam);
    void createWindow();
    void applyGeometry();
    void placeWindow(const RECT& r);
    RECT deviceRect() const;
    std::pair<WindowAxis, WindowAxis> axes() const;
    void dpiChanged(int dpi, const RECT& suggested);
    void rescaleChildren();
    int device(double tw) const { return toDevice(tw, dpi_); }
    double twips(int pixels) const { return toTwips(pixels, dpi_); }
    void applyVisibility();
    void activate();
    void restoreFocus();
    void userMovedWindow();
    bool focusLeftForOtherWindow(HWND next) const;
    bool isStartupForm() const;
    void invalidateAll();

    // --- win32_child_windows.cpp: the controls' windows ---
    void listChildren();
    void createChildWindows();
    void createChild(Child& child, int id);
    void syncChild(Child& child, forms::Prop what);
    void placeChild(const Child& child);
    void placeContents(const forms::Frame& frame);
    void showChild(const Child& child);
    void setChildText(const Child& child);
    void syncCheckMarks();
    void startTimer(Child& child, int id);
    void fireTimer(UINT_PTR id);
    RECT childRect(const forms::Control& control) const;
    Child* childOf(HWND hwnd);
    Child* childOf(const forms::Control& control);
    void invalidateSurface(const forms::Frame* surface);
    HWND surfaceWindow(const forms::Frame* surface) const;

    // --- win32_input.cpp: what the user does ---
    static LRESULT CALLBACK childProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam,
                                      UINT_PTR id, DWORD_PTR self);
    LRESULT handleChild(Child& child, HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
    bool mouseOnSurface(const forms::Frame* surface, UINT msg, WPARAM wParam, LPARAM lParam);
    forms::Control* windowlessAt(const forms::Frame* surface, POINT surfacePoint) const;
    void command(HWND child, WORD code);
    void userClicked(Child& child);
    void userEdited(Child& child);
    void keyDown(forms::Control* control, WPARAM key);
    void tabTo(forms::Control* from, bool backwards);
    bool setCursorFor(HWND target);

    // --- win32_drops.cpp: files dropped from other programs ---
    void acceptDroppedFiles();
    void filesDropped(WPARAM dropHandle);
    forms::Control* dropTargetAt(POINT clientPoint);
    bool takesDrop(const forms::Control* control) const;
    bool dropAt(const forms::DroppedFiles& files, POINT clientPoint);

    // --- win32_drop_target.cpp: drags seen as they pass (OLE) ---
    friend class DropTarget;
    bool registerDropTarget();
    void revokeDropTarget();
    bool dragOverAt(POINT clientPoint);

    // --- win32_paint.cpp: what the form draws itself ---
    void paint();
    void paintFrameOverlay(const Child& frame);
    void paintSurface(HDC dc, const forms::Frame* surface, POINT origin) const;
    void paintDrawList(HDC dc) const;
    LRESULT controlColors(HDC dc, HWND child, UINT msg);
    COLORREF backColor() const;

    Win32Platform& platform_;
    forms::Form& form_;
    HWND hwnd_ = nullptr;
    int dpi_ = kDesignDpi;               // the window's, which its controls and fonts follow
    std::vector<Child> children_;        // in the form's creation order = z-order
    forms::Control* pressed_ = nullptr;  // windowless control under a left press
    bool applyingGeometry_ = false;
    bool settingText_ = false;
    // A form's controls get their windows when it is first shown: the
    // panel and the dialog are loaded hidden and may stay so all day.
    bool childWindowsCreated_ = false;
    DropTarget* dropTarget_ = nullptr;  // registered with OLE, or null
    // Expires when this peer dies, so a handler that unloads the form
    // does not leave the window procedure touching a dead peer.
    std::shared_ptr<int> alive_ = std::make_shared<int>(0);
};

// The surface a windowless control is painted on: its frame, or the form.
inline const forms::Frame* surfaceOf(const forms::Control& control) {
    return control.Container();
}

// Labels with a transparent background, images and lines are painted by
// their surface, as only that can show what lies beneath them.
bool isWindowless(const forms::Control& control);

// Modifier bits as the model's events carry them.
int shiftState();

// The files of a drop's list (CF_HDROP, as WM_DROPFILES and data objects
// hand it over); empty when shell32 cannot be had.
forms::DroppedFiles filesOfDrop(HANDLE drop);

}  // namespace platform::win32
