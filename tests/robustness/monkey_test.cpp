// A seeded random learner: scroll bars, speed options, "スタート"/"クリア" and
// timer ticks in any order, also where the window must refuse them. After
// every action the run-state rules must hold; after every clear the scene
// must be the one a fresh window gives for the same scroll values.
//
// Replay a failure with SHOUTOTSU_MONKEY_SEED=<seed printed in the message>;
// SHOUTOTSU_MONKEY_ACTIONS sets the number of actions.
#include "test_support.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <deque>
#include <random>
#include <sstream>
#include <string>
#include <vector>

namespace shoutotsu {
namespace {

using testing::LoadedForm;

constexpr uint64_t kDefaultSeed = 20240611;
constexpr long kDefaultActions = 250000;

uint64_t seedFromEnvironment() {
    const char* text = std::getenv("SHOUTOTSU_MONKEY_SEED");
    if (text == nullptr || *text == '\0') {
        return kDefaultSeed;
    }
    return std::strtoull(text, nullptr, 0);
}

long actionsFromEnvironment() {
    const char* text = std::getenv("SHOUTOTSU_MONKEY_ACTIONS");
    if (text == nullptr || *text == '\0') {
        return kDefaultActions;
    }
    return std::max(1L, std::strtol(text, nullptr, 0));
}

// --- what the scene is made of ---

struct Scene {
    std::vector<float> numbers;
    std::vector<std::string> names;
    std::vector<std::string> captions;
};

Scene sceneOf(MainForm& form) {
    Scene scene;
    auto add = [&scene](const std::string& name, float value) {
        scene.names.push_back(name);
        scene.numbers.push_back(value);
    };
    for (Control* c : std::initializer_list<Control*>{&form.tamaA, &form.tamaB, &form.en,
                                                      &form.Shape1, &form.Shape2}) {
        add(c->name() + ".Left", c->left());
        add(c->name() + ".Top", c->top());
        add(c->name() + ".Width", c->width());
        add(c->name() + ".Height", c->height());
    }
    add("rail.X1", form.rail.x1());
    add("rail.Y1", form.rail.y1());
    add("rail.X2", form.rail.x2());
    add("rail.Y2", form.rail.y2());
    add("state.slopeLen", form.state.slopeLen.v);
    add("state.height", form.state.height.v);
    add("state.run", form.state.run.v);
    for (Control* label : std::initializer_list<Control*>{&form.T1m, &form.T2m, &form.T1r,
                                                          &form.T2r, &form.htext, &form.ltext}) {
        scene.captions.push_back(label->name() + "=" + label->caption());
    }
    return scene;
}

// Empty when equal, else the first differences.
std::string sceneDifference(const Scene& got, const Scene& want) {
    std::ostringstream out;
    for (size_t i = 0; i < want.numbers.size(); ++i) {
        // Bitwise: the same settings must give the very same figures.
        if (std::memcmp(&got.numbers[i], &want.numbers[i], sizeof(float)) != 0) {
            out << want.names[i] << " is " << got.numbers[i] << ", a fresh window has "
                << want.numbers[i] << "; ";
        }
    }
    for (size_t i = 0; i < want.captions.size(); ++i) {
        if (got.captions[i] != want.captions[i]) {
            out << "caption " << got.captions[i] << ", a fresh window has " << want.captions[i]
                << "; ";
        }
    }
    return out.str();
}

// --- actions ---

enum class Kind { TickEnabled, TickAny, Scroll, Speed, ClickStart };

struct Action {
    Kind kind = Kind::TickEnabled;
    int target = 0; // timer, scroll bar or option index
    ScrollAction scrollAction = ScrollAction::LineIncrement;
    int16_t thumb = 0;
};

const char* scrollActionName(ScrollAction a) {
    switch (a) {
    case ScrollAction::LineDecrement:
        return "line-";
    case ScrollAction::LineIncrement:
        return "line+";
    case ScrollAction::PageDecrement:
        return "page-";
    case ScrollAction::PageIncrement:
        return "page+";
    case ScrollAction::ToMinimum:
        return "home";
    case ScrollAction::ToMaximum:
        return "end";
    case ScrollAction::ThumbTo:
        return "thumb";
    }
    return "?";
}

std::string describe(MainForm& form, const Action& a) {
    std::ostringstream out;
    switch (a.kind) {
    case Kind::TickEnabled:
    case Kind::TickAny:
        out << "tick " << form.phaseTimers()[static_cast<size_t>(a.target)]->name();
        break;
    case Kind::Scroll:
        out << "scroll " << form.parameterScrollBars()[static_cast<size_t>(a.target)]->name() << " "
            << scrollActionName(a.scrollAction);
        if (a.scrollAction == ScrollAction::ThumbTo) {
            out << " " << a.thumb;
        }
        break;
    case Kind::Speed:
        out << "select sp(" << a.target << ")";
        break;
    case Kind::ClickStart:
        out << "click start";
        break;
    }
    return out.str();
}

// Ticks dominate so that most runs reach their end; a start click is common
// enough that the window rarely idles long between runs.
Action randomAction(std::mt19937_64& rng, MainForm& form) {
    std::uniform_int_distribution<int> percent(0, 999);
    const int roll = percent(rng);
    Action a;
    if (roll < 720) {
        a.kind = Kind::TickEnabled;
        a.target = -1;
        const auto timers = form.phaseTimers();
        for (size_t i = 0; i < timers.size(); ++i) {
            if (timers[i]->enabled()) {
                a.target = static_cast<int>(i);
            }
        }
        if (a.target < 0) { // nothing runs: some timer, which must refuse
            a.kind = Kind::TickAny;
            a.target = std::uniform_int_distribution<int>(0, 2)(rng);
        }
    } else if (roll < 760) {
        a.kind = Kind::TickAny;
        a.target = std::uniform_int_distribution<int>(0, 2)(rng);
    } else if (roll < 930) {
        a.kind = Kind::Scroll;
        a.target = std::uniform_int_distribution<int>(0, 5)(rng);
        a.scrollAction = static_cast<ScrollAction>(std::uniform_int_distribution<int>(0, 6)(rng));
        const ScrollBar& bar = *form.parameterScrollBars()[static_cast<size_t>(a.target)];
        const int kind = std::uniform_int_distribution<int>(0, 9)(rng);
        int thumb = 0;
        if (kind < 6) { // near the range, a few steps past either end
            thumb = std::uniform_int_distribution<int>(bar.minimum() - 3, bar.maximum() + 3)(rng);
        } else if (kind < 9) {
            thumb = std::uniform_int_distribution<int>(INT16_MIN, INT16_MAX)(rng);
        } else {
            constexpr std::array<int, 5> edges{INT16_MIN, INT16_MAX, -1, 0, 1};
            thumb = edges[std::uniform_int_distribution<size_t>(0, edges.size() - 1)(rng)];
        }
        a.thumb = static_cast<int16_t>(thumb);
    } else if (roll < 960) {
        a.kind = Kind::Speed;
        a.target = std::uniform_int_distribution<int>(-1, 3)(rng); // also outside sp(0..2)
    } else {
        a.kind = Kind::ClickStart;
    }
    return a;
}

// --- the run state as the window shows it ---

enum class RunState { Ready, Running, Finished };

const char* runStateName(RunState s) {
    return s == RunState::Ready ? "ready" : s == RunState::Running ? "running" : "finished";
}

int enabledTimerIndex(MainForm& form, int& enabledCount) {
    enabledCount = 0;
    int index = -1;
    const auto timers = form.phaseTimers();
    for (size_t i = 0; i < timers.size(); ++i) {
        if (timers[i]->enabled()) {
            ++enabledCount;
            index = static_cast<int>(i);
        }
    }
    return index;
}

std::array<int16_t, 6> scrollValues(MainForm& form) {
    std::array<int16_t, 6> values{};
    const auto bars = form.parameterScrollBars();
    for (size_t i = 0; i < bars.size(); ++i) {
        values[i] = bars[i]->value();
    }
    return values;
}

int selectedSpeed(MainForm& form) {
    int selected = -1;
    for (size_t i = 0; i < form.sp.size(); ++i) {
        if (form.sp[i].value()) {
            selected = selected == -1 ? static_cast<int>(i) : -2;
        }
    }
    return selected;
}

class Monkey {
  public:
    explicit Monkey(ScreenSize screen) : screen_(screen), f_(screen) {}

