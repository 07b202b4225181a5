// Start-up fits the window to the screen and lays out the controls.
#include "test_support.h"

#include <gtest/gtest.h>

#include <cmath>

namespace shoutotsu {
namespace {

using testing::LoadedForm;

TEST(StartUp, A1024By768ScreenCentresTheWindowAfterOnePass) {
    LoadedForm f({15360.0f, 11520.0f});
    MainForm& form = f.form;
    EXPECT_EQ(form.main.width(), 14592.0f);
    EXPECT_EQ(form.work.width(), 14232.0f);
    EXPECT_EQ(form.work.height(), 5692.8f);
    EXPECT_EQ(form.main.height(), 8467.8f);
    EXPECT_EQ(form.main.left(), 384.0f);
    EXPECT_EQ(form.main.top(), 11520.0f / 2 - 8467.8f / 2 - 120);
    EXPECT_NEAR(form.main.top(), 1406.1, 0.01);
    EXPECT_EQ(form.work.left(), 120.0f);
    EXPECT_EQ(form.work.top(), 720.0f);

    // The bottom row with 120-twip gaps, and the start column.
    const float row = 720.0f + 5692.8f + 120.0f;
    EXPECT_EQ(form.T1Frame.top(), row);
    EXPECT_EQ(form.T2Frame.top(), row);
    EXPECT_EQ(form.RFrame.top(), row);
    EXPECT_EQ(form.T1Frame.left(), 120.0f);
    EXPECT_EQ(form.T2Frame.left(), 2415.0f);
    EXPECT_EQ(form.RFrame.left(), 4710.0f);
    EXPECT_EQ(form.start.left(), 7125.0f);
    EXPECT_EQ(form.start.top(), row + 120.0f);
    EXPECT_EQ(form.SPFrame.left(), 7125.0f);
    EXPECT_EQ(form.SPFrame.top(), form.start.top() + 480.0f);
    EXPECT_EQ(form.Command1.left(), 14592.0f - 1095.0f - 240.0f);
    EXPECT_EQ(form.subtitle2.left(), 14232.0f - 5655.0f - 360.0f);
    EXPECT_EQ(form.subtitle1.left(), form.subtitle2.left() - 240.0f);
}

TEST(StartUp, AWideLowScreenShrinksSixTimesAndIsNotCentred) {
    LoadedForm f({19200.0f, 7200.0f});
    MainForm& form = f.form;
    // w = 19200 × 0.9⁶ = 10203.6672 after six shrinks.
    const double w = 19200.0 * 0.9 * 0.9 * 0.9 * 0.9 * 0.9 * 0.9;
    EXPECT_EQ(form.main.left(), static_cast<float>(w / 40));
    EXPECT_EQ(form.main.width(), static_cast<float>(w * 19 / 20));
    EXPECT_NEAR(form.main.width(), 9693.5, 0.1);
    EXPECT_NEAR(form.main.height(), 6508.4, 0.1);
    EXPECT_NEAR(form.main.left(), 255.1, 0.1);
    EXPECT_LE(form.main.height(), 6660.0f);
    const float rightMargin = 19200.0f - form.main.left() - form.main.width();
    EXPECT_NEAR(rightMargin, 9251.4, 0.1);
}

TEST(StartUp, DefaultsStateAndStaticFigures) {
    LoadedForm f;
    MainForm& form = f.form;
    const SimState& s = form.state;
    EXPECT_EQ(s.scale.v, 450.0f);
    EXPECT_EQ(s.baseX.v, 4050.0f);
    EXPECT_EQ(s.baseY.v, 2250.0f);
    std::vector<int> values;
    for (ScrollBar* bar : form.parameterScrollBars()) {
        values.push_back(bar->value());
    }
    EXPECT_EQ(values, (std::vector<int>{20, 20, 10, 10, 30, 70}));
    EXPECT_TRUE(form.sp[1].value());

    // The table spans units 1 to 9 and 5 to 7; the floor ends half a unit
    // inside both edges; the level rail piece lies 2 twips above the table.
    EXPECT_EQ(form.hako.left(), 450.0f);
    EXPECT_EQ(form.hako.width(), 3600.0f);
    EXPECT_EQ(form.hako.height(), 900.0f);
    EXPECT_EQ(form.yukaA.x1(), 225.0f);
    EXPECT_EQ(form.yukaA.x2(), 9000.0f - 225.0f);
    EXPECT_EQ(form.yukaB.left() + form.yukaB.width(), form.yukaA.x2());
    EXPECT_EQ(form.yukaB.height(), 112.5f);
    EXPECT_EQ(form.rail.x1(), 3600.0f);
    EXPECT_EQ(form.rail2.y1(), 2248.0f);
    EXPECT_EQ(form.varcopy.caption().rfind("var.1.1.0   (C) ", 0), 0u);
}

// 1024×768 at a scale factor of 2: even the narrowest layout is taller than
// the screen, so the window starts at its top edge instead of above it.
TEST(StartUp, AScreenTooLowForTheWindowKeepsItsCaptionBarOnIt) {
    LoadedForm f({7680.0f, 5760.0f});
    MainForm& form = f.form;
    EXPECT_EQ(form.main.width(), kMinWindowWidthTwips);
    EXPECT_GT(form.main.height(), 5760.0f * 0.925f);
    EXPECT_EQ(form.main.top(), 0.0f);
    EXPECT_EQ(form.main.left(), static_cast<float>(kMinWindowWidthTwips * 20.0f / 19.0f) / 40.0f);
}

// Fits one screen and checks the loop's promises.
void expectFitted(float widthTwips, float heightTwips) {
    HeadlessPlatform platform({widthTwips, heightTwips});
    MainForm form(platform);
    form.load();
    ASSERT_FALSE(form.halted()) << widthTwips << "x" << heightTwips;
    ASSERT_GT(form.work.width(), 0.0f) << widthTwips << "x" << heightTwips;
    ASSERT_GE(form.main.width(), kMinWindowWidthTwips * 0.999f);
    ASSERT_GE(form.main.top(), 0.0f) << widthTwips << "x" << heightTwips;
    const float limit = static_cast<float>(static_cast<double>(heightTwips) * 0.925);
    // Either the window fits the screen's height, or it cannot get narrower.
    if (form.main.height() > limit) {
        ASSERT_LT(form.main.width() * 0.9f, kMinWindowWidthTwips)
            << widthTwips << "x" << heightTwips;
    }
}

TEST(StartUp, FittingEndsForEveryScreenSize) {
    // Every width and every height from 1 to 16384 pixels at 15 twips per
    // pixel, each against small, typical and huge sizes of the other side.
    for (int pixels = 1; pixels <= 16384; ++pixels) {
        const float twips = static_cast<float>(pixels) * 15.0f;
        for (float other : {15.0f, 2850.0f, 11520.0f, 245760.0f}) {
            expectFitted(twips, other);
            expectFitted(other, twips);
        }
    }
}

} // namespace
} // namespace shoutotsu
