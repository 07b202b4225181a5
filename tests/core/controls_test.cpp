// The controls model: geometry reads back, Change is raised exactly when a
// value changes, user input respects enabled state and the ends, option
// buttons are exclusive, and an error is reported once at the event boundary.
#include "test_support.h"

#include <gtest/gtest.h>

#include <map>
#include <string>

namespace shoutotsu {
namespace {

using testing::LoadedForm;

TEST(Controls, GeometryReadsBackExactlyWhatWasAssigned) {
    Control c(ControlKind::Label, "x");
    c.setLeft(1054.41552734375f);
    c.setHeight(16777217.0f); // rounded to a float once, at the assignment
    EXPECT_EQ(c.left(), 1054.41552734375f);
    EXPECT_EQ(c.height(), 16777216.0f);
}

TEST(Controls, ScrollBarRaisesChangeOnlyWhenItsValueMoves) {
    ScrollBar bar(ControlKind::HScrollBar, "r", 8, 14, 2, 2, 10);
    std::vector<int> seenInChange;
    bar.onChange = [&] { seenInChange.push_back(bar.value()); };
    bar.setValue(10); // the value it holds
    bar.setValue(12);
    for (int i = 0; i < 3; ++i) {
        bar.userAction(ScrollAction::LineIncrement); // stops at 14
    }
    bar.userAction(ScrollAction::PageDecrement);
    bar.userAction(ScrollAction::ThumbTo, 99); // a drag clamps to the end
    EXPECT_EQ(seenInChange, (std::vector<int>{12, 14, 12, 14}));
    EXPECT_THROW(bar.setValue(15), RunTimeError);
    bar.setEnabled(false);
    EXPECT_FALSE(bar.userAction(ScrollAction::ToMinimum));
    EXPECT_EQ(bar.value(), 14);
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
    for (int pick : {0, 2, 2, 1}) {
        f.form.selectSpeed(*speedAt(pick));
        for (int i = 0; i < 3; ++i) {
            EXPECT_EQ(f.form.sp[static_cast<size_t>(i)].value(), i == pick);
        }
    }
}

// A screen reader hears a parameter's bar as the number beside it: the
// rail's height and slope are shown counted from the other end of the bar,
// so raising the rail (its bar's value going down) raises the number.
TEST(Controls, ParameterBarsReportTheNumberTheirLabelShows) {
    LoadedForm f;
    const auto reported = [](const Control& bar) {
        const AccessibleValue& v = bar.accessibleValue();
        return std::vector<int>{v.present, v.now, v.minimum, v.maximum};
    };
    EXPECT_EQ(reported(f.form.Hscroll), (std::vector<int>{1, 20, 10, 40}));
    EXPECT_EQ(reported(f.form.Lscroll), (std::vector<int>{1, 60, 50, 80}));
    EXPECT_EQ(reported(f.form.T1rScroll), (std::vector<int>{1, 10, 8, 14}));
    f.form.scroll(f.form.Hscroll, ScrollAction::LineDecrement);
    f.form.scroll(f.form.T1mScroll, ScrollAction::ToMaximum);
    EXPECT_EQ(reported(f.form.Hscroll), (std::vector<int>{1, 30, 10, 40}));
    EXPECT_EQ(f.form.htext.caption(), "30");
    EXPECT_EQ(reported(f.form.T1mScroll), (std::vector<int>{1, 50, 10, 50}));
    EXPECT_FALSE(f.form.start.accessibleValue().present);
}

// Each parameter's row in the table names the bar that sets it and the label
// that shows it; at start-up the label shows the default, and the bar's two
// ends take the label to the two ends of the range, whichever way the bar
// counts.
TEST(Controls, EachParameterBarCoversItsRangeAndStartsAtItsDefault) {
    LoadedForm f;
    for (const ParameterInfo& p : kParameters) {
        SCOPED_TRACE(p.key);
        ScrollBar& bar = f.form.parameterBar(p.id);
        const Control& label = f.form.valueLabel(p.id);
        EXPECT_EQ(bar.name(), p.barName);
        EXPECT_EQ(bar.kind(), p.barKind);
        EXPECT_EQ(label.name(), p.labelName);
        EXPECT_EQ(bar.smallChange(), p.step);
        EXPECT_EQ(label.caption(), std::to_string(p.defaultValue));
        EXPECT_EQ(bar.accessibleName(), std::string(p.spokenName) + " (" + p.unit + ")");

        f.form.scroll(bar, ScrollAction::ToMinimum);
        const std::string atMinimum = label.caption();
        f.form.scroll(bar, ScrollAction::ToMaximum);
        const std::string atMaximum = label.caption();
        const int low = countedFromOtherEnd(p) ? p.maximum : p.minimum;
        const int high = countedFromOtherEnd(p) ? p.minimum : p.maximum;
        EXPECT_EQ(atMinimum, std::to_string(low));
        EXPECT_EQ(atMaximum, std::to_string(high));
        EXPECT_EQ(bar.accessibleValue().minimum, p.minimum);
        EXPECT_EQ(bar.accessibleValue().maximum, p.maximum);
    }
    for (size_t i = 0; i < kSpeeds.size(); ++i) {
        EXPECT_EQ(f.form.sp[i].value(), kSpeeds[i].speed == kDefaultSpeed);
        EXPECT_EQ(f.form.sp[i].accessibleName(), kSpeeds[i].spokenName);
    }
}

TEST(Controls, RunTimeErrorEndsTheHandlerAndIsReportedOnce) {
    LoadedForm f;
    MainForm& form = f.form;
    EXPECT_FALSE(form.tick(form.MAEtimer)); // a disabled timer takes no tick
    ASSERT_TRUE(form.click(form.start));
    form.state.timeDiv = F32(0.0f); // the next tick divides by zero
    const float leftBefore = form.tamaA.left();
    EXPECT_TRUE(form.tick(form.MAEtimer));
    EXPECT_EQ(f.platform.errorReports, 1);
    EXPECT_NE(f.platform.lastErrorLine.find("'11'"), std::string::npos);
    EXPECT_EQ(form.tamaA.left(), leftBefore);
    for (Timer* timer : form.phaseTimers()) {
        EXPECT_FALSE(timer->enabled());
    }
    EXPECT_FALSE(form.scroll(form.T1mScroll, ScrollAction::LineIncrement));
    EXPECT_EQ(f.platform.errorReports, 1);
}

TEST(Controls, AnErrorInsideChangeLeavesWhatWasAssigned) {
    LoadedForm f;
    MainForm& form = f.form;
    form.state.scale = F32(3.0e38f); // the next scene's products overflow
    form.scroll(form.Lscroll, ScrollAction::LineDecrement);
    EXPECT_EQ(f.platform.errorReports, 1);
    EXPECT_EQ(form.Lscroll.value(), 60);   // assigned before Change ran
    EXPECT_EQ(form.ltext.caption(), "70"); // steps before the failing one stay done
    EXPECT_EQ(form.T1m.caption(), "20");
}

} // namespace
} // namespace shoutotsu