    // Runs `count` actions; returns an empty string or what went wrong.
    std::string run(long count, std::mt19937_64& rng) {
        MainForm& form = f_.form;
        if (std::string e = checkRules(); !e.empty()) {
            return "after start-up: " + e;
        }
        if (std::string e = compareWithFreshWindow(); !e.empty()) {
            return "after start-up: " + e;
        }
        for (long n = 0; n < count; ++n) {
            const Action a = randomAction(rng, form);
            recent_.push_back(describe(form, a));
            if (recent_.size() > 12) {
                recent_.pop_front();
            }
            if (std::string e = perform(a); !e.empty()) {
                std::ostringstream out;
                out << "action #" << n << " (" << recent_.back() << ") in state "
                    << runStateName(state_) << ": " << e << "\n  last actions:";
                for (const std::string& d : recent_) {
                    out << " [" << d << "]";
                }
                return out.str();
            }
        }
        return "";
    }

    long completedRuns() const { return completedRuns_; }
    long clears() const { return clears_; }
    long refused() const { return refused_; }
    long scrollChanges() const { return scrollChanges_; }

  private:
    std::string perform(const Action& a) {
        MainForm& form = f_.form;
        const RunState before = state_;
        const float tamaALeft = form.tamaA.left(), tamaATop = form.tamaA.top();
        const float clock = form.state.t.v;
        const auto valuesBefore = scrollValues(form);
        int enabledBefore = 0;
        const int timerBefore = enabledTimerIndex(form, enabledBefore);
        bool accepted = false;
        bool scrolled = false;

        switch (a.kind) {
        case Kind::TickEnabled:
        case Kind::TickAny: {
            Timer& timer = *form.phaseTimers()[static_cast<size_t>(a.target)];
            const bool wasEnabled = timer.enabled();
            accepted = form.tick(timer);
            if (accepted != wasEnabled) {
                return wasEnabled ? "an enabled timer's tick was refused"
                                  : "a disabled timer's tick was taken";
            }
            if (!accepted && (form.tamaA.left() != tamaALeft || form.tamaA.top() != tamaATop ||
                              form.state.t.v != clock)) {
                return "a refused tick moved the bob or the clock";
            }
            break;
        }
        case Kind::Scroll: {
            ScrollBar& bar = *form.parameterScrollBars()[static_cast<size_t>(a.target)];
            const bool wasEnabled = bar.enabled();
            const int old = bar.value();
            const bool changed = form.scroll(bar, a.scrollAction, a.thumb);
            if (!wasEnabled) {
                if (changed || bar.value() != old) {
                    return "a disabled scroll bar moved";
                }
                break;
            }
            int target = old;
            switch (a.scrollAction) {
            case ScrollAction::LineDecrement:
                target = old - bar.smallChange();
                break;
            case ScrollAction::LineIncrement:
                target = old + bar.smallChange();
                break;
            case ScrollAction::PageDecrement:
                target = old - bar.largeChange();
                break;
            case ScrollAction::PageIncrement:
                target = old + bar.largeChange();
                break;
            case ScrollAction::ToMinimum:
                target = bar.minimum();
                break;
            case ScrollAction::ToMaximum:
                target = bar.maximum();
                break;
            case ScrollAction::ThumbTo:
                target = a.thumb;
                break;
            }
            target = std::clamp<int>(target, bar.minimum(), bar.maximum());
            if (bar.value() != target) {
                return "the scroll bar holds " + std::to_string(bar.value()) + ", expected " +
                       std::to_string(target);
            }
            if (changed != (target != old)) {
                return "the scroll entry's answer does not match the change";
            }
            scrolled = changed;
            scrollChanges_ += changed ? 1 : 0;
            break;
        }
        case Kind::Speed: {
            const int selectedBefore = selectedSpeed(form);
            accepted = form.selectSpeed(a.target);
            const bool valid = a.target >= 0 && a.target <= 2;
            if (accepted != valid) {
                return valid ? "a speed option was refused"
                             : "an option outside sp(0..2) was taken";
            }
            const int selectedAfter = selectedSpeed(form);
            if (selectedAfter != (valid ? a.target : selectedBefore)) {
                return "the speed options do not show exactly the one selected";
            }
            break;
        }
        case Kind::ClickStart: {
            const bool clickable = form.start.visible() && form.start.enabled();
            accepted = form.click(form.start);
            if (accepted != clickable) {
                return clickable ? "a visible start button refused the click"
                                 : "a hidden start button took the click";
            }
            break;
        }
        }

        if (std::string e = checkRules(); !e.empty()) {
            return e;
        }

        // Which way the run state may move, and through which action.
        const RunState after = state_;
        if (before != after) {
            const bool ok = (before == RunState::Ready && after == RunState::Running &&
                             a.kind == Kind::ClickStart) ||
                            (before == RunState::Running && after == RunState::Finished &&
                             (a.kind == Kind::TickEnabled || a.kind == Kind::TickAny) &&
                             a.target == 2 && timerBefore == 2) ||
                            (before == RunState::Finished && after == RunState::Ready &&
                             a.kind == Kind::ClickStart);
            if (!ok) {
                return std::string("the run went from ") + runStateName(before) + " to " +
                       runStateName(after);
            }
        }
        if (before == RunState::Ready && after == RunState::Running) {
            runValues_ = valuesBefore;
            const int speed = selectedSpeed(form);
            runTimeDiv_ = form.state.timeDiv.v;
            if (runTimeDiv_ != 1000.0f * static_cast<float>(speed + 1)) {
                return "the run's clock divisor does not match sp(" + std::to_string(speed) + ")";
            }
        }
        if (after == RunState::Finished && before == RunState::Running) {
            ++completedRuns_;
        }
        if (after != RunState::Ready) {
            if (scrollValues(form) != runValues_) {
                return "a scroll value changed during the run";
            }
            if (form.state.timeDiv.v != runTimeDiv_) {
                return "the clock divisor changed during the run";
            }
        }
        if (before == RunState::Finished && after == RunState::Ready) {
            ++clears_;
            if (std::string e = compareWithFreshWindow(); !e.empty()) {
                return "after clear: " + e;
            }
        } else if (scrolled) {
            if (std::string e = compareWithFreshWindow(); !e.empty()) {
                return "after a scroll: " + e;
            }
        }
        if (!accepted && a.kind != Kind::Scroll) {
            ++refused_;
        }
        return "";
    }

