// The controls model: geometry reads back, Change is raised exactly when a
// value changes, user input respects enabled state and the ends, option
// buttons are exclusive, and an error at the event boundary is reported once.
#include "platform/scroll_bar.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <map>

namespace shoutotsu {
namespace {

using testing::LoadedForm;

TEST(Controls, GeometryReadsBackExactlyWhatWasAssigned) {
    Control c(ControlKind::Label, "x");
    c.setLeft(1054.41552734375f);
    c.setTop(-94.26416f);
    c.setWidth(0.1f);
    c.setHeight(16777217.0f); // rounds to a float once, at the assignment
    EXPECT_EQ(c.left(), 1054.41552734375f);
    EXPECT_EQ(c.top(), -94.26416f);
    EXPECT_EQ(c.width(), 0.1f);
    EXPECT_EQ(c.height(), 16777216.0f);
    Line line("l");
    line.setX2(28.23584f);
    EXPECT_EQ(line.x2(), 28.23584f);
}

TEST(Controls, ChangeIsRaisedOnlyForADifferentValue) {
    ScrollBar bar(ControlKind::HScrollBar, "b", 8, 14, 2, 2, 10);
    int changes = 0;
    int valueSeenInChange = 0;
    bar.onChange = [&] {
        ++changes;
        valueSeenInChange = bar.value();
    };
    bar.setValue(10);
    EXPECT_EQ(changes, 0);
    bar.setValue(12);
    EXPECT_EQ(changes, 1); // raised before the assignment returned
    EXPECT_EQ(valueSeenInChange, 12);
    EXPECT_THROW(bar.setValue(15), RunTimeError); // outside Minimum..Maximum
    EXPECT_EQ(bar.value(), 12);
}

TEST(Controls, UserActionsStepClampAndRespectEnabled) {
    ScrollBar bar(ControlKind::HScrollBar, "r", 8, 14, 2, 2, 10);
    int changes = 0;
    bar.onChange = [&] { ++changes; };
    std::vector<int> seen;
    for (int i = 0; i < 5; ++i) {
        bar.userAction(ScrollAction::LineIncrement);
        seen.push_back(bar.value());
    }
    EXPECT_EQ(seen, (std::vector<int>{12, 14, 14, 14, 14}));
    EXPECT_EQ(changes, 2); // no Change at the end stop
    bar.userAction(ScrollAction::PageDecrement);
    bar.userAction(ScrollAction::PageDecrement);
    bar.userAction(ScrollAction::PageDecrement);
    bar.userAction(ScrollAction::PageDecrement);
    EXPECT_EQ(bar.value(), 8);
    EXPECT_EQ(changes, 5);
    EXPECT_TRUE(bar.userAction(ScrollAction::ThumbTo, 11)); // a drag gives any integer
    EXPECT_TRUE(bar.userAction(ScrollAction::ThumbTo, 99)); // clamped to the maximum
    EXPECT_EQ(bar.value(), 14);
    bar.setEnabled(false);
    EXPECT_FALSE(bar.userAction(ScrollAction::ToMinimum));
    EXPECT_EQ(bar.value(), 14);
    EXPECT_EQ(changes, 7);
}

TEST(Controls, StartUpRaisesChangeForEachValueItChanges) {
    HeadlessPlatform platform;
    MainForm form(platform);
    std::map<std::string, int> changes;
    for (ScrollBar* bar : form.parameterScrollBars()) {
        bar->onChange = [&changes, &form, bar] {
            ++changes[bar->name()];
            form.UpdateScene();
        };
    }
    form.load();
    // The radii already hold 10; masses, slope and height change once each.
    EXPECT_EQ(changes, (std::map<std::string, int>{
                           {"T1mScroll", 1}, {"T2mScroll", 1}, {"Lscroll", 1}, {"Hscroll", 1}}));
}

TEST(Controls, OptionButtonsFormOneExclusiveGroup) {
    LoadedForm f;
    MainForm& form = f.form;
    EXPECT_FALSE(form.sp[0].value());
    EXPECT_TRUE(form.sp[1].value());
    EXPECT_FALSE(form.sp[2].value());
    for (int pick : {0, 2, 2, 1}) {
        form.selectSpeed(pick);
        int selected = 0;
        for (int i = 0; i < 3; ++i) {
            selected += form.sp[static_cast<size_t>(i)].value() ? 1 : 0;
        }
        EXPECT_EQ(selected, 1);
        EXPECT_TRUE(form.sp[static_cast<size_t>(pick)].value());
    }
}

TEST(Controls, HiddenButtonsAndDisabledTimersTakeNoEvents) {
    LoadedForm f;
    MainForm& form = f.form;
    EXPECT_FALSE(form.tick(form.MAEtimer));
    form.start.setVisible(false);
    EXPECT_FALSE(form.click(form.start));
    EXPECT_FALSE(form.MAEtimer.enabled());
}

TEST(Controls, RunTimeErrorEndsTheHandlerAndIsReportedOnce) {
    LoadedForm f;
    MainForm& form = f.form;
    ASSERT_TRUE(form.click(form.start));
    ASSERT_TRUE(form.MAEtimer.enabled());
    form.state.timeDiv = F32(0.0f); // the next tick divides by zero
    const float leftBefore = form.tamaA.left();
    EXPECT_TRUE(form.tick(form.MAEtimer));
    EXPECT_TRUE(form.halted());
    EXPECT_EQ(f.platform.errorReports, 1);
    EXPECT_NE(f.platform.lastErrorLine.find("'11'"), std::string::npos);
    EXPECT_EQ(form.tamaA.left(), leftBefore);
    for (Timer* timer : form.phaseTimers()) {
        EXPECT_FALSE(timer->enabled());
    }
    // Nothing more runs after the report.
    EXPECT_FALSE(form.tick(form.MAEtimer));
    EXPECT_FALSE(form.scroll(form.T1mScroll, ScrollAction::LineIncrement));
    EXPECT_EQ(f.platform.errorReports, 1);
}

TEST(Controls, AnErrorInsideChangeLeavesWhatWasAssigned) {
    LoadedForm f;
    MainForm& form = f.form;
    form.state.scale = F32(3.0e38f); // the next scene's products overflow
    const std::string massCaption = form.T1m.caption();
    form.scroll(form.Lscroll, ScrollAction::LineDecrement);
    EXPECT_EQ(f.platform.errorReports, 1);
    EXPECT_EQ(form.Lscroll.value(), 60);   // the value was assigned before Change ran
    EXPECT_EQ(form.ltext.caption(), "70"); // steps before the failing one stay done
    EXPECT_EQ(form.T1m.caption(), massCaption);
}

} // namespace
} // namespace shoutotsu
