// A lesson the teacher set up: conditions set by the values their labels
// show, and scroll bars locked for good, through runs and クリア.
#include "run/captions.h"
#include "test_support.h"

#include <gtest/gtest.h>

namespace shoutotsu {
namespace {

using testing::LoadedForm;

TEST(Lesson, ASetConditionRunsAsTheSameConditionSetByHandAndAnOffValueMovesNothing) {
    LoadedForm lesson;
    MainForm& form = lesson.form;
    for (const auto& [id, value] : {std::pair{ParameterId::M1, 35},
                                    {ParameterId::M1, 60},
                                    {ParameterId::R1, 9},
                                    {ParameterId::Height, 0}}) {
        EXPECT_FALSE(form.setParameter(id, value)) << parameterInfo(id).key << "=" << value;
    }
    EXPECT_EQ(form.currentSettings(), LoadedForm().form.currentSettings());

    EXPECT_TRUE(form.setParameter(ParameterId::M1, 50));
    EXPECT_TRUE(form.setParameter(ParameterId::Height, 40)); // the bar counts from its other end
    EXPECT_TRUE(form.setParameter(ParameterId::R2, 10));     // already there
    EXPECT_EQ(form.valueLabel(ParameterId::Height).caption(), "40");
    EXPECT_EQ(form.currentSettings(), (Parameters{40, 60, 50, 20, 10, 10, Speed::Medium}));
    ASSERT_TRUE(runExperiment(form));

    LoadedForm byHand;
    Parameters p;
    p.m1Grams = 50;
    p.heightCm = 40;
    applyParameters(byHand.form, p);
    ASSERT_TRUE(runExperiment(byHand.form));
    EXPECT_EQ(form.kekka.caption(), byHand.form.kekka.caption());
    EXPECT_FALSE(form.setParameter(ParameterId::M1, 30)); // the bars wait for クリア
}

TEST(Lesson, ALockedBarStaysDisabledThroughRunsAndClear) {
    LoadedForm f;
    MainForm& form = f.form;
    ASSERT_TRUE(form.lockParameter(ParameterId::M2));
    ScrollBar& m2 = form.parameterBar(ParameterId::M2);
    EXPECT_TRUE(form.parameterLocked(ParameterId::M2));
    EXPECT_FALSE(m2.enabled());
    EXPECT_NE(m2.accessibleDescription().find("先生が決めた"), std::string::npos);
    EXPECT_FALSE(form.scroll(m2, ScrollAction::LineIncrement));
    EXPECT_FALSE(form.setParameter(ParameterId::M2, 40));

    for (int run = 0; run < 2; ++run) {
        ASSERT_TRUE(runExperiment(form));
        ASSERT_EQ(form.start.caption(), kClearCaption);
        ASSERT_TRUE(form.click(form.start));
        EXPECT_FALSE(m2.enabled()) << "after クリア " << run + 1;
        for (ScrollBar* bar : form.parameterScrollBars()) {
            EXPECT_EQ(bar->enabled(), bar != &m2) << bar->name();
        }
    }
    EXPECT_EQ(form.valueLabel(ParameterId::M2).caption(), "20");
}

} // namespace
} // namespace shoutotsu
