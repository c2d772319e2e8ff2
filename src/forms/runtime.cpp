#include "forms/runtime.h"

#include <algorithm>

#include "forms/form.h"
#include "platform/platform.h"

namespace forms {

void Runtime::activateByProgram(Form& form) {
    if (loadDepth_ > 0) {
        platform_.post([this, &form] {
            if (form.isLoaded() && form.Visible()) makeActive(form);
        });
        return;
    }
    makeActive(form);
}

void Runtime::userActivated(Form& form) {
    if (form.isLoaded() && form.Visible()) makeActive(form);
}

// Showing the active form again still brings it to the front with the
// keyboard (the user may have gone to another program since); only a change
// of the active form fires Activate.
void Runtime::makeActive(Form& form) {
    const bool changed = active_ != &form;
    active_ = &form;
    form.notify(Prop::Focus);
    if (changed && form.onActivate) form.onActivate();
}

void Runtime::formHidden(Form& form) {
    if (active_ == &form) active_ = nullptr;
}

void Runtime::formLoaded(Form& form) {
    if (std::find(loaded_.begin(), loaded_.end(), &form) == loaded_.end()) loaded_.push_back(&form);
}

void Runtime::formUnloaded(Form& form) {
    loaded_.erase(std::remove(loaded_.begin(), loaded_.end(), &form), loaded_.end());
    formHidden(form);
}

}  // namespace forms
