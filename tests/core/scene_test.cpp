// The scene from the six parameters, on the drawing area 9000 twips wide
// (scale 450), where every figure has been worked out by hand.
#include "test_support.h"

#include <gtest/gtest.h>

#include <cmath>

namespace shoutotsu {
namespace {

using testing::LoadedForm;

TEST(Scene, DefaultsGiveTheRestPositions) {
    LoadedForm f;
    MainForm& form = f.form;
    EXPECT_EQ(form.state.run.v, 56.568542f);
    EXPECT_EQ(form.rail.x2(), 1054.4155f);
    EXPECT_EQ(form.rail.y2(), 1350.0f);
    EXPECT_EQ(form.tamaA.left(), 987.7489f);
    EXPECT_EQ(form.tamaA.top(), 1155.7191f);
    EXPECT_EQ(form.tamaB.left(), 3950.0f);
    EXPECT_EQ(form.tamaB.top(), 2050.0f);
    for (const Shape* bob : {&form.tamaA, &form.tamaB, &form.Shape1, &form.Shape2, &form.en}) {
        EXPECT_EQ(bob->width(), 200.0f);
        EXPECT_EQ(bob->height(), 200.0f);
    }
    // Value labels carry digits only; the units are separate labels.
    std::string captions;
    for (const Control* c :
         {&form.ltext, &form.htext, &form.T1r, &form.T2r, &form.T1m, &form.T2m}) {
        captions += c->caption() + " ";
    }
    EXPECT_EQ(captions, "60 20 10 10 20 20 ");
}

TEST(Scene, SteepestAndFlattestSlopes) {
    LoadedForm f;
    MainForm& form = f.form;
    form.scroll(form.Lscroll, ScrollAction::ToMaximum); // L = 50
    form.scroll(form.Hscroll, ScrollAction::ToMinimum); // H = 40
    EXPECT_EQ(form.state.run.v, 30.0f);
    EXPECT_EQ(form.rail.x2(), 2250.0f);
    EXPECT_EQ(form.rail.y2(), 450.0f);

    form.scroll(form.Lscroll, ScrollAction::ToMinimum); // L = 80
    form.scroll(form.Hscroll, ScrollAction::ToMaximum); // H = 10
    form.scroll(form.T1rScroll, ScrollAction::ToMaximum);
    EXPECT_EQ(form.state.run.v, 79.372536f);
    EXPECT_EQ(form.rail.x2(), 28.23584f);
    EXPECT_EQ(form.tamaA.left(), -94.26416f); // past the left edge, not clamped
    EXPECT_EQ(form.tamaA.top(), 1521.098f);
}

TEST(Scene, AMassChangeChangesOnlyItsLabel) {
    LoadedForm f;
    MainForm& form = f.form;
    auto snapshot = [&form] {
        std::vector<std::string> values;
        for (Control* c : form.allControls()) {
            values.push_back(c->caption() + "|" + std::to_string(c->left()) + "|" +
                             std::to_string(c->top()) + "|" + std::to_string(c->width()));
        }
        values.push_back(std::to_string(form.rail.x2()) + std::to_string(form.rail.y2()));
        return values;
    };
    const auto before = snapshot();
    form.scroll(form.T1mScroll, ScrollAction::PageIncrement);
    const auto after = snapshot();
    for (size_t i = 0; i < before.size(); ++i) {
        EXPECT_EQ(before[i] == after[i], form.allControls()[i] != &form.T1m) << i;
    }
    EXPECT_EQ(form.T1m.caption(), "30");
}

TEST(Scene, ARadiusChangeKeepsTheBobsTouchingRailAndTable) {
    LoadedForm f;
    MainForm& form = f.form;
    for (int16_t radius : {8, 12, 14, 9}) {
        form.scroll(form.T1rScroll, ScrollAction::ThumbTo, radius);
        form.scroll(form.T2rScroll, ScrollAction::ThumbTo, static_cast<int16_t>(22 - radius));
        const float wA = form.tamaA.width();
        const float wB = form.tamaB.width();
        EXPECT_EQ(wA, 20.0f * radius);
        EXPECT_EQ(wB, 20.0f * (22 - radius));
        // tamaA's centre lies one radius from the rail's upper end.
        const double cx = form.tamaA.left() + wA / 2.0;
        const double cy = form.tamaA.top() + wA / 2.0;
        EXPECT_NEAR(std::hypot(cx - form.rail.x2(), cy - form.rail.y2()), wA / 2.0, 1e-3);
        // tamaB stands on baseY centred on baseX.
        EXPECT_EQ(form.tamaB.top() + wB, 2250.0f);
        EXPECT_EQ(form.tamaB.left() + wB / 2, 4050.0f);
        EXPECT_EQ(form.Shape1.width(), wA);
        EXPECT_EQ(form.en.width(), wB);
    }
    EXPECT_EQ(form.en.left(), 7800.0f); // the companions keep their corners
}

} // namespace
} // namespace shoutotsu
