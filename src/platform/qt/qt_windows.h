// How a form's frame style becomes a native top-level window.
#pragma once

#include <QIcon>
#include <Qt>

#include "forms/form.h"

class QWidget;

namespace platform::qt {

class QtPlatform;

// No system menu, minimise, maximise or close button on any of them.
Qt::WindowFlags windowFlagsFor(const forms::FormStyle& style);
// The form's own small icon, drawn here; an empty icon for id 0.
QIcon iconFor(int iconId);
// False on a bare X server and for windows that bypass the window manager.
bool isManagedByWindowManager(QtPlatform& platform, const QWidget& window);
// Before each show: the window's states (off the taskbar, in the topmost
// band), its move-only frame and an empty title, said again because the
// window manager forgets them when the window is hidden.
void prepareToShow(QtPlatform& platform, QWidget& window, const forms::FormStyle& style,
                   bool topmost);

}  // namespace platform::qt
