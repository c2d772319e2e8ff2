// The splash animation, driven by a fixed sequence of random numbers.
#include <gtest/gtest.h>

#include <vector>

#include "harness.h"

namespace {

using namespace testing_support;

// R, G, B, Px, Py and d come first; later draws get 0.5.
void fixRandom(Program& program, std::vector<double> values) {
    auto next = std::make_shared<std::size_t>(0);
    program.spm().Rnd.setSource(
        [values, next] { return *next < values.size() ? values[(*next)++] : 0.5; });
}

// Counts the spiral's frames: the event turns while the window is 1 twip wide.
int spiralFrames(double dDraw) {
    Program program;
    fixRandom(program, {0.2, 0.4, 0.6, 0.5, 0.5, dDraw});
    int frames = 0;
    program.desktop.onDoEvents = [&] {
        if (program.app.r2Instance() && program.app.r2Instance()->Width() == 1) ++frames;
    };
    program.start();
    return frames;
}

TEST(Splash, SpiralFrameCountFollowsTheStep) {
    EXPECT_EQ(spiralFrames(0.0), 2250) << "d = -2";
    EXPECT_EQ(spiralFrames(0.9999), 643) << "d = -7";
}

TEST(Splash, LoadStepCentresATinyWindowWithTheNameAndVersion) {
    Program program;
    program.app.start();  // the animation has not run yet
    auto& r2 = program.app.r2();
    EXPECT_EQ(r2.Left(), program.spm().ScreenWidthTw / 2.0);
    EXPECT_EQ(r2.Width(), 1);
    EXPECT_EQ(r2.Height(), 1);
    EXPECT_TRUE(r2.Visible());
    std::string name;
    for (int i = 0; i < 7; ++i) name += r2.l[i].Caption();
    EXPECT_EQ(name, "ヒヨコらっぱー");
    EXPECT_EQ(r2.l[7].Caption(), "Ver");
    EXPECT_EQ(r2.l[8].Caption(), "1.96");
    EXPECT_EQ(r2.l[0].Left(), 3825 - 465);
    EXPECT_EQ(r2.l[8].Left(), 3825 - 1065);
    EXPECT_FALSE(r2.animationStarted());
    EXPECT_TRUE(program.sp().Visible()) << "start-up does not wait for the animation";
}

TEST(Splash, LettersGlideToTheirPlacesAndColoursEndBlack) {
    Program program;
    fixRandom(program, {0.2, 0.4, 0.6, 0.3, 0.7, 0.5});
    double firstGlide = -1;
    bool backgroundReached = false;
    program.desktop.onDoEvents = [&] {
        if (!program.app.r2Instance()) return;
        auto& r2 = *program.app.r2Instance();
        if (firstGlide < 0 && r2.l[1].Visible()) firstGlide = r2.l[0].Left();
        if (r2.BackColor() == forms::rgb(51, 102, 153)) backgroundReached = true;
    };
    program.start();
    auto& r2 = *program.app.r2Instance();
    EXPECT_DOUBLE_EQ(firstGlide, 3390 - 3390.0 / 50)
        << "label 0 starts from 3825 minus label 1's width";
    EXPECT_TRUE(backgroundReached) << "R 51, G 102, B 153";
    const double expected[] = {0, 300, 660, 960, 1320, 1620, 1980, 2400, 2760};
    for (int i = 0; i < 9; ++i) EXPECT_DOUBLE_EQ(r2.l[i].Left(), expected[i]) << "label " << i;
    for (int i = 0; i < 9; ++i) EXPECT_EQ(r2.l[i].ForeColor(), 0);
    EXPECT_EQ(r2.BackColor(), 0);
    EXPECT_FALSE(r2.isLoaded()) << "the splash closes itself";
}

TEST(Splash, FliesIntoTheCallPointsCornerOrStaysForAnUnknownCorner) {
    for (int corner : {0, 3, 7}) {
        auto store = std::make_shared<Store>();
        store->set("Hiyokorapper Setting", "MAIN_PLACE", std::to_string(corner));
        Program program(store);
        fixRandom(program, {0.1, 0.1, 0.1, 0.5, 0.5, 0.5});
        double fadedLeft = 0;
        program.desktop.onDoEvents = [&] {
            auto* r2 = program.app.r2Instance();
            if (r2 && r2->l[0].ForeColor() == 0 && r2->BackColor() == 0 && fadedLeft == 0) {
                fadedLeft = r2->Left();
            }
        };
        program.start();
        auto& r2 = *program.app.r2Instance();
        const double sw = program.spm().ScreenWidthTw, sh = program.spm().ScreenHeightTw;
        if (corner == 7) {
            EXPECT_EQ(r2.Left(), fadedLeft);
            EXPECT_GT(r2.Width(), 0);
            continue;
        }
        EXPECT_NEAR(r2.Left(), corner == 3 ? sw : 0, 1e-6) << corner;
        EXPECT_NEAR(r2.Top(), corner == 3 ? sh : 0, 1e-6) << corner;
        EXPECT_NEAR(r2.Width(), 0, 1e-6);
        EXPECT_NEAR(r2.Height(), 0, 1e-6);
    }
}

TEST(Splash, ReactivationDuringTheAnimationStartsNothing) {
    Program program;
    int turns = 0;
    double nestedTook = -1;
    program.desktop.onDoEvents = [&] {
        if (++turns != 100) return;
        const double before = program.desktop.now();
        program.app.r2Instance()->Form_Activate();
        program.app.runtime().userActivated(*program.app.r2Instance());
        nestedTook = program.desktop.now() - before;
    };
    program.start();
    EXPECT_EQ(nestedTook, 0);
    EXPECT_FALSE(program.app.r2Instance()->isLoaded());
}

TEST(Splash, CallPointWorksWhileItPlays) {
    Program program;
    bool opened = false;
    int turns = 0;
    program.desktop.onDoEvents = [&] {
        if (++turns == 500) {
            program.touchCallPoint();
            opened = program.ranch().Visible();
        }
    };
    program.start();
    EXPECT_TRUE(opened);
}

TEST(Splash, LastsAboutAsLongAsItsPauses) {
    Program program;
    fixRandom(program, {0.5, 0.5, 0.5, 0.5, 0.5, 0.0});  // d = -2: the longest spiral
    program.app.start();
    const double before = program.desktop.now();
    program.desktop.advance(1);  // runs the posted activation to its end
    const double took = program.desktop.now() - before;
    // 2250 + 19*7 + 19*10 + 50 + 450 + 500 + 100 + 200 ms of pauses.
    EXPECT_NEAR(took, 3873, 2);
}

}  // namespace
