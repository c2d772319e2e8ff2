// Drags from other programs seen as they pass, not only at the drop: the
// window is an OLE drop target. That wants OLE set up on the windows' thread
// before anything is dragged, so ole32 (late bound) is initialised when the
// first window that takes drops is made; where it cannot be, the window
// takes WM_DROPFILES instead (win32_drops.cpp). Touches nothing but the
// drag's model events.
#include "platform/win32/win32_form_window.h"
// After windows.h.
#include <ole2.h>

#include <utility>

#include "platform/win32/win32_late_binding.h"

namespace platform::win32 {

namespace {

struct OleFunctions {
    decltype(&OleInitialize) initialize = nullptr;
    decltype(&RegisterDragDrop) registerTarget = nullptr;
    decltype(&RevokeDragDrop) revokeTarget = nullptr;
    decltype(&ReleaseStgMedium) releaseMedium = nullptr;
};

// OLE stays set up for the life of the process, as the windows it serves.
OleFunctions loadOle() {
    constexpr const wchar_t* kOle = L"ole32.dll";
    const OleFunctions loaded{
        lateBound<decltype(&OleInitialize)>(kOle, "OleInitialize"),
        lateBound<decltype(&RegisterDragDrop)>(kOle, "RegisterDragDrop"),
        lateBound<decltype(&RevokeDragDrop)>(kOle, "RevokeDragDrop"),
        lateBound<decltype(&ReleaseStgMedium)>(kOle, "ReleaseStgMedium"),
    };
    if (!loaded.initialize || !loaded.registerTarget || !loaded.revokeTarget ||
        !loaded.releaseMedium) {
        return {};
    }
    return SUCCEEDED(loaded.initialize(nullptr)) ? loaded : OleFunctions{};
}

// Every member is null when OLE cannot be had.
const OleFunctions& ole() {
    static const OleFunctions loaded = loadOle();
    return loaded;
}

// Linked or copied, never moved, so the source never deletes what was
// dropped here.
DWORD withoutMoving(DWORD offered) {
    if (offered & DROPEFFECT_LINK) return DROPEFFECT_LINK;
    if (offered & DROPEFFECT_COPY) return DROPEFFECT_COPY;
    return DROPEFFECT_NONE;
}

forms::DroppedFiles filesOf(IDataObject* data) {
    FORMATETC format{CF_HDROP, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
    STGMEDIUM medium{};
    if (!data || FAILED(data->GetData(&format, &medium))) return {};
    forms::DroppedFiles files;
    if (medium.tymed == TYMED_HGLOBAL) files = filesOfDrop(medium.hGlobal);
    ole().releaseMedium(&medium);
    return files;
}

}  // namespace

// One window's target. The files are read as the drag comes: a source may
// no longer hand them over once it has seen the drop. A leave is held back
// until the next turn of the event loop: a drag crossing from the window
// onto one of its controls is told to leave and enter again at once, which
// is no leave for the model.
class DropTarget final : public IDropTarget {
  public:
    explicit DropTarget(FormWindow& window) : window_(&window) {}
    DropTarget(const DropTarget&) = delete;
    DropTarget& operator=(const DropTarget&) = delete;

    // The window is going; calls already under way find it gone.
    void detach() { window_ = nullptr; }

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID id, void** object) override {
        if (id == __uuidof(IUnknown) || id == __uuidof(IDropTarget)) {
            *object = static_cast<IDropTarget*>(this);
            AddRef();
            return S_OK;
        }
        *object = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++references_; }
    ULONG STDMETHODCALLTYPE Release() override {
        const ULONG left = --references_;
        if (left == 0) delete this;
        return left;
    }

    HRESULT STDMETHODCALLTYPE DragEnter(IDataObject* data, DWORD keys, POINTL at,
                                        DWORD* effect) override {
        // A source that would only let the files be moved gets no drop.
        dragged_ =
            withoutMoving(*effect) != DROPEFFECT_NONE ? filesOf(data) : forms::DroppedFiles{};
        if (dragged_.empty()) {
            *effect = DROPEFFECT_NONE;
            return S_OK;
        }
        const bool returning = std::exchange(leavePending_, false);
        if (!returning && window_ && window_->form_.onDragEnter) window_->form_.onDragEnter();
        return DragOver(keys, at, effect);
    }

    HRESULT STDMETHODCALLTYPE DragOver(DWORD, POINTL at, DWORD* effect) override {
        const DWORD offered = *effect;
        *effect = DROPEFFECT_NONE;
        if (dragged_.empty() || !window_) return S_OK;
        if (window_->dragOverAt(clientPoint(at))) *effect = withoutMoving(offered);
        return S_OK;
    }

    HRESULT STDMETHODCALLTYPE DragLeave() override {
        if (std::exchange(leavePending_, true) || !window_) return S_OK;
        AddRef();
        window_->platform_.post([this] {
            if (std::exchange(leavePending_, false)) leave();
            Release();
        });
        return S_OK;
    }

    HRESULT STDMETHODCALLTYPE Drop(IDataObject*, DWORD, POINTL at, DWORD* effect) override {
        const DWORD chosen = withoutMoving(*effect);
        *effect = DROPEFFECT_NONE;
        leavePending_ = false;
        const forms::DroppedFiles files = std::exchange(dragged_, {});
        if (!window_ || chosen == DROPEFFECT_NONE) return S_OK;
        if (window_->dropAt(files, clientPoint(at))) *effect = chosen;
        return S_OK;
    }

  private:
    ~DropTarget() = default;

    void leave() {
        dragged_.clear();
        if (window_ && window_->form_.onDragLeave) window_->form_.onDragLeave();
    }

    // Drags report screen points in device pixels.
    POINT clientPoint(POINTL at) const {
        POINT client{at.x, at.y};
        ScreenToClient(window_->hwnd_, &client);
        return client;
    }

    ULONG references_ = 1;  // the window's own
    FormWindow* window_;
    forms::DroppedFiles dragged_;
    bool leavePending_ = false;
};

bool FormWindow::registerDropTarget() {
    const OleFunctions& functions = ole();
    if (!functions.registerTarget) return false;
    auto* target = new DropTarget(*this);
    if (FAILED(functions.registerTarget(hwnd_, target))) {
        target->Release();
        return false;
    }
    dropTarget_ = target;
    return true;
}

void FormWindow::revokeDropTarget() {
    if (!dropTarget_) return;
    ole().revokeTarget(hwnd_);
    dropTarget_->detach();
    std::exchange(dropTarget_, nullptr)->Release();
}

// Where the drag is over the window: tells the model, and whether a drop
// there would be taken.
bool FormWindow::dragOverAt(POINT at) {
    forms::Control* control = dropTargetAt(at);
    const bool takes = takesDrop(control);
    form_.dragOverAt(control, twips(at.x), twips(at.y));
    return takes;
}

}  // namespace platform::win32
