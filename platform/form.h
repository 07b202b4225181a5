// The form as a binding sees it: its controls, its event entries and its
// observer. The Qt window and the browser page are built from this alone;
// neither knows which form it shows or what its handlers do.
//
// Each event entry runs one event to completion and returns false when the
// event was not taken (hidden button, disabled scroll bar or timer, window
// unloaded, a run-time error already reported). After each event the form
// has brought the accessible names and descriptions on its controls up to
// date, so a binding hears of them through the observer like any other
// property.
#pragma once

#include "platform/command_button.h"
#include "platform/control.h"
#include "platform/option_button.h"
#include "platform/scroll_bar.h"
#include "platform/timer.h"

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace shoutotsu {

// The window's frame around its client area, twips: the window's Left, Top,
// Width and Height are its outer rectangle, child positions are relative to
// the client area.
constexpr float kWindowBorderTwips = 60.0f;   // left, right and bottom edges
constexpr float kWindowCaptionTwips = 300.0f; // title bar and top edge

// One run that went to its end, as the form hands it on: each parameter by
// its key with the value the learner read beside its scroll bar, the speed
// the run used (as it was when the run started), the result exactly as the
// window shows it, and the sentence a screen reader hears of it.
struct FinishedRun {
    std::vector<std::pair<std::string, int>> values; // {"m1", 20}, ...
    std::string speed;                               // "fast", "medium" or "slow"
    std::string result;                              // "37.9cm"
    std::string spoken; // the result as a screen reader is told it as it appears
};

// The conditions as the window stands now: each parameter by its key with
// the value its label shows, in the form's order of them, and the speed
// chosen now (for the next run).
struct CurrentSettings {
    std::vector<std::pair<std::string, int>> values; // {"height", 20}, ...
    std::string speed;                               // "fast", "medium" or "slow"
};

class RunObserver {
  public:
    virtual ~RunObserver() = default;
    // Once per run, at the moment it ends; never for a run quit halfway.
    virtual void runFinished(const FinishedRun& run) = 0;
};

class Form {
  public:
    virtual ~Form() = default;

    // The window; every other control lies inside it.
    virtual Control& window() = 0;
    // Every control, the window first, each container before its children.
    virtual const std::vector<Control*>& allControls() const = 0;
    virtual void setObserver(ControlObserver* observer) = 0;
    // A form without runs never calls it.
    virtual void setRunObserver(RunObserver* /*observer*/) {}

    virtual bool click(CommandButton& button) = 0;
    // True only when the value moved.
    virtual bool scroll(ScrollBar& bar, ScrollAction action, int16_t thumbValue = 0) = 0;
    virtual bool select(OptionButton& option) = 0;
    virtual bool tick(Timer& timer) = 0;

    // A lesson set up before the learner starts. A parameter is its place
    // in currentSettings().values. setParameter moves its scroll bar to the
    // value its label then shows, as a learner would (false for a value off
    // the bar's range or step, or a bar that takes no input now);
    // lockParameter keeps its scroll bar disabled from now on, in every
    // state of the form; selectSpeed chooses a speed by its place in the
    // form's list of them, as a learner's click on its option would. A form
    // without parameters takes none of them.
    virtual bool setParameter(int /*parameter*/, int /*shownValue*/) { return false; }
    virtual bool lockParameter(int /*parameter*/) { return false; }
    virtual bool selectSpeed(int /*speed*/) { return false; }
    virtual CurrentSettings currentSettings() const { return {}; }

    virtual bool loaded() const = 0;
    virtual bool unloaded() const = 0;
    virtual bool halted() const = 0; // a run-time error was reported
};

} // namespace shoutotsu
