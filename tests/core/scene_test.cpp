// The scene from the six parameters, on the drawing area 9000 twips wide
// (scale 450), where every figure has been worked out by hand.
#include "test_support.h"

#include <gtest/gtest.h>

namespace shoutotsu {
namespace {

using testing::LoadedForm;

struct BobPlacement {
    float left, top, width;
};
BobPlacement placementOf(const Shape& bob) { return {bob.left(), bob.top(), bob.width()}; }

TEST(Scene, DefaultsGiveTheRestPositions) {
    LoadedForm f;
    MainForm& form = f.form;
    EXPECT_EQ(form.state.slopeLen.v, 60);
    EXPECT_EQ(form.state.height.v, 20);
    EXPECT_EQ(form.state.run.v, 56.568542f);
    EXPECT_EQ(form.rail.x2(), 1054.4155f);
    EXPECT_EQ(form.rail.y2(), 1350.0f);
    EXPECT_EQ(form.tamaA.width(), 200.0f);
    EXPECT_EQ(form.tamaA.height(), 200.0f);
    EXPECT_EQ(form.tamaA.left(), 987.7489f);
    EXPECT_EQ(form.tamaA.top(), 1155.7191f);
    EXPECT_EQ(form.tamaB.left(), 3950.0f);
    EXPECT_EQ(form.tamaB.top(), 2050.0f);
    for (const Shape* companion : {&form.Shape1, &form.Shape2, &form.en}) {
        EXPECT_EQ(companion->width(), 200.0f);
        EXPECT_EQ(companion->height(), 200.0f);
    }
    // Value labels carry digits only; the units are separate labels.
    EXPECT_EQ(form.ltext.caption(), "60");
    EXPECT_EQ(form.htext.caption(), "20");
    EXPECT_EQ(form.T1r.caption(), "10");
    EXPECT_EQ(form.T2r.caption(), "10");
    EXPECT_EQ(form.T1m.caption(), "20");
    EXPECT_EQ(form.T2m.caption(), "20");
}

TEST(Scene, SteepestAndFlattestSlopes) {
    LoadedForm f;
    MainForm& form = f.form;
    form.scroll(form.Lscroll, ScrollAction::ToMaximum); // L = 50
    form.scroll(form.Hscroll, ScrollAction::ToMinimum); // H = 40
    EXPECT_EQ(form.state.run.v, 30.0f);
    EXPECT_EQ(form.rail.x2(), 2250.0f);
    EXPECT_EQ(form.rail.y2(), 450.0f);
    EXPECT_EQ(form.ltext.caption(), "50");
    EXPECT_EQ(form.htext.caption(), "40");

    form.scroll(form.Lscroll, ScrollAction::ToMinimum); // L = 80
    form.scroll(form.Hscroll, ScrollAction::ToMaximum); // H = 10
    form.scroll(form.T1rScroll, ScrollAction::ToMaximum);
    EXPECT_EQ(form.state.run.v, 79.372536f);
    EXPECT_EQ(form.rail.x2(), 28.23584f);
    EXPECT_EQ(form.tamaA.width(), 280.0f);
    EXPECT_EQ(form.tamaA.left(), -94.26416f); // past the left edge, not clamped
    EXPECT_EQ(form.tamaA.top(), 1521.098f);
}

TEST(Scene, AMassChangeChangesOnlyItsLabel) {
    LoadedForm f;
    MainForm& form = f.form;
    std::vector<std::pair<std::string, std::string>> before;
    auto snapshot = [&form] {
        std::vector<std::pair<std::string, std::string>> values;
        for (Control* c : form.allControls()) {
            values.emplace_back(c->displayName(), c->caption() + "|" + std::to_string(c->left()) +
                                                      "|" + std::to_string(c->top()) + "|" +
                                                      std::to_string(c->width()));
        }
        values.emplace_back("rail",
                            std::to_string(form.rail.x2()) + std::to_string(form.rail.y2()));
        return values;
    };
    before = snapshot();
    form.scroll(form.T1mScroll, ScrollAction::PageIncrement);
    form.scroll(form.T2mScroll, ScrollAction::ToMaximum);
    const auto after = snapshot();
    ASSERT_EQ(before.size(), after.size());
    for (size_t i = 0; i < before.size(); ++i) {
        const std::string& name = before[i].first;
        if (name == "T1m" || name == "T2m") {
            EXPECT_NE(before[i].second, after[i].second) << name;
        } else {
            EXPECT_EQ(before[i].second, after[i].second) << name;
        }
    }
    EXPECT_EQ(form.T1m.caption(), "30");
    EXPECT_EQ(form.T2m.caption(), "50");
}

TEST(Scene, ARadiusChangeKeepsTheBobsTouchingRailAndTable) {
    LoadedForm f;
    MainForm& form = f.form;
    for (int16_t radius : {8, 12, 14, 9, 13}) {
        form.scroll(form.T1rScroll, ScrollAction::ThumbTo, radius);
        form.scroll(form.T2rScroll, ScrollAction::ThumbTo, static_cast<int16_t>(22 - radius));
        const float wA = form.tamaA.width();
        const float wB = form.tamaB.width();
        EXPECT_EQ(wA, 20.0f * radius);
        EXPECT_EQ(wB, 20.0f * (22 - radius));
        // tamaA's centre lies one radius from the rail's upper end, on the
        // slope's normal: it touches the rail there.
        const double cx = form.tamaA.left() + wA / 2.0;
        const double cy = form.tamaA.top() + wA / 2.0;
        const double distance = std::hypot(cx - form.rail.x2(), cy - form.rail.y2());
        EXPECT_NEAR(distance, wA / 2.0, 1e-3);
        // tamaB stands on baseY centred on baseX, growing up and to both sides.
        EXPECT_EQ(form.tamaB.top() + wB, 2250.0f);
        EXPECT_EQ(form.tamaB.left() + wB / 2, 4050.0f);
        EXPECT_EQ(form.Shape1.width(), wA);
        EXPECT_EQ(form.Shape2.width(), wB);
        EXPECT_EQ(form.en.width(), wB);
        EXPECT_EQ(form.T1r.caption(), std::to_string(radius));
    }
    // The companions keep their top-left corners.
    EXPECT_EQ(form.Shape1.left(), 120.0f);
    EXPECT_EQ(form.Shape1.top(), 480.0f);
    EXPECT_EQ(form.en.left(), 7800.0f);
}

TEST(Scene, UpdateSceneIsAFullRecompute) {
    LoadedForm f;
    MainForm& form = f.form;
    const BobPlacement a = placementOf(form.tamaA);
    form.tamaA.setLeft(1.0f);
    form.tamaB.setTop(2.0f);
    form.UpdateScene();
    EXPECT_EQ(form.tamaA.left(), a.left);
    EXPECT_EQ(form.tamaA.top(), a.top);
    EXPECT_EQ(form.tamaB.top(), 2050.0f);
}

} // namespace
} // namespace shoutotsu
