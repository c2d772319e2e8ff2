// Plain value types of the window model: colours, fonts, frames, property ids.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace forms {

// 24-bit colour with red in the low byte, as the store keeps it.
using Color = std::int32_t;

constexpr Color rgb(int r, int g, int b) {
    return (r & 0xFF) | ((g & 0xFF) << 8) | ((b & 0xFF) << 16);
}
constexpr int redOf(Color c) {
    return c & 0xFF;
}
constexpr int greenOf(Color c) {
    return (c >> 8) & 0xFF;
}
constexpr int blueOf(Color c) {
    return (c >> 16) & 0xFF;
}

// An unset face means the platform's default font for that kind of control.
struct Font {
    std::string Name;
    double Size = 9;
    bool Bold = false;
    bool Italic = false;
    bool operator==(const Font&) const = default;
};

// A file, folder or shortcut dragged in from another program.
struct DroppedFile {
    std::string path;  // full path, UTF-8
    std::string name;  // its bare name, as the file system shows it
    bool isFolder = false;
    std::string desktopEntry;  // a Linux desktop entry's text, as the backend read it
};
using DroppedFiles = std::vector<DroppedFile>;

enum class FrameStyle {
    None,        // borderless
    ToolWindow,  // fixed tool-window frame with a small title bar
    Dialog,      // fixed dialog frame with a title bar
    DialogBare,  // fixed dialog frame, no title bar
};

// Which property of a form or control changed; tells a peer what to redraw.
enum class Prop {
    Geometry,
    Caption,
    Text,
    Value,
    BackColor,
    ForeColor,
    Font,
    Visible,
    Enabled,
    Interval,
    Focus,
    Drawing,  // a form's print/point list
    Topmost,
    WindowState,
};

enum class ControlKind {
    Timer,
    TextBox,
    CommandButton,
    Label,
    OptionButton,
    CheckBox,
    Frame,
    PictureBox,
    Image,
    Line,
};

// A form's WindowState, with the classic values.
constexpr int kWindowNormal = 0;
constexpr int kWindowMinimized = 1;

enum class Alignment { Left, Center };

enum class MousePointer { Default, UpArrow };

constexpr int kTwipsPerPixel = 15;

// Mouse buttons and shift bits as the events carry them.
constexpr int kLeftButton = 1;
constexpr int kRightButton = 2;
constexpr int kMiddleButton = 4;
constexpr int kShiftMask = 1;
constexpr int kCtrlMask = 2;
constexpr int kAltMask = 4;

}  // namespace forms
