// Headless drags from another program: the pointer carries files over the
// screen; a window whose style takes drops hears the drag come, move over
// the control under it, leave, or drop there.
#include <utility>

#include "platform/headless/headless_platform.h"

namespace platform::headless {

namespace {
constexpr double kTw = forms::kTwipsPerPixel;
}

forms::DroppedFile HeadlessPlatform::droppedFile(const std::string& path, bool isFolder) {
    return {path, path.substr(path.find_last_of('/') + 1), isFolder, {}};
}

void HeadlessPlatform::startDrag(forms::DroppedFiles files) {
    dragged_ = std::move(files);
    dragTarget_ = nullptr;
}

void HeadlessPlatform::dragTo(int x, int y) {
    if (!dragged_) return;
    pointer_ = {x, y};
    Hit hit = hitTest(x, y);
    forms::Form* target = hit.form && hit.form->style().takesDrops ? hit.form : nullptr;
    if (target != dragTarget_) {
        if (dragTarget_ && dragTarget_->onDragLeave) dragTarget_->onDragLeave();
        dragTarget_ = target;
        if (target && target->onDragEnter) target->onDragEnter();
    }
    // The enter may have changed the screen (the call point opens the panel).
    hit = hitTest(x, y);
    if (target && hit.form == target) {
        target->dragOverAt(hit.control, x * kTw - clientOriginX(*target),
                           y * kTw - clientOriginY(*target));
    }
}

void HeadlessPlatform::dragToControl(forms::Control& control) {
    const auto p = screenPointOf(control);
    dragTo(p.x, p.y);
}

void HeadlessPlatform::dragToForm(forms::Form& form, double clientX, double clientY) {
    dragTo(static_cast<int>((clientOriginX(form) + clientX) / kTw),
           static_cast<int>((clientOriginY(form) + clientY) / kTw));
}

void HeadlessPlatform::drop() {
    if (!dragged_) return;
    const forms::DroppedFiles files = std::move(*dragged_);
    dragged_.reset();
    forms::Form* target = std::exchange(dragTarget_, nullptr);
    Hit hit = hitTest(pointer_.x, pointer_.y);
    if (!target || hit.form != target) return;
    target->dropAt(hit.control, files, pointer_.x * kTw - clientOriginX(*target),
                   pointer_.y * kTw - clientOriginY(*target));
}

}  // namespace platform::headless
