// Model -> native: what the program sets shows up on the real windows and
// widgets, in pixels, with the look each control kind needs.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QFontInfo>
#include <QGroupBox>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include "qt_test_support.h"

namespace {

using namespace qt_testing;

QColor pixelAt(QWidget* window, int x, int y) {
    return window->grab().toImage().pixelColor(x, y);
}

TEST(FormPeer, OuterGeometryInTwipsBecomesPixelsRoundedHalfToEven) {
    Desktop d;
    TestForm form(d.runtime);
    QWidget* window = showAt(form, 1507.5, 22.5);  // 100.5 and 1.5 pixels
    EXPECT_EQ(window->geometry(), QRect(100, 2, 200, 133));
    form.Move(750, 750, 15, 15);
    settle();
    EXPECT_EQ(window->geometry(), QRect(50, 50, 1, 1));
    EXPECT_TRUE(window->isVisible());
}

TEST(FormPeer, WindowWithoutSizeIsUnmappedUntilItHasOneAgain) {
    Desktop d;
    TestForm form(d.runtime);
    QWidget* window = showAt(form, 0, 0);
    form.Move(0, 0, 0, 300);
    EXPECT_FALSE(window->isVisible());
    EXPECT_TRUE(form.Visible());
    form.Move(0, 0, 4, 4);  // below a pixel: still one pixel on screen
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(window->size(), QSize(1, 1));
    form.Hide();
    form.Move(0, 0, 300, 300);
    EXPECT_FALSE(window->isVisible());
}

TEST(FormPeer, ControlsInAFrameArePlacedInItAndHiddenWithIt) {
    Desktop d;
    TestForm form(d.runtime);
    auto& frame = form.add<forms::Frame>("Frame1");
    auto& option = form.add<forms::OptionButton>("Option1", 0);
    option.setContainer(&frame);
    frame.Move(600, 300, 1500, 900);
    option.Move(150, 240, 600, 225);
    frame.setCaption("枠");
    option.setCaption("左上");
    QWidget* window = showAt(form, 0, 0);
    auto* optionWidget = widgetNamed<QRadioButton>(form, "Option1(0)");
    ASSERT_NE(optionWidget, nullptr);
    EXPECT_EQ(optionWidget->parentWidget(), widgetNamed(form, "Frame1"));
    EXPECT_EQ(optionWidget->geometry(), QRect(10, 16, 40, 15));
    EXPECT_EQ(optionWidget->mapTo(window, QPoint(0, 0)), QPoint(50, 36));
    EXPECT_EQ(widgetNamed<QGroupBox>(form, "Frame1")->title(), "枠");
    frame.setVisible(false);
    EXPECT_FALSE(optionWidget->isVisible());
    EXPECT_TRUE(option.Visible());
    frame.setVisible(true);
    EXPECT_TRUE(optionWidget->isVisible());
}

TEST(FormPeer, CaptionsValuesAndStatesFollowTheModel) {
    Desktop d;
    TestForm form(d.runtime);
    auto& button = form.add<forms::CommandButton>("Command1");
    auto& check = form.add<forms::CheckBox>("Check1");
    auto& text = form.add<forms::TextBox>("Text1");
    button.setDefault(true);
    showAt(form, 0, 0);
    button.setCaption("設");
    button.setEnabled(false);
    check.setValue(2);
    text.setText("ｲﾛﾊ");
    auto* buttonWidget = widgetNamed<QPushButton>(form, "Command1");
    EXPECT_EQ(buttonWidget->text(), "設");
    EXPECT_FALSE(buttonWidget->isEnabled());
    EXPECT_TRUE(buttonWidget->isDefault());
    EXPECT_EQ(widgetNamed<QCheckBox>(form, "Check1")->checkState(), Qt::PartiallyChecked);
    check.setValue(0);
    EXPECT_EQ(widgetNamed<QCheckBox>(form, "Check1")->checkState(), Qt::Unchecked);
    EXPECT_EQ(widgetNamed<QLineEdit>(form, "Text1")->text(), "ｲﾛﾊ");
}

TEST(FormPeer, FontsMapToTheIpaFacesAndPointSizes) {
    Desktop d;
    TestForm form(d.runtime);
    auto& label = form.add<forms::Label>("Label1");
    auto& frame = form.add<forms::Frame>("Frame1");
    auto& inner = form.add<forms::CheckBox>("Check1");
    inner.setContainer(&frame);
    frame.setFont({"ＭＳ Ｐ明朝", 9.75, true, false});
    showAt(form, 0, 0);
    label.setFont({"ＭＳ Ｐゴシック", 8.25, false, true});
    const QFont font = widgetNamed(form, "Label1")->font();
    EXPECT_EQ(QFontInfo(font).family(), "IPAPGothic");
    EXPECT_DOUBLE_EQ(font.pointSizeF(), 8.25);
    EXPECT_TRUE(font.italic());
    EXPECT_EQ(QFontInfo(widgetNamed(form, "Frame1")->font()).family(), "IPAPMincho");
    // The frame's bold face does not leak into what it holds.
    EXPECT_FALSE(widgetNamed(form, "Check1")->font().bold());
}

TEST(FormPeer, OpaqueLabelPaintsItsColoursAndBorder) {
    Desktop d;
    TestForm form(d.runtime);
    auto& status = form.add<forms::Label>("Stetus");
    status.Move(0, 300, 1500, 255);
    status.setBackColor(forms::rgb(0, 128, 0));
    status.setForeColor(forms::rgb(255, 255, 128));
    status.setBordered(true);
    QWidget* window = showAt(form, 0, 0);
    status.setCaption("ヒヨコ");
    settle();
    EXPECT_EQ(pixelAt(window, 50, 28), QColor(0, 128, 0));
    EXPECT_EQ(pixelAt(window, 50, 20), QColor(0, 0, 0));  // the border line
    EXPECT_EQ(widgetNamed<QLabel>(form, "Stetus")->text(), "ヒヨコ");
}

TEST(FormPeer, InvertingLineKeepsWhatLiesUnderItLegible) {
    Desktop d;
    TestForm form(d.runtime);
    form.setBackColor(forms::rgb(255, 255, 255));
    auto& label = form.add<forms::Label>("Label1");
    auto& wide = form.add<forms::Line>("Li", 0);
    auto& thin = form.add<forms::Line>("Li", 1);
    label.Move(0, 0, 1500, 600);
    label.setBackColor(forms::rgb(0, 0, 255));
    wide.setEnds(300, 300, 1200, 300);
    wide.setBorderWidth(10);
    wide.setInverting(true);
    thin.setEnds(0, 1200, 1500, 1200);
    thin.setBorderWidth(2);
    QWidget* window = showAt(form, 0, 0);
    settle();
    EXPECT_EQ(pixelAt(window, 40, 20), QColor(255, 255, 0));  // blue inverted
    EXPECT_EQ(pixelAt(window, 40, 35), QColor(0, 0, 255));    // beside the line
    EXPECT_EQ(pixelAt(window, 50, 80), QColor(0, 0, 0));      // plain black pen
}

TEST(FormPeer, PrintedTextAndPointsAreDrawnAndClearedWithTheBackground) {
    Desktop d;
    TestForm form(d.runtime);
    form.setBackColor(forms::rgb(255, 255, 255));
    QWidget* window = showAt(form, 0, 0);
    form.setForeColor(forms::rgb(255, 0, 0));
    form.setFont({"ＭＳ ゴシック", 20, true, false});
    form.Print("■■");
    form.PSet(1500, 1500, forms::rgb(0, 0, 255));
    settle();
    const QImage image = window->grab().toImage();
    EXPECT_EQ(image.pixelColor(100, 100), QColor(0, 0, 255));
    int red = 0;
    for (int x = 0; x < 60; ++x) red += image.pixelColor(x, 15) == QColor(255, 0, 0);
    EXPECT_GT(red, 10);
    form.setBackColor(forms::rgb(255, 255, 255));
    settle();
    EXPECT_EQ(pixelAt(window, 100, 100), QColor(255, 255, 255));
}

TEST(FormPeer, ImageIsAnEmptyRectangleWithABorder) {
    Desktop d;
    TestForm form(d.runtime);
    form.setBackColor(forms::rgb(255, 255, 255));
    auto& image = form.add<forms::Image>("Image1");
    image.Move(0, 0, 1500, 600);
    QWidget* window = showAt(form, 0, 0);
    settle();
    EXPECT_EQ(pixelAt(window, 0, 20), QColor(0, 0, 0));
    EXPECT_EQ(pixelAt(window, 99, 20), QColor(0, 0, 0));
    EXPECT_EQ(pixelAt(window, 50, 20), QColor(255, 255, 255));
}

TEST(FormPeer, GraphicalControlsLieUnderWindowedOnes) {
    Desktop d;
    TestForm form(d.runtime);
    auto& button = form.add<forms::CommandButton>("Command1");
    auto& label = form.add<forms::Label>("Label1");
    button.Move(0, 0, 1500, 600);
    label.Move(0, 0, 1500, 600);
    QWidget* window = showAt(form, 0, 0);
    EXPECT_EQ(window->childAt(50, 20), widgetNamed(form, "Command1"));
}

TEST(FormPeer, ControlShownLateTakesItsPlaceInTheStack) {
    Desktop d;
    TestForm form(d.runtime);
    auto& label = form.add<forms::Label>("Label1");
    auto& lower = form.add<forms::CommandButton>("Lower");
    auto& upper = form.add<forms::CommandButton>("Upper");
    for (forms::Control* c :
         {static_cast<forms::Control*>(&label), static_cast<forms::Control*>(&lower),
          static_cast<forms::Control*>(&upper)}) {
        c->Move(0, 0, 1500, 600);
        c->setVisible(false);
    }
    upper.setVisible(true);
    label.setCaption("later");
    QWidget* window = showAt(form, 0, 0);
    EXPECT_EQ(widgetNamed(form, "Lower"), nullptr);  // not made while hidden
    label.setVisible(true);
    lower.setVisible(true);
    EXPECT_EQ(window->childAt(50, 20), widgetNamed(form, "Upper"));
    upper.setVisible(false);
    EXPECT_EQ(window->childAt(50, 20), widgetNamed(form, "Lower"));
    lower.setVisible(false);
    EXPECT_EQ(window->childAt(50, 20), widgetNamed(form, "Label1"));
    EXPECT_EQ(widgetNamed<QLabel>(form, "Label1")->text(), "later");
}

TEST(FormPeer, UpArrowPointerOverMarkedControls) {
    Desktop d;
    TestForm form(d.runtime);
    auto& swatch = form.add<forms::PictureBox>("Nc");
    swatch.setMousePointer(forms::MousePointer::UpArrow);
    form.add<forms::CommandButton>("Plain");
    showAt(form, 0, 0);
    EXPECT_EQ(widgetNamed(form, "Nc")->cursor().shape(), Qt::UpArrowCursor);
    EXPECT_EQ(widgetNamed(form, "Plain")->cursor().shape(), Qt::ArrowCursor);
}

TEST(FormPeer, DialogFrameHasATitleButNoWindowButtons) {
    Desktop d;
    TestForm dialog(d.runtime, forms::FrameStyle::Dialog);
    showAt(dialog, 0, 0);
    const Qt::WindowFlags flags = windowOf(dialog)->windowFlags();
    EXPECT_TRUE(flags & Qt::WindowTitleHint);
    EXPECT_FALSE(flags & Qt::WindowCloseButtonHint);
    EXPECT_FALSE(flags & Qt::WindowMinimizeButtonHint);
    EXPECT_FALSE(flags & Qt::WindowSystemMenuHint);
}

}  // namespace
