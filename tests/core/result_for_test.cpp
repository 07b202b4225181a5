// The page's check of a recorded result: the text it is given for a run's
// settings is the one the window shows at the end of that run, stepped tick
// by tick, for values on the scroll bars' steps and between them.
#include "platform/web/experiment_api.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <string>

namespace shoutotsu {
namespace {

TEST(ResultFor, GivesWhatARealRunShows) {
    testing::LoadedForm f;
    MainForm& form = f.form;
    // A dragged thumb stops on every whole value, so the sweep takes values
    // off the steps too (13 mm, 23 cm, 37 g).
    const int heights[] = {10, 23, 40};
    const int lengths[] = {50, 67, 80};
    const int masses[] = {10, 13, 20, 37, 50};
    const int radii[] = {8, 13, 14};
    int runs = 0;
    for (int h : heights) {
        for (int l : lengths) {
            for (int m1 : masses) {
                for (int m2 : masses) {
                    for (int r1 : radii) {
                        for (int r2 : radii) {
                            const Parameters p{h, l, m1, m2, r1, r2, Speed::Fast};
                            applyParameters(form, p);
                            ASSERT_TRUE(runExperiment(form)) << runs;
                            // Asked between the run's steps, in the order the
                            // rows of a file come.
                            ASSERT_EQ(resultFor(p), form.kekka.caption())
                                << h << " " << l << " " << m1 << " " << m2 << " " << r1 << " "
                                << r2;
                            ASSERT_TRUE(form.click(form.start));
                            ++runs;
                        }
                    }
                }
            }
        }
    }
    EXPECT_EQ(runs, 2025);
    EXPECT_EQ(f.platform.errorReports, 0);
    EXPECT_STREQ(shoutotsu_result_for(20, 60, 20, 20, 10, 10), resultFor(Parameters{}).c_str());
}

TEST(ResultFor, RefusesASettingOutsideItsRange) {
    EXPECT_EQ(resultFor(Parameters{9, 60, 20, 20, 10, 10, Speed::Medium}), "");
    EXPECT_EQ(resultFor(Parameters{20, 81, 20, 20, 10, 10, Speed::Medium}), "");
    EXPECT_EQ(resultFor(Parameters{20, 60, 20, 51, 10, 10, Speed::Medium}), "");
    EXPECT_EQ(resultFor(Parameters{20, 60, 20, 20, 10, 7, Speed::Medium}), "");
    // …and is not thrown off by one it refused.
    EXPECT_EQ(resultFor(Parameters{20, 60, 50, 10, 8, 14, Speed::Medium}),
              resultFor(Parameters{20, 50, 50, 10, 14, 8, Speed::Medium}));
}

} // namespace
} // namespace shoutotsu
