// Owning wrappers for the GDI objects and device contexts the backend makes,
// so that every path out of a scope, early returns included, frees them.
#pragma once

#include <windows.h>

#include <utility>

namespace platform::win32 {

// One owner of a handle that `Free` releases; movable, not copyable.
template <typename Handle, BOOL(WINAPI* Free)(Handle)>
class Owned {
  public:
    Owned() = default;
    explicit Owned(Handle handle) : handle_(handle) {}
    ~Owned() { reset(); }
    Owned(Owned&& other) noexcept : handle_(std::exchange(other.handle_, nullptr)) {}
    Owned& operator=(Owned&& other) noexcept {
        if (this != &other) reset(std::exchange(other.handle_, nullptr));
        return *this;
    }
    Owned(const Owned&) = delete;
    Owned& operator=(const Owned&) = delete;

    Handle get() const { return handle_; }
    operator Handle() const { return handle_; }
    explicit operator bool() const { return handle_ != nullptr; }
    void reset(Handle handle = nullptr) {
        if (handle_) Free(handle_);
        handle_ = handle;
    }

  private:
    Handle handle_ = nullptr;
};

using GdiObject = Owned<HGDIOBJ, DeleteObject>;  // brushes, pens, fonts, bitmaps
using MemoryDc = Owned<HDC, DeleteDC>;

// A GDI object of a known type, freed as any GDI object.
template <typename Handle>
class Gdi : public GdiObject {
  public:
    Gdi() = default;
    explicit Gdi(Handle handle) : GdiObject(handle) {}
    Handle get() const { return static_cast<Handle>(GdiObject::get()); }
    operator Handle() const { return get(); }
};
using Brush = Gdi<HBRUSH>;
using Pen = Gdi<HPEN>;
using Bitmap = Gdi<HBITMAP>;
using Font = Gdi<HFONT>;

// A window's (or the screen's, for a null window) device context, given back
// when the scope ends.
class WindowDc {
  public:
    explicit WindowDc(HWND hwnd) : hwnd_(hwnd), dc_(GetDC(hwnd)) {}
    ~WindowDc() {
        if (dc_) ReleaseDC(hwnd_, dc_);
    }
    WindowDc(const WindowDc&) = delete;
    WindowDc& operator=(const WindowDc&) = delete;
    operator HDC() const { return dc_; }
    explicit operator bool() const { return dc_ != nullptr; }

  private:
    HWND hwnd_;
    HDC dc_;
};

// Selects a GDI object into a context for the lifetime of the scope.
class Selected {
  public:
    Selected(HDC dc, HGDIOBJ object) : dc_(dc), old_(SelectObject(dc, object)) {}
    ~Selected() { SelectObject(dc_, old_); }
    Selected(const Selected&) = delete;
    Selected& operator=(const Selected&) = delete;

  private:
    HDC dc_;
    HGDIOBJ old_;
};

}  // namespace platform::win32
