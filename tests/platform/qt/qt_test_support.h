// What the Qt backend tests share: one platform for the process, and a form
// whose controls a test adds before loading it.
#pragma once

#include <QApplication>
#include <QTest>
#include <QWidget>
#include <string>

#include "forms/form.h"
#include "forms/runtime.h"
#include "platform/qt/qt_form_peer.h"
#include "platform/qt/qt_platform.h"

namespace qt_testing {

// Made once and never destroyed: QApplication must outlive every test.
inline platform::qt::QtPlatform& sharedPlatform() {
    static auto* platform = new platform::qt::QtPlatform();
    return *platform;
}

class TestForm : public forms::Form {
  public:
    explicit TestForm(forms::Runtime& runtime, forms::FrameStyle frame = forms::FrameStyle::None,
                      double width = 3000, double height = 2000)
        : forms::Form(runtime, "testform", {frame, false, 0}, width, height) {}
    using forms::Form::add;
};

struct Desktop {
    platform::qt::QtPlatform& platform = sharedPlatform();
    forms::Runtime runtime{platform};
};

inline QWidget* windowOf(forms::Form& form) {
    return sharedPlatform().peerOf(form)->window();
}

template <class W = QWidget>
W* widgetNamed(forms::Form& form, const std::string& name) {
    QWidget* window = windowOf(form);
    return window->findChild<W*>(QString::fromStdString(name));
}

// Shows the form at a place on the screen and waits until X has it mapped.
inline QWidget* showAt(forms::Form& form, double left, double top) {
    form.Load();
    form.Move(left, top, form.Width(), form.Height());
    form.Show();
    QWidget* window = windowOf(form);
    EXPECT_TRUE(QTest::qWaitForWindowExposed(window));
    return window;
}

// Lets X and Qt catch up (configure and expose events).
inline void settle(int ms = 50) {
    QTest::qWait(ms);
    sharedPlatform().doEvents();
}

}  // namespace qt_testing
