// ranch: the launcher panel. One window with two views: the launcher view
// (slots, box tabs, status line) and the settings view. Its handlers are
// split by concern over the ranch_*.cpp files.
#pragma once

#include <string>

#include "forms/form.h"

namespace shell {
class App;
}

namespace panel {

// The settings of the panel's colour-dialog component.
struct ColorDialogSettings {
    std::string DialogTitle;
    int Flags;
};

class Ranch : public forms::Form {
  public:
    explicit Ranch(shell::App& app);

    // Settings view (hidden at creation but for Sette).
    forms::Frame& YobiWak = add<forms::Frame>("YobiWak");
    forms::ControlArray<forms::OptionButton> Yobidasi_Docchi =
        addArray<forms::OptionButton>("Yobidasi_Docchi", 4);
    forms::Label& NcC = add<forms::Label>("NcC");
    forms::PictureBox& Nc = add<forms::PictureBox>("Nc");
    forms::Frame& BunWak = add<forms::Frame>("BunWak");
    forms::ControlArray<forms::OptionButton> BunBn = addArray<forms::OptionButton>("BunBn", 4);
    forms::CheckBox& MoE = add<forms::CheckBox>("MoE");
    forms::CheckBox& Jiko = add<forms::CheckBox>("Jiko");
    forms::CheckBox& Bnk = add<forms::CheckBox>("Bnk");
    forms::CheckBox& Tao = add<forms::CheckBox>("Tao");
    forms::ControlArray<forms::Label> VerH = addArray<forms::Label>("VerH", 3);
    forms::ControlArray<forms::Line> Li = addArray<forms::Line>("Li", 4);
    forms::ControlArray<forms::CommandButton> SSave = addArray<forms::CommandButton>("SSave", 3);
    // Always visible.
    forms::CommandButton& Sette = add<forms::CommandButton>("Sette");
    forms::Label& Stetus = add<forms::Label>("Stetus");
    forms::ControlArray<forms::CommandButton> Command1 =
        addArray<forms::CommandButton>("Command1", 10);
    forms::ControlArray<forms::CommandButton> Command2 =
        addArray<forms::CommandButton>("Command2", 10);
    // Invisible.
    // The auto-hide poll of the pointer, while it runs.
    static constexpr int kPollMs = 100;
    forms::Timer& Deta = add<forms::Timer>("Deta");
    const ColorDialogSettings NiceA{"呼び出し点の色設定", 2};

    // Panel and boxes.
    void Form_Load();
    void Form_Activate();
    void SwitchBox(int b);
    // Slot actions and edit modes.
    void Form_KeyDown(int KeyCode, int Shift);
    void Command1_KeyDown(int Index, int KeyCode, int Shift);
    void Command2_KeyDown(int Index, int KeyCode, int Shift);
    void Command1_Click(int Index);
    void Command1_MouseDown(int Index, int Button, int Shift, double X, double Y);
    void Command2_Click(int Index);
    void Command2_MouseDown(int Index, int Button, int Shift, double X, double Y);
    // Status line and hints.
    void Command1_MouseMove(int Index, int Button, int Shift, double X, double Y);
    void Command2_MouseMove(int Index, int Button, int Shift, double X, double Y);
    void Bnk_MouseMove(int Button, int Shift, double X, double Y);
    void BunWak_MouseMove(int Button, int Shift, double X, double Y);
    void Form_MouseMove(int Button, int Shift, double X, double Y);
    // Auto-hide.
    void Form_LostFocus();
    void Form_MouseDown(int Button, int Shift, double X, double Y);
    void Deta_Timer();
    // Settings view.
    void Sette_Click();
    void Sette_KeyDown(int KeyCode, int Shift);
    void Sette_MouseDown(int Button, int Shift, double X, double Y);
    void Sette_MouseMove(int Button, int Shift, double X, double Y);
    void Yobidasi_Docchi_Click(int Index);
    void Yobidasi_Docchi_MouseMove(int Index, int Button, int Shift, double X, double Y);
    void YobiWak_MouseMove(int Button, int Shift, double X, double Y);
    void MoE_MouseMove(int Button, int Shift, double X, double Y);
    void Jiko_MouseMove(int Button, int Shift, double X, double Y);
    void Tao_MouseMove(int Button, int Shift, double X, double Y);
    // The menu of extra options, on 設 in the settings view: at the pointer
    // for a right-click, under 設 for a key.
    void OpenOptionsMenu(bool atPointer);
    bool optionsMenuOpen() const { return optionsMenuOpen_; }
    // Help, exit and save.
    void SSave_Click(int Index);
    // About and colour.
    void Stetus_Click();
    void Stetus_MouseDown(int Button, int Shift, double X, double Y);
    void Stetus_MouseMove(int Button, int Shift, double X, double Y);
    void Nc_Click();
    void NcC_Click();
    void Nc_MouseMove(int Button, int Shift, double X, double Y);
    void NcC_MouseMove(int Button, int Shift, double X, double Y);
    // Files dragged in from other programs.
    void Form_DragEnter();
    void Form_DragLeave();
    void Form_DragDrop(const forms::DroppedFiles& Files, double X, double Y);
    void Command1_DragDrop(int Index, const forms::DroppedFiles& Files, double X, double Y);
    void Command2_DragOver(int Index, double X, double Y);
    // The window's own lost focus: hides the panel unless a drag is over it.
    void WindowLostFocus();

    // The launcher view shows while Sette has its 12-point font.
    bool inLauncherView() const { return Sette.font().Size == 12; }
    // Sette shown and enabled, EditState 0-99.
    bool inPlainState() const;

  private:
    void LayOut();
    void WireEvents();
    void ReturnToPlainState();
    void ShowSettingsControls(bool show);  // lines, version labels, commands
    void ShowLauncherControls(bool show);  // slots and tabs
    void StartPollIfTao();
    // Shows a hint unless the status line already shows that of `id`.
    void ShowHint(std::int32_t id, const std::string& text);
    void WireDropEvents();
    void EndDrag();
    void RegisterThroughDialog(int slot, const forms::DroppedFile& file);
    void FillEmptySlotsFrom(int slot, const forms::DroppedFiles& files);

    shell::App& app_;
    bool dragOver_ = false;         // a drag from another program is over the panel
    bool lostFocusInDrag_ = false;  // and the window lost the focus meanwhile
    bool optionsMenuOpen_ = false;  // the menu belongs to the panel: it stays meanwhile
};

}  // namespace panel
