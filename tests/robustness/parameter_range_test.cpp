// Every value a scroll bar can hold, not only the steps the arrows reach:
// each integer of each parameter's range, with the other five at every mix
// of their extremes, runs to its end at every speed without a run-time error.
#include "test_support.h"

#include <gtest/gtest.h>

#include <array>
#include <utility>

namespace shoutotsu {
namespace {

TEST(EveryParameterValue, RunsToItsEndAtEverySpeed) {
    const std::array<std::pair<int Parameters::*, const ParameterRange*>, 6> axes{{
        {&Parameters::heightCm, &kHeightRange},
        {&Parameters::lengthCm, &kLengthRange},
        {&Parameters::m1Grams, &kMassRange},
        {&Parameters::m2Grams, &kMassRange},
        {&Parameters::r1Mm, &kRadiusRange},
        {&Parameters::r2Mm, &kRadiusRange},
    }};
    testing::LoadedForm f({15360.0f, 11520.0f});
    MainForm& form = f.form;
    long runs = 0;
    for (size_t axis = 0; axis < axes.size(); ++axis) {
        const ParameterRange& range = *axes[axis].second;
        for (int value = range.minimum; value <= range.maximum; ++value) {
            // Bit k of `corners` puts parameter k at its maximum, else its minimum.
            for (unsigned corners = 0; corners < 64; ++corners) {
                if (((corners >> axis) & 1u) != 0) {
                    continue;
                }
                Parameters p;
                for (size_t k = 0; k < axes.size(); ++k) {
                    p.*axes[k].first = ((corners >> k) & 1u) != 0 ? axes[k].second->maximum
                                                                  : axes[k].second->minimum;
                }
                p.*axes[axis].first = value;
                for (Speed speed : {Speed::Fast, Speed::Medium, Speed::Slow}) {
                    p.speed = speed;
                    applyParameters(form, p);
                    const bool finished = runExperiment(form);
                    ASSERT_TRUE(finished && f.platform.errorReports == 0 &&
                                form.start.caption() == "クリア" && form.kekka.visible())
                        << range.option << ' ' << value << ", extremes mask " << corners
                        << ", speed " << static_cast<int>(speed) << ": "
                        << f.platform.lastErrorLine;
                    ASSERT_TRUE(form.click(form.start)); // clear for the next run
                    ++runs;
                }
            }
        }
    }
    EXPECT_EQ(runs, (31 + 31 + 41 + 41 + 7 + 7) * 32 * 3);
}

} // namespace
} // namespace shoutotsu
