// Files dragged in from other programs. While a drag is over the panel it
// stays open: pressing on the other program to start the drag took the
// focus, so the lost focus waits until the drag leaves (the auto-hide poll
// finds the pointer inside anyway). A tab the drag passes shows its box. One file
// dropped on a slot opens the registration dialog filled from it; several
// fill the empty slots of the box from there on. Outside the plain state a
// drop only ends the mode.
#include <string>
#include <utility>

#include "dialogs/dropped_entry.h"
#include "dialogs/toro.h"
#include "panel/ranch.h"
#include "settings/spm.h"
#include "shell/app.h"

namespace panel {

namespace {
std::string leftOutNotice(std::size_t count) {
    return "空き家が足りなくて" + std::to_string(count) + "個はお留守番ですよん";
}
}  // namespace

void Ranch::WireDropEvents() {
    onDragEnter = [this] { Form_DragEnter(); };
    onDragLeave = [this] { Form_DragLeave(); };
    onDragDrop = [this](const forms::DroppedFiles& f, double x, double y) {
        Form_DragDrop(f, x, y);
    };
    for (int i = 0; i < 10; ++i) {
        Command1[i].onDragDrop = [this, i](const forms::DroppedFiles& f, double x, double y) {
            Command1_DragDrop(i, f, x, y);
        };
        Command2[i].onDragOver = [this, i](double x, double y) { Command2_DragOver(i, x, y); };
    }
}

void Ranch::Form_DragEnter() {
    dragOver_ = true;
}

// A lost focus that came during the drag hides the panel now that the drag
// went elsewhere.
void Ranch::Form_DragLeave() {
    dragOver_ = false;
    if (std::exchange(lostFocusInDrag_, false)) Form_LostFocus();
}

void Ranch::WindowLostFocus() {
    if (optionsMenuOpen_) return;  // the menu of extra options has the keyboard
    if (dragOver_) {
        lostFocusInDrag_ = true;
        return;
    }
    Form_LostFocus();
}

// The drop ends the drag; the panel stays, as the user is at work on it.
void Ranch::EndDrag() {
    dragOver_ = false;
    lostFocusInDrag_ = false;
}

// On a tab, the background or any other control: nothing is registered.
void Ranch::Form_DragDrop(const forms::DroppedFiles&, double, double) {
    EndDrag();
    if (!inPlainState()) ReturnToPlainState();
}

void Ranch::Command1_DragDrop(int Index, const forms::DroppedFiles& Files, double X, double Y) {
    if (Files.empty() || !inPlainState()) {
        Form_DragDrop(Files, X, Y);
        return;
    }
    EndDrag();
    if (Files.size() == 1) {
        RegisterThroughDialog(Index, Files.front());
    } else {
        FillEmptySlotsFrom(Index, Files);
    }
}

// As a right-click opens the dialog, with the boxes filled from the file.
void Ranch::RegisterThroughDialog(int slot, const forms::DroppedFile& file) {
    auto& toro = app_.toro();
    toro.setDrawWidth(app_.spm().CurrentBox * 10 + slot + 1);
    Hide();
    toro.Show();
    toro.FillBoxes(dialogs::EntryFromDroppedFile(file));
}

// The files take the empty slots from `slot` to the end of the box, in
// their order; those that find no place are left out and counted.
void Ranch::FillEmptySlotsFrom(int slot, const forms::DroppedFiles& files) {
    auto& spm = app_.spm();
    auto& table = spm.EntryTable;
    std::size_t placed = 0;
    for (int s = slot; s < 10 && placed < files.size(); ++s) {
        const auto idx = static_cast<std::size_t>(spm.CurrentBox * 10 + s);
        if (!table.Exe[idx].empty()) continue;
        auto entry = dialogs::EntryFromDroppedFile(files[placed++]);
        table.APName[idx] = std::move(entry.APName);
        table.Exe[idx] = std::move(entry.Exe);
        table.APPath[idx] = std::move(entry.APPath);
    }
    Form_Activate();
    if (placed > 0 && Bnk.Value() == 1) spm.SaveSettings();
    if (placed < files.size()) {
        Stetus.setCaption(leftOutNotice(files.size() - placed));
        spm.LastHoverId = settings::hover::kNone;
    }
}

// Passing over a tab shows its box, with or without MoE, so a drop can
// reach every box.
void Ranch::Command2_DragOver(int Index, double, double) {
    if (Index != app_.spm().CurrentBox) SwitchBox(Index);
}

}  // namespace panel
