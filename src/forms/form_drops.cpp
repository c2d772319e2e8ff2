// Files dragged in from other programs reach the control under the pointer,
// or the form when that control has no slot for them: each backend finds the
// control, this decides who hears of it, once for all backends.
#include "forms/form.h"

namespace forms {

void Form::dragOverAt(Control* control, double x, double y) {
    if (control && control->onDragOver) {
        control->onDragOver(x - control->clientLeft(), y - control->clientTop());
    } else if (onDragOver) {
        onDragOver(x, y);
    }
}

void Form::dropAt(Control* control, const DroppedFiles& files, double x, double y) {
    if (control && control->onDragDrop) {
        control->onDragDrop(files, x - control->clientLeft(), y - control->clientTop());
    } else if (onDragDrop) {
        onDragDrop(files, x, y);
    }
}

}  // namespace forms
