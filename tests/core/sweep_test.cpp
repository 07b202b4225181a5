// Every combination of the scroll bars' step values runs to its end at each
// speed, with the run-state invariants checked on every tick.
#include "test_support.h"

#include <gtest/gtest.h>

namespace shoutotsu {
namespace {

using testing::LoadedForm;

// What must hold at every moment of a run, before its final tick.
void expectRunningState(MainForm& form, const Parameters& p) {
    int enabledTimers = 0;
    for (Timer* timer : form.phaseTimers()) {
        enabledTimers += timer->enabled() ? 1 : 0;
    }
    if (form.start.visible()) { // the tick that ended the run
        ASSERT_EQ(enabledTimers, 0);
        ASSERT_EQ(form.start.caption(), "クリア");
    } else {
        ASSERT_EQ(enabledTimers, 1);
        ASSERT_EQ(form.start.caption(), "スタート");
    }
    for (ScrollBar* bar : form.parameterScrollBars()) {
        ASSERT_FALSE(bar->enabled());
    }
    ASSERT_EQ(form.kekka.visible(), form.en.visible());
    ASSERT_EQ(form.T1mScroll.value(), p.m1Grams);
}

TEST(Sweep, EveryStepCombinationRunsToItsEndAtEverySpeed) {
    LoadedForm f;
    MainForm& form = f.form;
    int runs = 0;
    for (int height = 10; height <= 40; height += 10) {
        for (int length = 50; length <= 80; length += 10) {
            for (int m1 = 10; m1 <= 50; m1 += 10) {
                for (int m2 = 10; m2 <= 50; m2 += 10) {
                    for (int r1 = 8; r1 <= 14; r1 += 2) {
                        for (int r2 = 8; r2 <= 14; r2 += 2) {
                            for (Speed speed : {Speed::Fast, Speed::Medium, Speed::Slow}) {
                                const Parameters p{height, length, m1, m2, r1, r2, speed};
                                applyParameters(form, p);
                                ASSERT_TRUE(runExperiment(
                                    form, [&](const TickInfo&) { expectRunningState(form, p); }));
                                ASSERT_EQ(f.platform.errorReports, 0);
                                ASSERT_EQ(form.start.caption(), "クリア");
                                const std::string& result = form.kekka.caption();
                                ASSERT_GE(result.size(), 3u);
                                ASSERT_EQ(result.substr(result.size() - 2), "cm");
                                ASSERT_TRUE(form.click(form.start));
                                ++runs;
                                if (::testing::Test::HasFatalFailure()) {
                                    return;
                                }
                            }
                        }
                    }
                }
            }
        }
    }
    EXPECT_EQ(runs, 6400 * 3);
}

TEST(Sweep, ResultsDoNotDependOnSpeedOrRadius) {
    // The landing distance depends only on the masses and the height.
    LoadedForm f;
    MainForm& form = f.form;
    for (int height : {10, 40}) {
        for (int m1 : {10, 50}) {
            std::string first;
            for (Speed speed : {Speed::Fast, Speed::Slow}) {
                for (int r : {8, 14}) {
                    applyParameters(form, Parameters{height, 70, m1, 30, r, 22 - r, speed});
                    ASSERT_TRUE(runExperiment(form));
                    if (first.empty()) {
                        first = form.kekka.caption();
                    }
                    EXPECT_EQ(form.kekka.caption(), first);
                    form.click(form.start);
                }
            }
        }
    }
}

} // namespace
} // namespace shoutotsu
