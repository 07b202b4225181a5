// Whole runs: start, the three phases, the result and clear, on the drawing
// area 9000 twips wide (scale 450) where the figures were worked out by hand.
#include "run/phase_clock.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <map>

namespace shoutotsu {
namespace {

using testing::LoadedForm;

struct TickCounts {
    int descent = 0, floor = 0, after = 0;
    bool operator==(const TickCounts& o) const {
        return descent == o.descent && floor == o.floor && after == o.after;
    }
};
std::ostream& operator<<(std::ostream& os, const TickCounts& c) {
    return os << c.descent << "/" << c.floor << "/" << c.after;
}

TickCounts runAndCount(MainForm& form) {
    TickCounts counts;
    EXPECT_TRUE(runExperiment(form, [&](const TickInfo& tick) {
        (tick.phase == Phase::Descent ? counts.descent
         : tick.phase == Phase::Floor ? counts.floor
                                      : counts.after)++;
    }));
    return counts;
}

TEST(Run, StartDisablesParametersHidesStartAndArmsTheDescent) {
    LoadedForm f;
    MainForm& form = f.form;
    ASSERT_TRUE(form.click(form.start));
    for (ScrollBar* bar : form.parameterScrollBars()) {
        EXPECT_FALSE(bar->enabled()) << bar->name();
    }
    EXPECT_FALSE(form.start.visible());
    EXPECT_EQ(form.start.caption(), "スタート");
    EXPECT_TRUE(form.MAEtimer.enabled());
    EXPECT_FALSE(form.NAKAtimer.enabled());
    EXPECT_FALSE(form.ATOtimer.enabled());
    EXPECT_EQ(form.state.t.v, 0.0f);
    EXPECT_EQ(form.state.timeDiv.v, 2000.0f); // medium, selected at start-up
    // The scroll bars take no input during the run.
    EXPECT_FALSE(form.scroll(form.T1mScroll, ScrollAction::LineIncrement));
    EXPECT_EQ(form.T1mScroll.value(), 20);
}

TEST(Run, SpeedOptionsChooseTheClockDivisor) {
    for (int option : {0, 1, 2}) {
        LoadedForm f;
        f.form.selectSpeed(option);
        f.form.click(f.form.start);
        EXPECT_EQ(f.form.state.timeDiv.v, 1000.0f * static_cast<float>(option + 1));
    }
}

TEST(Run, DescentFollowsTheSlope) {
    LoadedForm f;
    MainForm& form = f.form;
    form.click(form.start);
    // A divisor that makes the first tick's clock exactly the wanted time.
    auto placeAt = [&form](float seconds) {
        form.state.t = F32(0.0f);
        form.state.timeDiv = F32(10.0f / seconds);
        ASSERT_EQ(advancedClock(F32(0.0f), form.MAEtimer, form.state.timeDiv).v, seconds);
        form.tick(form.MAEtimer);
    };
    // A vanishing clock gives exactly the rest position the scene gave.
    const float restLeft = form.tamaA.left(), restTop = form.tamaA.top();
    form.state.timeDiv = F32(3.0e38f);
    form.tick(form.MAEtimer);
    EXPECT_EQ(form.tamaA.left(), restLeft);
    EXPECT_EQ(form.tamaA.top(), restTop);
    EXPECT_EQ(restLeft, 987.7489f);
    placeAt(0.3f);
    EXPECT_NEAR(form.tamaA.left(), 1611.417, 1e-3);
    EXPECT_NEAR(form.tamaA.top(), 1376.219, 1e-3);
    placeAt(0.6f);
    EXPECT_NEAR(form.tamaA.left(), 3482.422, 1e-3);
    EXPECT_NEAR(form.tamaA.top(), 2037.719, 1e-3);
    // A clock at or past the descent time ends the phase without moving the bob.
    const float left = form.tamaA.left();
    placeAt(0.61f);
    EXPECT_EQ(form.tamaA.left(), left);
    EXPECT_FALSE(form.MAEtimer.enabled());
    EXPECT_TRUE(form.NAKAtimer.enabled());
    EXPECT_EQ(form.state.t.v, 0.0f);
}

TEST(Run, FirstTicksOfTheFloorRunAndTheImpactAtFastSpeed) {
    LoadedForm f;
    MainForm& form = f.form;
    form.selectSpeed(0);
    std::map<std::pair<Phase, int>, std::vector<float>> rows;
    ASSERT_TRUE(runExperiment(form, [&](const TickInfo& tick) {
        rows[{tick.phase, tick.tickInPhase}] = {
            tick.clock,        form.tamaA.left(), form.tamaA.top(),
            form.tamaB.left(), form.tamaB.top(),  form.en.left(),
            form.en.top(),     form.kekka.left(), form.kekka.top()};
    }));
    const auto& floor1 = rows.at({Phase::Floor, 1});
    EXPECT_EQ(floor1[0], 0.01f);
    EXPECT_NEAR(floor1[1], 3789.095, 1e-3);
    EXPECT_EQ(floor1[2], 2050.0f);

    const auto& after1 = rows.at({Phase::After, 1});
    EXPECT_EQ(after1[1], 3754.4548f);
    EXPECT_EQ(after1[2], 2050.0f);
    EXPECT_EQ(after1[3], 4034.6406f);
    EXPECT_EQ(after1[4], 2052.2051f);

    const auto& after21 = rows.at({Phase::After, 21});
    EXPECT_EQ(after21[0], 0.21000004f);
    EXPECT_EQ(after21[3], 5727.4546f);
    EXPECT_EQ(after21[4], 2862.6443f);
    EXPECT_EQ(after21[5], 5660.0f); // the marker on the floor line
    EXPECT_EQ(after21[6], 2950.0f);
    EXPECT_EQ(after21[7], 5660.0f); // the label lines up with the marker
    EXPECT_EQ(after21[8], 2950.0f - 180.0f);
    // The tick that ends the run draws nothing new.
    EXPECT_EQ(rows.at({Phase::After, 23})[1], rows.at({Phase::After, 22})[1]);
    EXPECT_EQ(rows.count({Phase::After, 24}), 0u);
}

TEST(Run, TickCountsPerPhaseAtTheThreeSpeeds) {
    const std::map<int, TickCounts> expected{
        {0, {61, 2, 23}}, {1, {122, 4, 46}}, {2, {182, 6, 68}}};
    for (const auto& [option, counts] : expected) {
        LoadedForm f;
        f.form.selectSpeed(option);
        EXPECT_EQ(runAndCount(f.form), counts) << "speed option " << option;
    }
}

TEST(Run, ResultIsCutToWholeMillimetres) {
    struct Case {
        int m1, m2;
        const char* text;
    };
    for (const Case& c : {Case{20, 20, "37.9cm"}, Case{10, 50, "12.6cm"}, Case{50, 10, "63.3cm"}}) {
        LoadedForm f;
        MainForm& form = f.form;
        Parameters p;
        p.m1Grams = c.m1;
        p.m2Grams = c.m2;
        applyParameters(form, p);
        bool shownBeforeLanding = false;
        runExperiment(form, [&](const TickInfo& tick) {
            if (tick.phase != Phase::After) {
                shownBeforeLanding |= form.kekka.visible() || form.en.visible();
            }
        });
        EXPECT_FALSE(shownBeforeLanding);
        EXPECT_EQ(form.kekka.caption(), c.text);
        EXPECT_TRUE(form.kekka.visible());
        EXPECT_TRUE(form.en.visible());
        // Finished: no timer, "クリア" shown, parameters still locked.
        EXPECT_EQ(form.start.caption(), "クリア");
        EXPECT_TRUE(form.start.visible());
        EXPECT_EQ(form.state.t.v, 0.0f);
        for (Timer* timer : form.phaseTimers()) {
            EXPECT_FALSE(timer->enabled());
        }
        EXPECT_FALSE(form.T1mScroll.enabled());
    }
}

TEST(Run, StrikingBobMovesOnStopsOrGoesBackByTheMasses) {
    struct Case {
        int m1, m2;
        int direction; // +1 forward, 0 practically at rest, -1 back toward the rail
    };
    for (const Case& c : {Case{20, 20, 1}, Case{18, 20, 0}, Case{27, 30, 0}, Case{36, 40, 0},
                          Case{45, 50, 0}, Case{10, 50, -1}}) {
        LoadedForm f;
        MainForm& form = f.form;
        Parameters p;
        p.m1Grams = c.m1;
        p.m2Grams = c.m2;
        p.speed = Speed::Fast;
        applyParameters(form, p);
        float firstLeft = 0, lastLeft = 0;
        bool fell = false;
        ASSERT_TRUE(runExperiment(form,
                                  [&](const TickInfo& tick) {
                                      if (tick.phase != Phase::After || form.start.visible()) {
                                          return;
                                      }
                                      if (tick.tickInPhase == 1) {
                                          firstLeft = form.tamaA.left();
                                      }
                                      lastLeft = form.tamaA.left();
                                      fell |= form.tamaA.top() != 2050.0f;
                                  }))
            << c.m1 << "/" << c.m2;
        EXPECT_FALSE(fell) << c.m1 << "/" << c.m2; // it never leaves the table top here
        const float moved = lastLeft - firstLeft;
        if (c.direction > 0) {
            EXPECT_GT(moved, 1.0f);
        } else if (c.direction < 0) {
            EXPECT_LT(moved, -100.0f);
        } else {
            EXPECT_NEAR(moved, 0.0f, 0.01f) << c.m1 << "/" << c.m2;
        }
    }
}

TEST(Run, UnequalRadiiStartFallingWhereTheBobsTouched) {
    // A small striking bob on a big struck one leaves the table edge a little
    // right of baseX; with 50 g on 10 g it falls before the run ends.
    LoadedForm f;
    MainForm& form = f.form;
    // height, length, m1, m2, r1, r2, speed
    applyParameters(form, Parameters{20, 60, 50, 10, 8, 14, Speed::Slow});
    float centreWhenFalling = 0;
    ASSERT_TRUE(runExperiment(form, [&](const TickInfo& tick) {
        if (tick.phase == Phase::After && centreWhenFalling == 0 && form.tamaA.top() > 2090.0f) {
            centreWhenFalling = form.tamaA.left() + form.tamaA.width() / 2;
        }
    }));
    ASSERT_NE(centreWhenFalling, 0.0f);
    // Leaves when its centre passes baseX + (wB − wA) / 2 = 4050 + 60.
    EXPECT_GT(centreWhenFalling, 4110.0f);
    EXPECT_LT(centreWhenFalling, 4110.0f + 30.0f);
}

TEST(Run, ClearRestoresTheSceneAndASecondRunRepeatsTheFirst) {
    LoadedForm f;
    MainForm& form = f.form;
    applyParameters(form, Parameters{20, 60, 40, 20, 14, 8, Speed::Medium});
    const float aLeft = form.tamaA.left(), aTop = form.tamaA.top();
    const float bLeft = form.tamaB.left(), bTop = form.tamaB.top();
    const TickCounts first = runAndCount(form);
    const std::string firstResult = form.kekka.caption();
    ASSERT_NE(form.tamaB.left(), bLeft);

    ASSERT_TRUE(form.click(form.start)); // "クリア"
    EXPECT_EQ(form.tamaA.left(), aLeft);
    EXPECT_EQ(form.tamaA.top(), aTop);
    EXPECT_EQ(form.tamaB.left(), bLeft);
    EXPECT_EQ(form.tamaB.top(), bTop);
    EXPECT_FALSE(form.kekka.visible());
    EXPECT_FALSE(form.en.visible());
    EXPECT_EQ(form.start.caption(), "スタート");
    EXPECT_TRUE(form.start.visible());
    for (ScrollBar* bar : form.parameterScrollBars()) {
        EXPECT_TRUE(bar->enabled());
    }
    EXPECT_EQ(form.kekka.caption(), firstResult); // nothing sets the caption back

    const TickCounts again = runAndCount(form);
    EXPECT_EQ(again, first);
    EXPECT_EQ(form.kekka.caption(), firstResult);
}

TEST(Run, ASpeedChangeDuringARunWaitsForTheNextRun) {
    LoadedForm f;
    MainForm& form = f.form;
    form.click(form.start);
    form.selectSpeed(0);
    TickCounts counts;
    Phase phase;
    while (currentPhase(form, phase)) {
        Timer& timer = phase == Phase::Descent ? form.MAEtimer
                       : phase == Phase::Floor ? form.NAKAtimer
                                               : form.ATOtimer;
        form.tick(timer);
        (phase == Phase::Descent ? counts.descent
         : phase == Phase::Floor ? counts.floor
                                 : counts.after)++;
        form.selectSpeed(2);
    }
    EXPECT_EQ(counts, (TickCounts{122, 4, 46}));
    form.click(form.start);
    EXPECT_EQ(runAndCount(form), (TickCounts{182, 6, 68}));
}

TEST(Run, QuittingMidRunStopsAtOnce) {
    LoadedForm f;
    MainForm& form = f.form;
    form.click(form.start);
    for (int i = 0; i < 130; ++i) {
        form.tick(form.MAEtimer.enabled() ? form.MAEtimer : form.NAKAtimer);
    }
    ASSERT_TRUE(form.NAKAtimer.enabled() || form.ATOtimer.enabled());
    ASSERT_TRUE(form.click(form.Command1));
    EXPECT_TRUE(f.platform.unloaded);
    EXPECT_TRUE(form.unloaded());
    for (Timer* timer : form.phaseTimers()) {
        EXPECT_FALSE(timer->enabled());
        EXPECT_FALSE(form.tick(*timer));
    }
    EXPECT_FALSE(form.kekka.visible());
    EXPECT_EQ(f.platform.errorReports, 0);
}

} // namespace
} // namespace shoutotsu
