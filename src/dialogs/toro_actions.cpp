// The registration dialog at work: fill, browse, confirm, cancel, keys.
#include "dialogs/toro.h"
#include "forms/keys.h"
#include "forms/numeric.h"
#include "panel/ranch.h"
#include "platform/platform.h"
#include "settings/spm.h"
#include "shell/app.h"

namespace dialogs {

namespace {
constexpr int kOpenFileOptions = 0x28100C;
}

void Toro::Form_Activate() {
    NICE.Flags = kOpenFileOptions;
    if (!entryIndexValid()) return;
    const auto i = static_cast<std::size_t>(entryIndex());
    const auto& table = app_.spm().EntryTable;
    Title.setText(table.APName[i]);
    ComLine.setText(table.Exe[i]);
    EXEPath.setText(table.APPath[i]);
}

void Toro::Command1_Click() {
    auto chosen = app_.platform().openFile({this, NICE.DialogTitle, NICE.Filter, NICE.Flags});
    if (!chosen) return;  // cancelled: the boxes keep their text
    ComLine.setText(chosen->path);
    auto path = forms::utf8Chars(ComLine.Text());
    auto name = forms::utf8Chars(chosen->fileTitle);
    if (path.size() < name.size()) return;
    std::string folder;
    for (std::size_t k = 0; k < path.size() - name.size(); ++k) folder += path[k];
    EXEPath.setText(folder);
}

void Toro::Command2_Click() {
    auto& spm = app_.spm();
    if (entryIndexValid()) {
        const auto i = static_cast<std::size_t>(entryIndex());
        spm.EntryTable.APName[i] = Title.Text();
        spm.EntryTable.Exe[i] = ComLine.Text();
        spm.EntryTable.APPath[i] = EXEPath.Text();
    }
    Hide();
    auto& ranch = app_.ranch();
    if (ranch.Bnk.Value() == 1) spm.SaveSettings();
    ranch.Show();
}

void Toro::Command3_Click() {
    Hide();
    app_.ranch().Show();
}

void Toro::KHAN(std::int32_t KeyCode) {
    if (KeyCode == forms::keys::kReturn) Command2_Click();
    if (KeyCode == forms::keys::kEscape) Command3_Click();
}

// A close by the window system acts as cancel, so the panel comes back.
void Toro::Form_QueryUnload() {
    Command3_Click();
}

}  // namespace dialogs