    // The rules that hold at every moment; also updates state_.
    std::string checkRules() {
        MainForm& form = f_.form;
        if (form.halted() || f_.platform.errorReports != 0) {
            return "run-time error reported: " + f_.platform.lastErrorLine;
        }
        if (form.unloaded()) {
            return "the window unloaded";
        }
        const RunState previous = state_;
        const std::string& caption = form.start.caption();
        if (form.start.visible()) {
            if (caption == "スタート") {
                state_ = RunState::Ready;
            } else if (caption == "クリア") {
                state_ = RunState::Finished;
            } else {
                return "start shows '" + caption + "'";
            }
        } else {
            if (caption != "スタート") {
                return "hidden start shows '" + caption + "'";
            }
            state_ = RunState::Running;
        }

        int enabledCount = 0;
        const int timer = enabledTimerIndex(form, enabledCount);
        if (enabledCount != (state_ == RunState::Running ? 1 : 0)) {
            return std::to_string(enabledCount) + " phase timers enabled while " +
                   runStateName(state_);
        }
        if (state_ == RunState::Running && previous != RunState::Running) {
            phase_ = 0;
            landed_ = false;
        }
        if (state_ == RunState::Running) {
            // The phases follow one another and never go back.
            if (timer < phase_) {
                return "the run went back to an earlier phase";
            }
            phase_ = timer;
        }
        for (ScrollBar* bar : form.parameterScrollBars()) {
            if (bar->enabled() != (state_ == RunState::Ready)) {
                return bar->name() + (bar->enabled() ? " enabled" : " disabled") + " while " +
                       runStateName(state_);
            }
        }
        if (selectedSpeed(form) < 0) {
            return "the speed options do not have exactly one selected";
        }

        // The marker and its label: hidden until the struck bob lands, shown
        // from then until the clear.
        if (form.kekka.visible() != form.en.visible()) {
            return "kekka and en differ in visibility";
        }
        const bool shown = form.en.visible();
        switch (state_) {
        case RunState::Ready:
            if (shown) {
                return "the marker shows while ready";
            }
            break;
        case RunState::Running:
            if (shown && timer != 2) {
                return "the marker shows before the impact phase";
            }
            if (landed_ && !shown) {
                return "the marker disappeared during the run";
            }
            landed_ = shown;
            break;
        case RunState::Finished:
            if (!shown) {
                return "the run finished without the marker";
            }
            break;
        }
        return "";
    }

