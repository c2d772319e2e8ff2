// The window model: containers, option groups, labels sized to text, focus,
// echo suppression, and the shared number helpers.
#include <gtest/gtest.h>

#include "forms/form.h"
#include "forms/numeric.h"
#include "forms/runtime.h"
#include "platform/headless/headless_platform.h"

namespace {

using platform::headless::HeadlessPlatform;

class Sample : public forms::Form {
  public:
    explicit Sample(forms::Runtime& rt) : forms::Form(rt, "sample", {}, 3000, 2000) {}
    forms::Frame& frameA = add<forms::Frame>("FrameA");
    forms::ControlArray<forms::OptionButton> inA = addArray<forms::OptionButton>("InA", 2);
    forms::ControlArray<forms::OptionButton> loose = addArray<forms::OptionButton>("Loose", 2);
    forms::Label& label = add<forms::Label>("Label");
    forms::CommandButton& first = add<forms::CommandButton>("First");
    forms::CommandButton& second = add<forms::CommandButton>("Second");
    forms::CheckBox& check = add<forms::CheckBox>("Check");
};

struct CountingPeer : forms::FormPeer {
    int* changes;
    explicit CountingPeer(int* counter) : changes(counter) {}
    void formChanged(forms::Prop) override { ++*changes; }
    void controlChanged(forms::Control&, forms::Prop) override { ++*changes; }
};

// A desktop whose peers count what the model tells them.
struct CountingDesktop : HeadlessPlatform {
    int changes = 0;
    std::unique_ptr<forms::FormPeer> createPeer(forms::Form&) override {
        return std::make_unique<CountingPeer>(&changes);
    }
};

class FormsTest : public ::testing::Test {
  protected:
    CountingDesktop desktop;
    forms::Runtime runtime{desktop};
    Sample form{runtime};
    void SetUp() override {
        for (int i = 0; i < 2; ++i) form.inA[i].setContainer(&form.frameA);
        int tab = 10;
        for (const auto& c : form.controls()) c->setTabIndex(tab++);
        form.first.setTabIndex(1);
        form.second.setTabIndex(0);
    }
};

TEST_F(FormsTest, FrameHidesWhatItHoldsWithoutHidingIt) {
    form.frameA.setVisible(false);
    EXPECT_TRUE(form.inA[0].Visible());
    EXPECT_FALSE(form.inA[0].isShown());
    EXPECT_TRUE(form.loose[0].isShown());
    form.frameA.setVisible(true);
    EXPECT_TRUE(form.inA[0].isShown());
}

TEST_F(FormsTest, OptionButtonsAreGroupedByTheirContainer) {
    form.inA[0].setValue(true);
    form.loose[0].setValue(true);
    form.inA[1].setValue(true);
    EXPECT_FALSE(form.inA[0].Value());
    EXPECT_TRUE(form.inA[1].Value());
    EXPECT_TRUE(form.loose[0].Value()) << "a button of another container is not cleared";
}

TEST_F(FormsTest, CheckBoxKeepsItsThreeValuesAndRejectsOthers) {
    form.check.setValue(2);
    EXPECT_EQ(form.check.Value(), 2);
    form.check.setValue(7);
    EXPECT_EQ(form.check.Value(), 0);
}

TEST_F(FormsTest, LabelSizedToItsTextFollowsCaptionAndFont) {
    form.label.setCaption("ヒヨコらっぱー");
    form.label.Move(100, 200, 105, 180);
    form.label.setAutoSize(true);
    EXPECT_EQ(form.label.Width(), 105) << "measured only once its form is shown";
    form.Show();
    EXPECT_GT(form.label.Width(), 105) << "a caption set before AutoSize is measured too";
    form.label.setAutoSize(false);
    form.label.Move(100, 200, 105, 180);
    form.label.setFont({"ＭＳ Ｐ明朝", 9, true, false});
    form.label.setAutoSize(true);
    form.label.setCaption("ヒヨコ");
    double narrow = form.label.Width();
    EXPECT_GT(narrow, 105);
    EXPECT_EQ(form.label.Left(), 100);
    form.label.setFontSize(18);
    EXPECT_GT(form.label.Width(), narrow);
}

TEST_F(FormsTest, CentredLabelGrowsAboutItsCentre) {
    form.label.Move(3000, 1440, 105, 180);
    form.label.setAlignment(forms::Alignment::Center);
    form.label.setAutoSize(true);
    EXPECT_EQ(form.label.Width(), 105) << "an empty label keeps its design size";
    form.label.setCaption("ヒヨコらっぱーVer1.96");
    EXPECT_DOUBLE_EQ(form.label.Left() + form.label.Width() / 2, 3000 + 105 / 2.0);
}

TEST_F(FormsTest, FocusLeavesAControlThatIsHiddenOrDisabled) {
    form.Show();
    EXPECT_EQ(form.ActiveControl(), &form.second) << "lowest tab index first";
    form.second.setVisible(false);
    EXPECT_EQ(form.ActiveControl(), &form.first);
    form.second.setVisible(true);
    form.second.SetFocus();
    form.second.setEnabled(false);
    EXPECT_EQ(form.ActiveControl(), &form.first);
}

TEST_F(FormsTest, ChangesByTheUserAreNotEchoedToThePeer) {
    form.Load();
    form.label.setCaption("by the program");
    EXPECT_EQ(desktop.changes, 1);
    {
        forms::Form::NoEcho guard(form);
        form.setLeft(1234);
        form.check.setValue(1);
    }
    EXPECT_EQ(form.Left(), 1234);
    EXPECT_EQ(form.check.Value(), 1);
    EXPECT_EQ(desktop.changes, 1);
}

TEST_F(FormsTest, BackColorClearsWhatWasPrinted) {
    form.Print("x");
    form.PSet(10, 20, 0);
    EXPECT_EQ(form.drawList().size(), 2u);
    EXPECT_EQ(form.CurrentX(), 10);
    EXPECT_EQ(form.CurrentY(), 20);
    form.setBackColor(forms::rgb(1, 2, 3));
    EXPECT_TRUE(form.drawList().empty());
}

TEST(Numeric, RoundsHalvesToEven) {
    EXPECT_EQ(forms::roundHalfEven(0.5), 0);
    EXPECT_EQ(forms::roundHalfEven(1.5), 2);
    EXPECT_EQ(forms::roundHalfEven(2.5), 2);
    EXPECT_EQ(forms::roundHalfEven(-0.5), 0);
    EXPECT_EQ(forms::roundHalfEven(-1.5), -2);
    EXPECT_EQ(forms::roundHalfEven(2.4999), 2);
    EXPECT_EQ(forms::roundHalfEven(177 + 4.75 * 9), 220);
    EXPECT_EQ(forms::roundToInt32(1e12), 2147483647);
}

TEST(Numeric, MapsSingleByteShiftJisKana) {
    EXPECT_EQ(forms::sjisSingleByteChar(0xB1), "ｱ");
    EXPECT_EQ(forms::sjisSingleByteChar(0xA1), "｡");
    EXPECT_EQ(forms::sjisSingleByteChar(0xDF), "ﾟ");
    EXPECT_EQ(forms::sjisSingleByteChar(65), "A");
    EXPECT_EQ(forms::sjisSingleByteChar(0x80), "");
    EXPECT_EQ(forms::utf8Chars("aｱ滅").size(), 3u);
}

}  // namespace
