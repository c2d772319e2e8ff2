// What the form draws itself: its background, what the program printed
// and plotted on it, and the windowless controls (transparent labels, the
// bordered image, lines) in creation order on the form or on their frame.
// Also the colours the standard controls ask their parent for.
#include <algorithm>

#include "forms/controls.h"
#include "platform/win32/win32_form_window.h"
#include "platform/win32/win32_text.h"
#include "platform/win32/win32_units.h"

namespace platform::win32 {

namespace {

COLORREF colorOr(const std::optional<forms::Color>& color, int systemColor) {
    return color ? COLORREF(*color & 0xFFFFFF) : GetSysColor(systemColor);
}

void drawText(HDC dc, const std::string& text, RECT rect, UINT format) {
    const std::u16string wide = toUtf16(text);
    DrawTextW(dc, reinterpret_cast<LPCWSTR>(wide.c_str()), int(wide.size()), &rect,
              format | DT_NOPREFIX);
}

// A wide line in the inverting mode flips what lies beneath, text
// included, so the labels it crosses stay readable.
// The width is in pixels of the model.
void drawLine(HDC dc, const forms::Line& line, POINT origin, int dpi) {
    const int width =
        toDevice(std::max(1, line.BorderWidth()) * double(forms::kTwipsPerPixel), dpi);
    const Pen pen(CreatePen(PS_SOLID, std::max(1, width), RGB(0, 0, 0)));
    Selected selected(dc, pen);
    const int oldMode = SetROP2(dc, line.inverting() ? R2_NOT : R2_COPYPEN);
    MoveToEx(dc, toDevice(line.X1(), dpi) - origin.x, toDevice(line.Y1(), dpi) - origin.y, nullptr);
    LineTo(dc, toDevice(line.X2(), dpi) - origin.x, toDevice(line.Y2(), dpi) - origin.y);
    SetROP2(dc, oldMode);
}

}  // namespace

COLORREF FormWindow::backColor() const {
    return colorOr(form_.BackColor(), COLOR_BTNFACE);
}

// Painted off screen and copied in one go: the animations repaint every
// few milliseconds and would flicker otherwise.
void FormWindow::paint() {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(hwnd_, &ps);
    RECT client;
    GetClientRect(hwnd_, &client);
    if (client.right > 0 && client.bottom > 0) {
        const MemoryDc memory(CreateCompatibleDC(dc));
        const Bitmap bitmap(CreateCompatibleBitmap(dc, client.right, client.bottom));
        Selected selected(memory, bitmap);
        FillRect(memory, &client, Brush(CreateSolidBrush(backColor())));
        paintDrawList(memory);
        paintSurface(memory, nullptr, POINT{0, 0});
        BitBlt(dc, ps.rcPaint.left, ps.rcPaint.top, ps.rcPaint.right - ps.rcPaint.left,
               ps.rcPaint.bottom - ps.rcPaint.top, memory, ps.rcPaint.left, ps.rcPaint.top,
               SRCCOPY);
    }
    EndPaint(hwnd_, &ps);
}

// After the group box drew itself: the windowless controls inside it.
void FormWindow::paintFrameOverlay(const Child& frame) {
    const WindowDc dc(frame.hwnd);
    const RECT r = childRect(*frame.control);
    paintSurface(dc, static_cast<const forms::Frame*>(frame.control), POINT{r.left, r.top});
}

void FormWindow::paintDrawList(HDC dc) const {
    SetBkMode(dc, TRANSPARENT);
    for (const forms::DrawOp& op : form_.drawList()) {
        const int x = device(op.x), y = device(op.y);
        const COLORREF color = COLORREF(op.color & 0xFFFFFF);
        if (op.kind == forms::DrawOp::Kind::Point) {
            // One pixel of the model, as many device pixels as that takes.
            const int size = std::max(1, device(forms::kTwipsPerPixel));
            const RECT dot{x, y, x + size, y + size};
            FillRect(dc, &dot, Brush(CreateSolidBrush(color)));
            continue;
        }
        Selected font(dc, platform_.font(op.font, dpi_));
        SetTextColor(dc, color);
        const std::u16string text = toUtf16(op.text);
        TextOutW(dc, x, y, reinterpret_cast<LPCWSTR>(text.c_str()), int(text.size()));
    }
}

// `origin` is the surface's top-left in form client pixels.
void FormWindow::paintSurface(HDC dc, const forms::Frame* surface, POINT origin) const {
    SetBkMode(dc, TRANSPARENT);
    for (const Child& child : children_) {
        const forms::Control& c = *child.control;
        if (child.hwnd || surfaceOf(c) != surface || !c.isShown()) continue;
        RECT r = childRect(c);
        OffsetRect(&r, -origin.x, -origin.y);
        switch (c.kind()) {
            case forms::ControlKind::Label: {
                const auto& label = static_cast<const forms::Label&>(c);
                Selected font(dc, platform_.font(label.font(), dpi_));
                SetTextColor(dc, colorOr(label.ForeColor(), COLOR_BTNTEXT));
                UINT format = label.alignment() == forms::Alignment::Center ? DT_CENTER : DT_LEFT;
                // A label sized to its text is one line; wrapping it could only
                // push its last character out where measuring rounds it short.
                format |= label.AutoSize() ? DT_SINGLELINE : DT_WORDBREAK;
                drawText(dc, label.Caption(), r, format);
                break;
            }
            case forms::ControlKind::Image: {
                FrameRect(dc, &r, Brush(CreateSolidBrush(GetSysColor(COLOR_WINDOWFRAME))));
                break;
            }
            case forms::ControlKind::Line:
                drawLine(dc, static_cast<const forms::Line&>(c), origin, dpi_);
                break;
            default:
                break;
        }
    }
}

// Opaque labels, the swatch, check boxes, option buttons and frames take
// their colours from the model; a colour left unset is the system's.
LRESULT FormWindow::controlColors(HDC dc, HWND childWindow, UINT msg) {
    Child* child = childOf(childWindow);
    if (!child || msg == WM_CTLCOLOREDIT || msg == WM_CTLCOLORBTN) {
        return DefWindowProcW(hwnd_, msg, reinterpret_cast<WPARAM>(dc),
                              reinterpret_cast<LPARAM>(childWindow));
    }
    const forms::Control& c = *child->control;
    const COLORREF back = colorOr(c.BackColor(), COLOR_BTNFACE);
    SetTextColor(dc, colorOr(c.ForeColor(), COLOR_BTNTEXT));
    SetBkColor(dc, back);
    if (!child->brush || child->brushColor != back) {
        child->brush = Brush(CreateSolidBrush(back));
        child->brushColor = back;
    }
    return reinterpret_cast<LRESULT>(child->brush.get());
}

}  // namespace platform::win32
