// toro: the registration dialog. Edits one entry, whose 1-based number the
// panel leaves in the dialog's DrawWidth before showing it.
#pragma once

#include <string>

#include "forms/form.h"

namespace shell {
class App;
}

namespace dialogs {

struct EntryTexts;

// The settings of the dialog's open-file component.
struct FileDialogSettings {
    std::string DialogTitle;
    std::string Filter;
    int Flags = 0;
};

class Toro : public forms::Form {
  public:
    explicit Toro(shell::App& app);

    forms::TextBox& Title = add<forms::TextBox>("Title");
    forms::TextBox& ComLine = add<forms::TextBox>("ComLine");
    forms::CommandButton& Command1 = add<forms::CommandButton>("Command1");
    forms::CommandButton& Command2 = add<forms::CommandButton>("Command2");
    forms::CommandButton& Command3 = add<forms::CommandButton>("Command3");
    forms::Label& Label1 = add<forms::Label>("Label1");
    forms::Label& Label2 = add<forms::Label>("Label2");
    forms::TextBox& EXEPath = add<forms::TextBox>("EXEPath");
    forms::Label& Label3 = add<forms::Label>("Label3");
    FileDialogSettings NICE;

    void Form_Activate();
    void Command1_Click();  // browse
    void Command2_Click();  // OK
    void Command3_Click();  // cancel
    // Enter confirms and Escape cancels, from any control of the dialog.
    void KHAN(std::int32_t KeyCode);
    // The window system closed the dialog (Alt+F4 and the like).
    void Form_QueryUnload();
    // The texts a dropped file brings, shown in place of the entry's: OK
    // stores them, cancel forgets them.
    void FillBoxes(const EntryTexts& texts);

  private:
    int entryIndex() const { return DrawWidth() - 1; }
    bool entryIndexValid() const { return entryIndex() >= 0 && entryIndex() < 100; }

    shell::App& app_;
};

}  // namespace dialogs
