// What a screen reader says for the window's controls, in the learner's
// language.
//
// The window's own captions serve for the buttons, the frames and the window
// itself. The controls that show no caption of their own get a name here:
// each scroll bar says which parameter it sets and in what unit, the speed
// options say their speed, and the drawing area says what it shows, with the
// values as the learner sees them and the result once there is one.
#pragma once

#include "app/main_form.h"

#include <array>
#include <string>

namespace shoutotsu {

// One parameter as the window shows it: the scroll bar that sets it, the
// label that shows its value (not always the bar's value: the rail's height
// and slope length are shown counted from the other end), and what it is.
struct ShownParameter {
    const ScrollBar* bar;
    const Control* valueLabel;
    const ParameterInfo* info; // its name, e.g. "当てるぴるての重さ", and unit
};
std::array<ShownParameter, 6> shownParameters(const MainForm& form);

// The accessible name of a control: "当てるぴるての重さ (g)" for a scroll
// bar, "速", "中" or "遅" for a speed option, a fixed name for the drawing
// area, the caption for everything else.
std::string accessibleName(const MainForm& form, const Control& control);

// The accessible description of a control: a scroll bar's value as shown
// ("20 g"), the drawing area's scene, empty for everything else.
std::string accessibleDescription(const MainForm& form, const Control& control);

// The result as a screen reader says it once a run has one:
// "結果：当てられるぴるての動いた距離は 37.9cm です。"
std::string resultSentence(const MainForm& form);

// What a parameter's scroll bar reports as its value: the number its label
// shows, within the range its label can show. Nothing for other controls.
AccessibleValue accessibleValue(const MainForm& form, const Control& control);

} // namespace shoutotsu
