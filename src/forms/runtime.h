// The program's view of its windows: which form is active, loading order,
// and activations that must wait until the current load step has finished.
#pragma once

#include <vector>

namespace platform {
class Platform;
}

namespace forms {

class Form;

class Runtime {
  public:
    explicit Runtime(platform::Platform& platform) : platform_(platform) {}
    platform::Platform& platform() const { return platform_; }

    Form* activeForm() const { return active_; }
    // The program showed a form: it becomes the active form of the program.
    void activateByProgram(Form& form);
    // The user made one of our windows active (a click into it).
    void userActivated(Form& form);
    // A form was hidden or unloaded: it can no longer be the active one.
    void formHidden(Form& form);

    void formLoaded(Form& form);
    void formUnloaded(Form& form);
    const std::vector<Form*>& loadedForms() const { return loaded_; }

    // Load steps nest (loading one form loads others); activations requested
    // inside them are posted so they run after start-up, as on a desktop.
    void beginLoad() { ++loadDepth_; }
    void endLoad() { --loadDepth_; }

  private:
    void makeActive(Form& form);

    platform::Platform& platform_;
    Form* active_ = nullptr;
    std::vector<Form*> loaded_;
    int loadDepth_ = 0;
};

}  // namespace forms
