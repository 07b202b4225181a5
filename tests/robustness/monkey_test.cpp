// A seeded random learner: scroll bars, speed options, "スタート"/"クリア" and
// timer ticks in any order, also where the window must refuse them. After
// every action the run-state rules must hold; after every clear or scroll the
// scene must be the one a fresh window gives for the same scroll values.
// Replay a failure with SHOUTOTSU_MONKEY_SEED=<the seed in the message>.
#include "test_support.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdlib>
#include <random>
#include <sstream>
#include <string>

namespace shoutotsu {
namespace {

using testing::LoadedForm;
using Rng = std::mt19937_64;
using Values = std::array<int16_t, 6>;

constexpr long kActions = 200000;
constexpr ScreenSize kScreen{15360.0f, 11520.0f};

int pick(Rng& rng, int low, int high) { return std::uniform_int_distribution<int>(low, high)(rng); }

Values valuesOf(MainForm& form) {
    Values values{};
    const auto bars = form.parameterScrollBars();
    std::transform(bars.begin(), bars.end(), values.begin(),
                   [](ScrollBar* bar) { return bar->value(); });
    return values;
}

// The selected option's index, or -1 unless exactly one is selected.
int selectedSpeed(MainForm& form) {
    const auto on = [](const OptionButton& option) { return option.value(); };
    const auto first = std::find_if(form.sp.begin(), form.sp.end(), on);
    const bool one = std::count_if(form.sp.begin(), form.sp.end(), on) == 1;
    return one ? static_cast<int>(first - form.sp.begin()) : -1;
}

// The first enabled phase timer's index, 3 when none is.
int enabledTimer(MainForm& form) {
    const auto timers = form.phaseTimers();
    return static_cast<int>(
        std::find_if(timers.begin(), timers.end(), [](Timer* timer) { return timer->enabled(); }) -
        timers.begin());
}

// The figures and labels the scroll values decide; exact bits via hexfloat.
// The marker's place is left out: it keeps the last landing spot while hidden.
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

std::string freshScene(const Values& values) {
    LoadedForm fresh(kScreen);
    for (size_t i = 0; i < values.size(); ++i) {
        fresh.form.scroll(*fresh.form.parameterScrollBars()[i], ScrollAction::ThumbTo, values[i]);
    }
    return sceneOf(fresh.form);
}

// The run state the window shows: 0 ready, 1..3 animating with phase timer
// 0..2, 4 finished. Returns which rule is broken, or "".
std::string checkRules(LoadedForm& f, int& state) {
    MainForm& form = f.form;
    if (form.halted() || f.platform.errorReports != 0) {
        return "run-time error: " + f.platform.lastErrorLine;
    }
    const auto timers = form.phaseTimers();
    const auto enabled =
        std::count_if(timers.begin(), timers.end(), [](Timer* timer) { return timer->enabled(); });
    const std::string& caption = form.start.caption();
    const bool running = !form.start.visible();
    state = running ? 1 + enabledTimer(form) : caption == "クリア" ? 4 : 0;
    if (enabled != (running ? 1 : 0)) {
        return "not one phase timer enabled exactly while start is hidden";
    }
    if (caption != "スタート" && (running || caption != "クリア")) {
        return "start shows '" + caption + "'";
    }
    for (ScrollBar* bar : form.parameterScrollBars()) {
        if (bar->enabled() != (state == 0)) {
            return bar->name() + " is not enabled exactly while ready";
        }
    }
    // The marker and its label show from the struck bob's landing to the clear.
    const bool marker = form.en.visible();
    if (marker != form.kekka.visible() || (marker ? state < 3 : state == 4)) {
        return "the marker shows or hides out of turn";
    }
    return selectedSpeed(form) < 0 ? "not exactly one speed option selected" : "";
}

// One action: says what it does in `what`, returns what went wrong or "".
struct Action {
    int weight;
    char kind; // 't' tick, 's' scroll, 'o' option, 'c' click
    std::string (*run)(MainForm&, Rng&, std::string& what);
};

const std::array<Action, 4> kActionTable{{
    {760, 't', // mostly the enabled timer; a disabled one must refuse the tick
     [](MainForm& form, Rng& rng, std::string& what) -> std::string {
         const int lit = enabledTimer(form);
         const int index = lit < 3 && pick(rng, 0, 19) != 0 ? lit : pick(rng, 0, 2);
         Timer& timer = *form.phaseTimers()[static_cast<size_t>(index)];
         what = "tick " + timer.name();
         const bool enabled = timer.enabled();
         return form.tick(timer) == enabled ? "" : "the tick's acceptance is wrong";
     }},
    {170, 's', // arrows, track, Home/End, thumb to near the range or any 16-bit value
     [](MainForm& form, Rng& rng, std::string& what) -> std::string {
         ScrollBar& bar = *form.parameterScrollBars()[static_cast<size_t>(pick(rng, 0, 5))];
         const int action = pick(rng, 0, 6);
         const int thumb = pick(rng, 0, 2) != 0 ? pick(rng, bar.minimum() - 3, bar.maximum() + 3)
                                                : pick(rng, INT16_MIN, INT16_MAX);
         what =
             bar.name() + " action " + std::to_string(action) + " thumb " + std::to_string(thumb);
         const int old = bar.value(), small = bar.smallChange(), large = bar.largeChange();
         const int steps[] = {old - small,   old + small,   old - large, old + large,
                              bar.minimum(), bar.maximum(), thumb};
         const int want =
             bar.enabled() ? std::clamp<int>(steps[action], bar.minimum(), bar.maximum()) : old;
         const bool changed =
             form.scroll(bar, static_cast<ScrollAction>(action), static_cast<int16_t>(thumb));
         return bar.value() == want && changed == (want != old) ? "" : "the bar's value is wrong";
     }},
    {30, 'o', // also outside sp(0..2), which must be refused
     [](MainForm& form, Rng& rng, std::string& what) -> std::string {
         const int index = pick(rng, -1, 3), before = selectedSpeed(form);
         what = "select sp(" + std::to_string(index) + ")";
         const bool valid = index >= 0 && index <= 2;
         const bool taken = form.selectSpeed(index);
         const bool ok = taken == valid && selectedSpeed(form) == (valid ? index : before);
         return ok ? "" : "the options are wrong";
     }},
    {40, 'c', // also while hidden, which must be refused
     [](MainForm& form, Rng&, std::string& what) -> std::string {
         what = "click " + form.start.caption();
         const bool clickable = form.start.visible() && form.start.enabled();
         return form.click(form.start) == clickable ? "" : "the click's acceptance is wrong";
     }},
}};

TEST(Monkey, RandomLearnerKeepsTheRunRules) {
    const char* seedText = std::getenv("SHOUTOTSU_MONKEY_SEED");
    const uint64_t seed = seedText && *seedText ? std::strtoull(seedText, nullptr, 0) : 20240611;
    Rng rng(seed);
    LoadedForm f(kScreen);
    MainForm& form = f.form;
    int state = 0;
    ASSERT_EQ(checkRules(f, state), "") << "after start-up";
    Values runValues{};
    float runDivisor = 0.0f;
    long clears = 0;
    for (long n = 0; n < kActions; ++n) {
        const Action* chosen = kActionTable.data(); // the weights add up to 1000
        for (int roll = pick(rng, 0, 999); roll >= chosen->weight; roll -= (chosen++)->weight) {
        }
        const Action& action = *chosen;
        std::string what;
        const int before = state;
        std::string error = action.run(form, rng, what);
        if (error.empty()) {
            error = checkRules(f, state);
        }
        // Forward one step at a time: the click starts and clears, ticks do the rest.
        const bool byClick = state == 1 || state == 0;
        if (error.empty() && state != before &&
            (state != (before + 1) % 5 || byClick != (action.kind == 'c'))) {
            error = "the run state jumped";
        }
        if (before == 0 && state == 1) {
            runValues = valuesOf(form);
            runDivisor = 1000.0f * static_cast<float>(selectedSpeed(form) + 1);
        }
        clears += before == 4 && state == 0;
        if (error.empty() && state != 0 &&
            (valuesOf(form) != runValues || form.state.timeDiv.v != runDivisor)) {
            error = "the scroll values moved or the clock divisor is not the selected speed's";
        }
        if (error.empty() && state == 0 && (before == 4 || action.kind == 's')) {
            const std::string got = sceneOf(form), want = freshScene(valuesOf(form));
            error = got == want ? "" : "scene:\n" + got + "\na fresh window's:\n" + want;
        }
        ASSERT_EQ(error, "") << "SHOUTOTSU_MONKEY_SEED=" << seed << ", action #" << n << " ("
                             << what << ") from state " << before << " to " << state;
    }
    EXPECT_GE(clears, kActions / 1000) << "too few whole runs; SHOUTOTSU_MONKEY_SEED=" << seed;
}

} // namespace
} // namespace shoutotsu
