// Every value a scroll bar can hold, not only the step values the arrows
// reach: each integer of each parameter's range, with the other five at
// every mix of their extremes, runs to its end at every speed without a
// run-time error, on small, common and large screens.
#include "test_support.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <sstream>
#include <string>

namespace shoutotsu {
namespace {

using testing::LoadedForm;

struct Axis {
    const char* name;
    int Parameters::*field;
    const ParameterRange* range;
};

const std::array<Axis, 6> kAxes{{
    {"height", &Parameters::heightCm, &kHeightRange},
    {"length", &Parameters::lengthCm, &kLengthRange},
    {"m1", &Parameters::m1Grams, &kMassRange},
    {"m2", &Parameters::m2Grams, &kMassRange},
    {"r1", &Parameters::r1Mm, &kRadiusRange},
    {"r2", &Parameters::r2Mm, &kRadiusRange},
}};

std::string describe(const Parameters& p) {
    std::ostringstream out;
    out << "height " << p.heightCm << " length " << p.lengthCm << " m1 " << p.m1Grams << " m2 "
        << p.m2Grams << " r1 " << p.r1Mm << " r2 " << p.r2Mm << " speed "
        << static_cast<int>(p.speed);
    return out.str();
}

// Empty when the run went from "スタート" to "クリア" as it must.
std::string runOnce(LoadedForm& f, const Parameters& p, long& ticks) {
    MainForm& form = f.form;
    applyParameters(form, p);
    if (form.Hscroll.value() != 50 - p.heightCm || form.Lscroll.value() != 130 - p.lengthCm ||
        form.T1mScroll.value() != p.m1Grams || form.T2mScroll.value() != p.m2Grams ||
        form.T1rScroll.value() != p.r1Mm || form.T2rScroll.value() != p.r2Mm) {
        return "the scroll bars do not hold the parameters";
    }
    if (form.state.height.v != p.heightCm || form.state.slopeLen.v != p.lengthCm) {
        return "the scene did not take the rail's height and length";
    }
    std::string broken;
    const bool finished = runExperiment(form, [&](const TickInfo&) {
        ++ticks;
        int enabled = 0;
        for (Timer* timer : form.phaseTimers()) {
            enabled += timer->enabled() ? 1 : 0;
        }
        if (enabled != (form.start.visible() ? 0 : 1) && broken.empty()) {
            broken = std::to_string(enabled) + " phase timers enabled";
        }
    });
    if (f.platform.errorReports != 0) {
        return "run-time error: " + f.platform.lastErrorLine;
    }
    if (!finished) {
        return "the run did not finish";
    }
    if (!broken.empty()) {
        return broken;
    }
    if (form.start.caption() != "クリア" || !form.start.visible() || !form.en.visible() ||
        !form.kekka.visible()) {
        return "the run ended without \"クリア\" and the marker";
    }
    const std::string& result = form.kekka.caption();
    if (result.size() < 3 || result.compare(result.size() - 2, 2, "cm") != 0) {
        return "the result reads '" + result + "'";
    }
    if (!form.click(form.start) || form.start.caption() != "スタート") {
        return "\"クリア\" did not bring the window back";
    }
    return "";
}

class EveryParameterValue : public ::testing::TestWithParam<ScreenSize> {};

TEST_P(EveryParameterValue, RunsToItsEndAtEverySpeed) {
    const ScreenSize screen = GetParam();
    LoadedForm f(screen);
    long runs = 0, ticks = 0;
    for (const Axis& axis : kAxes) {
        for (int value = axis.range->minimum; value <= axis.range->maximum; ++value) {
            // Each of the other five parameters at its minimum or maximum.
            for (unsigned corners = 0; corners < 32; ++corners) {
                Parameters p;
                unsigned bit = 0;
                for (const Axis& other : kAxes) {
                    if (&other == &axis) {
                        continue;
                    }
                    p.*other.field = ((corners >> bit++) & 1u) != 0 ? other.range->maximum
                                                                    : other.range->minimum;
                }
                p.*axis.field = value;
                for (Speed speed : {Speed::Fast, Speed::Medium, Speed::Slow}) {
                    p.speed = speed;
                    const std::string failure = runOnce(f, p, ticks);
                    ASSERT_EQ(failure, "") << describe(p) << " on a " << screen.widthTwips << "x"
                                           << screen.heightTwips << " twip screen";
                    ++runs;
                }
            }
        }
    }
    // 31 + 31 + 41 + 41 + 7 + 7 values, 32 corner mixes, 3 speeds.
    EXPECT_EQ(runs, 158 * 32 * 3);
    std::printf("%ld runs, %ld ticks\n", runs, ticks);
}

INSTANTIATE_TEST_SUITE_P(Screens, EveryParameterValue,
                         ::testing::Values(ScreenSize{9600.0f, 7200.0f},    // 640x480
                                           ScreenSize{15360.0f, 11520.0f},  // 1024x768
                                           ScreenSize{57600.0f, 32400.0f}), // 3840x2160
                         [](const ::testing::TestParamInfo<ScreenSize>& info) {
                             return "Screen" +
                                    std::to_string(
                                        static_cast<int>(info.param.widthTwips / 15.0f)) +
                                    "px";
                         });

} // namespace
} // namespace shoutotsu
