// Key and mouse translation tables. Letters and digits share their codes in
// both worlds; the rest is listed here once and read both ways.
#include "platform/qt/qt_keys.h"

#include "forms/types.h"

namespace platform::qt {

namespace {

struct KeyPair {
    int qt;
    int vk;
};

constexpr KeyPair kKeys[] = {
    {Qt::Key_Backspace, 8},    {Qt::Key_Tab, 9},           {Qt::Key_Backtab, 9},
    {Qt::Key_Clear, 12},       {Qt::Key_Return, 13},       {Qt::Key_Enter, 13},
    {Qt::Key_Shift, 16},       {Qt::Key_Control, 17},      {Qt::Key_Alt, 18},
    {Qt::Key_AltGr, 18},       {Qt::Key_Pause, 19},        {Qt::Key_CapsLock, 20},
    {Qt::Key_Escape, 27},      {Qt::Key_Space, 32},        {Qt::Key_PageUp, 33},
    {Qt::Key_PageDown, 34},    {Qt::Key_End, 35},          {Qt::Key_Home, 36},
    {Qt::Key_Left, 37},        {Qt::Key_Up, 38},           {Qt::Key_Right, 39},
    {Qt::Key_Down, 40},        {Qt::Key_Print, 44},        {Qt::Key_Insert, 45},
    {Qt::Key_Delete, 46},      {Qt::Key_Help, 47},         {Qt::Key_Super_L, 91},
    {Qt::Key_Meta, 91},        {Qt::Key_Super_R, 92},      {Qt::Key_Menu, 93},
    {Qt::Key_NumLock, 144},    {Qt::Key_ScrollLock, 145},  {Qt::Key_Semicolon, 186},
    {Qt::Key_Colon, 186},      {Qt::Key_Equal, 187},       {Qt::Key_Plus, 187},
    {Qt::Key_Comma, 188},      {Qt::Key_Less, 188},        {Qt::Key_Minus, 189},
    {Qt::Key_Underscore, 189}, {Qt::Key_Period, 190},      {Qt::Key_Greater, 190},
    {Qt::Key_Slash, 191},      {Qt::Key_Question, 191},    {Qt::Key_QuoteLeft, 192},
    {Qt::Key_AsciiTilde, 192}, {Qt::Key_BracketLeft, 219}, {Qt::Key_BraceLeft, 219},
    {Qt::Key_Backslash, 220},  {Qt::Key_Bar, 220},         {Qt::Key_BracketRight, 221},
    {Qt::Key_BraceRight, 221}, {Qt::Key_Apostrophe, 222},  {Qt::Key_QuoteDbl, 222},
    {Qt::Key_Kanji, 25},       {Qt::Key_Muhenkan, 29},     {Qt::Key_Henkan, 28},
};

// Shifted digits on a US layout report the symbol; the key is the digit.
constexpr KeyPair kShiftedDigits[] = {
    {Qt::Key_ParenRight, '0'},  {Qt::Key_Exclam, '1'},    {Qt::Key_At, '2'},
    {Qt::Key_NumberSign, '3'},  {Qt::Key_Dollar, '4'},    {Qt::Key_Percent, '5'},
    {Qt::Key_AsciiCircum, '6'}, {Qt::Key_Ampersand, '7'}, {Qt::Key_Asterisk, '8'},
    {Qt::Key_ParenLeft, '9'},
};

// The numeric keypad has codes of its own.
int keypadKey(int qtKey) {
    if (qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9) return 96 + (qtKey - Qt::Key_0);
    switch (qtKey) {
        case Qt::Key_Asterisk:
            return 106;
        case Qt::Key_Plus:
            return 107;
        case Qt::Key_Minus:
            return 109;
        case Qt::Key_Period:
            return 110;
        case Qt::Key_Comma:
            return 110;
        case Qt::Key_Slash:
            return 111;
        default:
            return 0;
    }
}

}  // namespace

int virtualKeyFromQt(int qtKey, Qt::KeyboardModifiers modifiers) {
    if (modifiers & Qt::KeypadModifier) {
        if (int vk = keypadKey(qtKey)) return vk;
    }
    if (qtKey >= Qt::Key_A && qtKey <= Qt::Key_Z) return 'A' + (qtKey - Qt::Key_A);
    if (qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9) return '0' + (qtKey - Qt::Key_0);
    if (qtKey >= Qt::Key_F1 && qtKey <= Qt::Key_F24) return 112 + (qtKey - Qt::Key_F1);
    for (const auto& pair : kShiftedDigits) {
        if (pair.qt == qtKey) return pair.vk;
    }
    for (const auto& pair : kKeys) {
        if (pair.qt == qtKey) return pair.vk;
    }
    return 0;
}

int qtKeyFromVirtual(int virtualKey) {
    if (virtualKey >= 'A' && virtualKey <= 'Z') return Qt::Key_A + (virtualKey - 'A');
    if (virtualKey >= '0' && virtualKey <= '9') return Qt::Key_0 + (virtualKey - '0');
    if (virtualKey >= 112 && virtualKey <= 135) return Qt::Key_F1 + (virtualKey - 112);
    for (const auto& pair : kKeys) {
        if (pair.vk == virtualKey) return pair.qt;
    }
    return 0;
}

char typedTextOfVirtual(int virtualKey) {
    if (virtualKey >= 'A' && virtualKey <= 'Z') return static_cast<char>(virtualKey - 'A' + 'a');
    if (virtualKey >= '0' && virtualKey <= '9') return static_cast<char>(virtualKey);
    if (virtualKey == 32) return ' ';
    if (virtualKey == 13) return '\r';
    return 0;
}

int shiftBits(Qt::KeyboardModifiers modifiers) {
    int bits = 0;
    if (modifiers & Qt::ShiftModifier) bits |= forms::kShiftMask;
    if (modifiers & Qt::ControlModifier) bits |= forms::kCtrlMask;
    if (modifiers & Qt::AltModifier) bits |= forms::kAltMask;
    return bits;
}

int buttonNumber(Qt::MouseButton button) {
    switch (button) {
        case Qt::LeftButton:
            return forms::kLeftButton;
        case Qt::RightButton:
            return forms::kRightButton;
        case Qt::MiddleButton:
            return forms::kMiddleButton;
        default:
            return 0;
    }
}

int buttonBits(Qt::MouseButtons buttons) {
    int bits = 0;
    if (buttons & Qt::LeftButton) bits |= forms::kLeftButton;
    if (buttons & Qt::RightButton) bits |= forms::kRightButton;
    if (buttons & Qt::MiddleButton) bits |= forms::kMiddleButton;
    return bits;
}

}  // namespace platform::qt
