// A seeded random learner, and every value of every parameter. Replay a
// monkey failure with SHOUTOTSU_MONKEY_SEED=<the seed in the message>.
#include "test_support.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <optional>
#include <random>
#include <sstream>

namespace shoutotsu {
namespace {

using testing::LoadedForm;
constexpr ScreenSize kScreen{15360.0f, 11520.0f};

// The figures and labels the scroll values decide, exact bits via hexfloat.
// The marker keeps its last landing spot while hidden, so only its size counts.
std::string sceneOf(MainForm& f) {
    std::ostringstream out;
    out << std::hexfloat;
    for (Control* c : {&f.tamaA, &f.tamaB, &f.en, &f.Shape1, &f.Shape2}) {
        out << c->name() << ' ' << (c == &f.en ? 0.0f : c->left()) << ' '
            << (c == &f.en ? 0.0f : c->top()) << ' ' << c->width() << ' ' << c->height() << '\n';
    }
    out << "rail " << f.rail.x1() << ' ' << f.rail.y1() << ' ' << f.rail.x2() << ' ' << f.rail.y2()
        << "\nstate " << f.state.slopeLen.v << ' ' << f.state.height.v << ' ' << f.state.run.v;
    for (Control* label : {&f.T1m, &f.T2m, &f.T1r, &f.T2r, &f.htext, &f.ltext}) {
        out << ' ' << label->caption();
    }
    return out.str();
}

// 0 ready, 1..3 animating with phase timer 0..2, 4 finished; "" or the broken rule.
std::string brokenRule(LoadedForm& f, int& state) {
    MainForm& form = f.form;
    const auto timers = form.phaseTimers();
    const auto bars = form.parameterScrollBars();
    const auto on = [](Timer* t) { return t->enabled(); };
    const auto outOfTurn = [&](ScrollBar* b) { return b->enabled() != (state == 0); };
    const auto sp = [&](int i) { return form.sp[size_t(i)].value(); };
    const bool running = !form.start.visible(), cleared = form.start.caption() == "クリア";
    state = running ? 1 + int(std::find_if(timers.begin(), timers.end(), on) - timers.begin())
                    : 4 * cleared;
    return form.halted() || f.platform.errorReports ? "a run-time error"
           : std::count_if(timers.begin(), timers.end(), on) != running
               ? "not one phase timer enabled exactly while start is hidden"
           : form.start.caption() != (state == 4 ? "クリア" : "スタート") ? "the start caption"
           : std::any_of(bars.begin(), bars.end(), outOfTurn) ? "a bar enabled out of turn"
           : sp(0) + sp(1) + sp(2) != 1                       ? "not one speed option selected"
                                                              : "";
}

TEST(Monkey, RandomLearnerKeepsTheRunRules) {
    const char* text = std::getenv("SHOUTOTSU_MONKEY_SEED");
    const uint64_t seed = text && *text ? std::strtoull(text, nullptr, 0) : 20240611;
    std::mt19937_64 rng(seed);
    const auto pick = [&](int lo, int hi) {
        return std::uniform_int_distribution<int>(lo, hi)(rng);
    };
    LoadedForm f(kScreen);
    MainForm& form = f.form;
    int state = 0, clears = 0;
    ASSERT_EQ(brokenRule(f, state), "") << "after start-up";
    for (long n = 0; n < 200000; ++n) {
        const int roll = pick(0, 999), before = state;
        std::ostringstream what;
        bool ok = false;
        if (roll < 760) { // mostly the enabled timer; a disabled one must refuse the tick
            Timer& t =
                *form.phaseTimers()[size_t(state % 4 && pick(0, 19) ? state - 1 : pick(0, 2))];
            what << "tick " << t.name();
            const bool enabled = t.enabled();
            ok = form.tick(t) == enabled;
        } else if (roll < 930) { // arrows, track, Home/End, thumb near the range or anywhere
            ScrollBar& bar = *form.parameterScrollBars()[size_t(pick(0, 5))];
            const int a = pick(0, 6), old = bar.value(), lo = bar.minimum(), hi = bar.maximum();
            const int thumb = pick(0, 2) ? pick(lo - 3, hi + 3) : pick(INT16_MIN, INT16_MAX);
            const int sm = bar.smallChange(), lg = bar.largeChange();
            const int steps[] = {old - sm, old + sm, old - lg, old + lg, lo, hi, thumb};
            const int want = bar.enabled() ? std::clamp(steps[a], lo, hi) : old;
            what << bar.name() << " action " << a << " thumb " << thumb;
            ok = form.scroll(bar, ScrollAction(a), int16_t(thumb)) == (want != old) &&
                 bar.value() == want;
        } else if (roll < 960) { // also outside sp(0..2), which must be refused
            const int i = pick(-1, 3);
            what << "select sp(" << i << ")";
            const std::optional<Speed> speed = speedAt(i);
            ok = (speed && form.selectSpeed(*speed)) == (i >= 0 && i <= 2) &&
                 (i < 0 || i > 2 || form.sp[size_t(i)].value());
        } else { // also while hidden, which must be refused
            what << "click " << form.start.caption();
            const bool clickable = form.start.visible() && form.start.enabled();
            ok = form.click(form.start) == clickable;
        }
        std::string broken = ok ? brokenRule(f, state) : "the action's outcome";
        // Forward one step at a time: the click starts and clears, ticks do the rest.
        const bool jumped =
            state != before && (state != (before + 1) % 5 || (state <= 1) != (roll >= 960));
        if (broken.empty() && jumped)
            broken = "the run state jumped";
        what << " from state " << before << " to " << state << "; SHOUTOTSU_MONKEY_SEED=" << seed
             << ", action #" << n << ' ' << f.platform.lastErrorLine;
        ASSERT_EQ(broken, "") << what.str();
        if (before == 4 && state == 0) { // a clear gives the scene a fresh window has
            ++clears;
            LoadedForm fresh(kScreen);
            for (size_t i = 0; i < 6; ++i)
                fresh.form.scroll(*fresh.form.parameterScrollBars()[i], ScrollAction::ThumbTo,
                                  form.parameterScrollBars()[i]->value());
            ASSERT_EQ(sceneOf(form), sceneOf(fresh.form)) << what.str();
        }
    }
    EXPECT_GE(clears, 200) << "too few whole runs; SHOUTOTSU_MONKEY_SEED=" << seed;
}

// Each integer of each parameter's range (its scroll bar's), the other five at
// every mix of their extremes.
TEST(EveryParameterValue, RunsToItsEndAtEverySpeed) {
    LoadedForm f(kScreen);
    const auto bars = f.form.parameterScrollBars();
    for (unsigned axis = 0; axis < 6; ++axis) {
        for (int value = bars[axis]->minimum(); value <= bars[axis]->maximum(); ++value) {
            for (unsigned corners = 0; corners < 64; ++corners) {
                if (corners >> axis & 1u)
                    continue; // that bit would be this parameter's
                for (unsigned k = 0; k < 6; ++k)
                    f.form.scroll(*bars[k], ScrollAction::ThumbTo,
                                  int16_t(k == axis           ? value
                                          : corners >> k & 1u ? bars[k]->maximum()
                                                              : bars[k]->minimum()));
                for (int speed = 0; speed < 3; ++speed) {
                    ASSERT_TRUE(f.form.selectSpeed(*speedAt(speed)) && runExperiment(f.form) &&
                                f.platform.errorReports == 0 &&
                                f.form.start.caption() == "クリア" && f.form.click(f.form.start))
                        << bars[axis]->name() << ' ' << value << ", extremes " << corners
                        << ", speed " << speed << ": " << f.platform.lastErrorLine;
                }
            }
        }
    }
}

} // namespace
} // namespace shoutotsu
