// Whole runs: start, the three phases, the result and clear, on the drawing
// area 9000 twips wide (scale 450) where the figures were worked out by hand.
#include "run/phase_clock.h"
#include "run/result_text.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <map>

namespace shoutotsu {
namespace {

using testing::LoadedForm;
using TickCounts = std::array<int, 3>; // descent, floor run, after the impact

TickCounts runAndCount(MainForm& form) {
    TickCounts counts{};
    EXPECT_TRUE(runExperiment(
        form, [&](const TickInfo& tick) { ++counts[static_cast<size_t>(tick.phase)]; }));
    return counts;
}

// The default slope with the given masses, radii and speed.
MainForm& withBobs(LoadedForm& f, int m1, int m2, int r1 = 10, int r2 = 10,
                   Speed speed = Speed::Medium) {
    applyParameters(f.form, Parameters{20, 60, m1, m2, r1, r2, speed});
    return f.form;
}

TEST(Run, DescentFollowsTheSlope) {
    LoadedForm f;
    MainForm& form = f.form;
    form.click(form.start);
    EXPECT_FALSE(form.scroll(form.T1mScroll, ScrollAction::LineIncrement)); // locked
    // A divisor that makes the first tick's clock exactly the wanted time.
    auto placeAt = [&form](float seconds) {
        form.state.t = F32(0.0f);
        form.state.timeDiv = F32(10.0f / seconds);
        ASSERT_EQ(advancedClock(F32(0.0f), form.MAEtimer, form.state.timeDiv).v, seconds);
        form.tick(form.MAEtimer);
    };
    // A vanishing clock gives exactly the rest position the scene gave.
    form.state.timeDiv = F32(3.0e38f);
    form.tick(form.MAEtimer);
    EXPECT_EQ(form.tamaA.left(), 987.7489f);
    EXPECT_EQ(form.tamaA.top(), 1155.7191f);
    placeAt(0.3f);
    EXPECT_NEAR(form.tamaA.left(), 1611.417, 1e-3);
    EXPECT_NEAR(form.tamaA.top(), 1376.219, 1e-3);
    placeAt(0.6f);
    EXPECT_NEAR(form.tamaA.left(), 3482.422, 1e-3);
    EXPECT_NEAR(form.tamaA.top(), 2037.719, 1e-3);
    // A clock past the descent time ends the phase without moving the bob.
    const float left = form.tamaA.left();
    placeAt(0.61f);
    EXPECT_EQ(form.tamaA.left(), left);
    EXPECT_TRUE(form.NAKAtimer.enabled() && !form.MAEtimer.enabled());
    EXPECT_EQ(form.state.t.v, 0.0f);
}

TEST(Run, FirstTicksOfTheFloorRunAndTheImpactAtFastSpeed) {
    LoadedForm f;
    MainForm& form = f.form;
    form.selectSpeed(Speed::Fast);
    std::map<std::pair<Phase, int>, std::vector<float>> rows;
    ASSERT_TRUE(runExperiment(form, [&](const TickInfo& tick) {
        rows[{tick.phase, tick.tickInPhase}] = {
            tick.clock,       form.tamaA.left(), form.tamaA.top(), form.tamaB.left(),
            form.tamaB.top(), form.en.left(),    form.en.top(),    form.kekka.top()};
    }));
    EXPECT_EQ(rows.at({Phase::Floor, 1}),
              (std::vector<float>{0.01f, 3789.0955f, 2050, 3950, 2050, 7800, 4440, 3720}));
    EXPECT_EQ(rows.at({Phase::After, 1}), (std::vector<float>{0.01f, 3754.4548f, 2050, 4034.6406f,
                                                              2052.2051f, 7800, 4440, 3720}));
    // Landed: the marker on the floor line, the label just above it.
    const auto& after21 = rows.at({Phase::After, 21});
    EXPECT_EQ(after21[0], 0.21000004f);
    EXPECT_EQ(std::vector<float>(after21.begin() + 3, after21.end()),
              (std::vector<float>{5727.4546f, 2862.6443f, 5660, 2950, 2950 - 180}));
    EXPECT_EQ(form.kekka.left(), form.en.left());
    // The tick that ends the run draws nothing new.
    EXPECT_EQ(rows.at({Phase::After, 23})[1], rows.at({Phase::After, 22})[1]);
    EXPECT_EQ(rows.count({Phase::After, 24}), 0u);
}

TEST(Run, TickCountsPerPhaseAtTheThreeSpeeds) {
    const TickCounts expected[] = {{61, 2, 23}, {122, 4, 46}, {182, 6, 68}};
    for (int option : {0, 1, 2}) {
        LoadedForm f;
        f.form.selectSpeed(*speedAt(option));
        EXPECT_EQ(runAndCount(f.form), expected[option]) << "speed option " << option;
    }
}

TEST(Run, ResultIsCutToWholeMillimetres) {
    const std::map<std::pair<int, int>, std::string> expected{
        {{20, 20}, "37.9cm"}, {{10, 50}, "12.6cm"}, {{50, 10}, "63.3cm"}};
    for (const auto& [masses, text] : expected) {
        LoadedForm f;
        MainForm& form = withBobs(f, masses.first, masses.second);
        bool shownBeforeLanding = false;
        runExperiment(form, [&](const TickInfo& tick) {
            shownBeforeLanding |= tick.phase != Phase::After && form.kekka.visible();
        });
        EXPECT_FALSE(shownBeforeLanding);
        EXPECT_EQ(form.kekka.caption(), text);
        EXPECT_TRUE(form.kekka.visible() && form.en.visible() && form.start.visible());
        EXPECT_EQ(form.start.caption(), "クリア");
        EXPECT_FALSE(form.T1mScroll.enabled()); // locked until clear
    }
}

TEST(Run, StrikingBobMovesOnStopsOrGoesBackByTheMasses) {
    // m1 = 0.9 × m2 leaves it practically at rest; 10 g on 50 g sends it back.
    const std::map<std::pair<int, int>, int> direction{
        {{20, 20}, 1}, {{18, 20}, 0}, {{27, 30}, 0}, {{45, 50}, 0}, {{10, 50}, -1}};
    for (const auto& [masses, sign] : direction) {
        LoadedForm f;
        MainForm& form = withBobs(f, masses.first, masses.second, 10, 10, Speed::Fast);
        std::vector<float> lefts;
        bool fell = false;
        ASSERT_TRUE(runExperiment(form, [&](const TickInfo& tick) {
            if (tick.phase == Phase::After) {
                lefts.push_back(form.tamaA.left());
                fell |= form.tamaA.top() != 2050.0f;
            }
        }));
        EXPECT_FALSE(fell) << masses.first << "/" << masses.second;
        const float moved = lefts.back() - lefts.front();
        EXPECT_TRUE(sign > 0   ? moved > 1
                    : sign < 0 ? moved < -100
                               : std::abs(moved) < 0.01f)
            << masses.first << "/" << masses.second << " moved " << moved;
    }
}

TEST(Run, UnequalRadiiStartFallingWhereTheBobsTouched) {
    // A small striking bob on a big struck one leaves the table edge when its
    // centre passes baseX + (wB − wA) / 2 = 4050 + 60.
    LoadedForm f;
    MainForm& form = withBobs(f, 50, 10, 8, 14, Speed::Slow);
    float centreWhenFalling = 0;
    ASSERT_TRUE(runExperiment(form, [&](const TickInfo& tick) {
        if (tick.phase == Phase::After && centreWhenFalling == 0 && form.tamaA.top() > 2090.0f) {
            centreWhenFalling = form.tamaA.left() + form.tamaA.width() / 2;
        }
    }));
    EXPECT_GT(centreWhenFalling, 4110.0f);
    EXPECT_LT(centreWhenFalling, 4110.0f + 30.0f);
}

TEST(Run, ClearRestoresTheSceneAndASecondRunRepeatsTheFirst) {
    LoadedForm f;
    MainForm& form = withBobs(f, 40, 20, 14, 8);
    const std::vector<float> rest{form.tamaA.left(), form.tamaA.top(), form.tamaB.left(),
                                  form.tamaB.top()};
    const TickCounts first = runAndCount(form);
    const std::string firstResult = form.kekka.caption();
    // The page translates a caption by its name: the button's, never the result's.
    EXPECT_EQ(form.start.captionName(), "start:clear");
    EXPECT_EQ(form.kekka.captionName(), "");

    ASSERT_TRUE(form.click(form.start)); // "クリア"
    EXPECT_EQ(form.start.captionName(), "start");
    EXPECT_EQ((std::vector<float>{form.tamaA.left(), form.tamaA.top(), form.tamaB.left(),
                                  form.tamaB.top()}),
              rest);
    EXPECT_FALSE(form.kekka.visible() || form.en.visible());
    EXPECT_EQ(form.start.caption(), "スタート");
    EXPECT_TRUE(form.T1mScroll.enabled() && form.Lscroll.enabled());
    EXPECT_EQ(runAndCount(form), first);
    EXPECT_EQ(form.kekka.caption(), firstResult);
}

// A speed chosen during a run waits for the next run. The page's record
// takes its rows from the report alone, so each run is reported once, as it
// ends, with the values as the learner read them and the speed it ran at.
TEST(Run, ASpeedChosenDuringARunWaitsForTheNextAndEachRunIsReportedOnceWithItsOwn) {
    struct Recorder : RunObserver {
        std::vector<FinishedRun> runs;
        void runFinished(const FinishedRun& run) override { runs.push_back(run); }
    } recorder;
    LoadedForm f;
    MainForm& form = f.form;
    form.setRunObserver(&recorder);
    form.click(form.start);
    form.selectSpeed(Speed::Fast);
    TickCounts counts{};
    Phase phase;
    while (currentPhase(form, phase)) {
        EXPECT_TRUE(recorder.runs.empty()) << "reported before its end";
        form.tick(*form.phaseTimers()[static_cast<size_t>(phase)]);
        ++counts[static_cast<size_t>(phase)];
        form.selectSpeed(Speed::Slow);
    }
    EXPECT_EQ(counts, (TickCounts{122, 4, 46}));
    ASSERT_EQ(recorder.runs.size(), 1u);
    EXPECT_EQ(recorder.runs[0].settings, Parameters{}) << "the defaults, at medium speed";
    EXPECT_EQ(resultText(recorder.runs[0].resultMm), form.kekka.caption());
    EXPECT_EQ(recorder.runs[0].spoken,
              "結果：当てられるぴるての動いた距離は " + form.kekka.caption() + " です。");

    form.click(form.start); // クリア: no second report
    EXPECT_EQ(runAndCount(form), (TickCounts{182, 6, 68}));
    ASSERT_EQ(recorder.runs.size(), 2u);
    EXPECT_EQ(recorder.runs[1].settings.speed, Speed::Slow);
    form.click(form.start);
    form.click(form.start); // a run quit halfway is never reported
    form.tick(form.MAEtimer);
    form.click(form.Command1);
    EXPECT_EQ(recorder.runs.size(), 2u);
}

TEST(Run, QuittingMidRunStopsAtOnce) {
    LoadedForm f;
    MainForm& form = f.form;
    form.click(form.start);
    Phase phase;
    for (int i = 0; i < 130 && currentPhase(form, phase); ++i) {
        form.tick(*form.phaseTimers()[static_cast<size_t>(phase)]);
    }
    ASSERT_TRUE(form.click(form.Command1));
    EXPECT_TRUE(f.platform.unloaded);
    for (Timer* timer : form.phaseTimers()) {
        EXPECT_FALSE(form.tick(*timer));
    }
    EXPECT_FALSE(form.kekka.visible());
}

} // namespace
} // namespace shoutotsu
