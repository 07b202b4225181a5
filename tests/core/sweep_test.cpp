// Every combination of the scroll bars' step values runs to its end at each
// speed, with the run-state invariants checked on every tick.
#include "test_support.h"

#include <gtest/gtest.h>

namespace shoutotsu {
namespace {

// What holds on every tick: one phase timer while `start` is hidden, none
// once "クリア" shows, and the parameters locked throughout.
void expectRunningState(MainForm& form) {
    int enabledTimers = 0;
    for (Timer* timer : form.phaseTimers()) {
        enabledTimers += timer->enabled() ? 1 : 0;
    }
    ASSERT_EQ(enabledTimers, form.start.visible() ? 0 : 1);
    ASSERT_EQ(form.start.caption(), form.start.visible() ? "クリア" : "スタート");
    for (ScrollBar* bar : form.parameterScrollBars()) {
        ASSERT_FALSE(bar->enabled());
    }
    ASSERT_EQ(form.kekka.visible(), form.en.visible());
}

TEST(Sweep, EveryStepCombinationRunsToItsEndAtEverySpeed) {
    testing::LoadedForm f;
    MainForm& form = f.form;
    // 4 heights × 4 lengths × 5 × 5 masses × 4 × 4 radii × 3 speeds.
    for (int n = 0; n < 6400 * 3; ++n) {
        int k = n;
        auto next = [&k](int count) {
            const int digit = k % count;
            k /= count;
            return digit;
        };
        const Parameters p{10 + 10 * next(4),          50 + 10 * next(4), 10 + 10 * next(5),
                           10 + 10 * next(5),          8 + 2 * next(4),   8 + 2 * next(4),
                           static_cast<Speed>(next(3))};
        applyParameters(form, p);
        ASSERT_EQ(form.T1mScroll.value(), p.m1Grams);
        ASSERT_TRUE(runExperiment(form, [&](const TickInfo&) { expectRunningState(form); })) << n;
        ASSERT_FALSE(::testing::Test::HasFatalFailure()) << n;
        const std::string& result = form.kekka.caption();
        ASSERT_EQ(result.substr(result.size() - 2), "cm") << n;
        ASSERT_TRUE(form.click(form.start));
    }
    EXPECT_EQ(f.platform.errorReports, 0);
}

} // namespace
} // namespace shoutotsu
