// The page's entry into the experiment: the result a class's recorded run is
// checked against is the one a real run ends with, stepped tick by tick; a
// finished run reaches the page once, as numbers; and a parameter or speed
// the script names by a place there is not is refused at the boundary.
#include "app/experiment_json.h"
#include "platform/web/experiment_api.h"
#include "run/result_text.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <optional>
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
                            const std::optional<int> mm = form.resultMmFor(p);
                            ASSERT_TRUE(mm && *mm == form.resultMm() &&
                                        resultText(*mm) == form.kekka.caption())
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
}

TEST(ResultFor, RefusesASettingOutsideItsRange) {
    testing::LoadedForm f;
    const MainForm& form = f.form;
    EXPECT_FALSE(form.resultMmFor(Parameters{9, 60, 20, 20, 10, 10, Speed::Medium}));
    EXPECT_FALSE(form.resultMmFor(Parameters{20, 81, 20, 20, 10, 10, Speed::Medium}));
    EXPECT_FALSE(form.resultMmFor(Parameters{20, 60, 20, 51, 10, 10, Speed::Medium}));
    EXPECT_FALSE(form.resultMmFor(Parameters{20, 60, 20, 20, 10, 7, Speed::Medium}));
    // …and is not thrown off by one it refused.
    EXPECT_EQ(form.resultMmFor(Parameters{20, 60, 50, 10, 8, 14, Speed::Medium}),
              form.resultMmFor(Parameters{20, 50, 50, 10, 14, 8, Speed::Medium}));
}

TEST(ExperimentApi, GivesEachFinishedRunOnceAsNumbersAndRefusesPlacesThereAreNot) {
    testing::LoadedForm f;
    MainForm& form = f.form;
    attachExperiment(&form);
    EXPECT_STREQ(shoutotsu_finished_run(), "");

    EXPECT_EQ(shoutotsu_set_parameter(6, 20), 0) << "no seventh parameter";
    EXPECT_EQ(shoutotsu_set_parameter(-1, 20), 0);
    EXPECT_EQ(shoutotsu_lock_parameter(6), 0);
    EXPECT_EQ(shoutotsu_select_speed(3), 0);
    EXPECT_EQ(shoutotsu_select_speed(-1), 0);
    EXPECT_EQ(shoutotsu_set_parameter(0, 30), 1); // the rail's height
    EXPECT_EQ(shoutotsu_lock_parameter(3), 1);    // m2
    EXPECT_FALSE(form.parameterBar(ParameterId::M2).enabled());
    EXPECT_EQ(shoutotsu_select_speed(0), 1);
    EXPECT_STREQ(shoutotsu_settings(), "{\"m1\":20,\"m2\":20,\"r1\":10,\"r2\":10,\"height\":30,"
                                       "\"length\":60,\"speed\":\"fast\"}");

    ASSERT_TRUE(runExperiment(form));
    EXPECT_EQ(form.kekka.caption(), "46.5cm");
    EXPECT_STREQ(shoutotsu_finished_run(),
                 "{\"m1\":20,\"m2\":20,\"r1\":10,\"r2\":10,\"height\":30,\"length\":60,"
                 "\"speed\":\"fast\",\"resultMm\":465,"
                 "\"spoken\":\"結果：当てられるぴるての動いた距離は 46.5cm です。\"}");
    EXPECT_STREQ(shoutotsu_finished_run(), "") << "each run once";
    EXPECT_EQ(shoutotsu_result_mm_for(30, 60, 20, 20, 10, 10), 465);
    EXPECT_STREQ(shoutotsu_result_for(30, 60, 20, 20, 10, 10), "46.5cm");
    EXPECT_EQ(shoutotsu_result_mm_for(30, 60, 20, 51, 10, 10), -1);
    EXPECT_STREQ(shoutotsu_result_for(30, 60, 20, 51, 10, 10), "");

    attachExperiment(nullptr);
    EXPECT_STREQ(shoutotsu_settings(), "{}");
    EXPECT_EQ(shoutotsu_select_speed(1), 0);
}

// A whole centimetre keeps no ".0", as the label has always written it; a
// cut goes toward minus infinity.
TEST(ResultText, IsTheCutMillimetresInCentimetres) {
    EXPECT_EQ(resultText(379), "37.9cm");
    EXPECT_EQ(resultText(380), "38cm");
    EXPECT_EQ(resultText(-5), "-0.5cm");
    EXPECT_EQ(resultMillimetres(379.99), 379);
    EXPECT_EQ(resultMillimetres(-0.5), -1);
    EXPECT_THROW(resultMillimetres(3e9), RunTimeError);
}

} // namespace
} // namespace shoutotsu