    std::string compareWithFreshWindow() {
        LoadedForm fresh(screen_);
        const auto values = scrollValues(f_.form);
        const auto bars = fresh.form.parameterScrollBars();
        for (size_t i = 0; i < bars.size(); ++i) {
            fresh.form.scroll(*bars[i], ScrollAction::ThumbTo, values[i]);
        }
        if (fresh.platform.errorReports != 0) {
            return "a fresh window reported an error: " + fresh.platform.lastErrorLine;
        }
        return sceneDifference(sceneWithoutMarkerPlace(f_.form),
                               sceneWithoutMarkerPlace(fresh.form));
    }

    // The marker keeps the last landing spot while hidden; the scene proper
    // is its size only (its place is set on landing, before it shows).
    static Scene sceneWithoutMarkerPlace(MainForm& form) {
        Scene scene = sceneOf(form);
        for (size_t i = 0; i < scene.names.size(); ++i) {
            if (scene.names[i] == "en.Left" || scene.names[i] == "en.Top") {
                scene.numbers[i] = form.en.visible() ? scene.numbers[i] : 0.0f;
            }
        }
        return scene;
    }

    ScreenSize screen_;
    LoadedForm f_;
    RunState state_ = RunState::Ready;
    int phase_ = 0;
    bool landed_ = false;
    std::array<int16_t, 6> runValues_{};
    float runTimeDiv_ = 0.0f;
    std::deque<std::string> recent_;
    long completedRuns_ = 0, clears_ = 0, refused_ = 0, scrollChanges_ = 0;
};

TEST(Monkey, RandomLearnerNeverBreaksTheRunRules) {
    const uint64_t seed = seedFromEnvironment();
    const long actions = actionsFromEnvironment();
    std::mt19937_64 rng(seed);
    // The screen too comes from the seed: the scene's scale differs with it.
    constexpr std::array<ScreenSize, 4> screens{
        ScreenSize{15360.0f, 11520.0f}, ScreenSize{testing::kScale450ScreenWidth, 11520.0f},
        ScreenSize{28800.0f, 16200.0f}, ScreenSize{9600.0f, 7200.0f}};
    const ScreenSize screen = screens[std::uniform_int_distribution<size_t>(0, 3)(rng)];

    Monkey monkey(screen);
    const std::string failure = monkey.run(actions, rng);
    ASSERT_EQ(failure, "") << "SHOUTOTSU_MONKEY_SEED=" << seed << " (screen " << screen.widthTwips
                           << "x" << screen.heightTwips << " twips)";
    // The mix must really exercise whole runs, clears and refusals.
    const long minimumRuns = actions / 2000;
    EXPECT_GE(monkey.completedRuns(), minimumRuns) << "SHOUTOTSU_MONKEY_SEED=" << seed;
    EXPECT_GE(monkey.clears(), minimumRuns / 2) << "SHOUTOTSU_MONKEY_SEED=" << seed;
    EXPECT_GT(monkey.refused(), actions / 100) << "SHOUTOTSU_MONKEY_SEED=" << seed;
    EXPECT_GT(monkey.scrollChanges(), actions / 1000) << "SHOUTOTSU_MONKEY_SEED=" << seed;
    std::printf("monkey seed %llu: %ld actions, %ld runs finished, %ld clears, %ld refused, "
                "%ld scroll changes\n",
                static_cast<unsigned long long>(seed), actions, monkey.completedRuns(),
                monkey.clears(), monkey.refused(), monkey.scrollChanges());
}

} // namespace
} // namespace shoutotsu
