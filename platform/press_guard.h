// A button pressed twice in quick succession counts once.
//
// Ten-year-olds double-click buttons: a double click on "クリア" would clear
// the run and at once start the next, adding a run the learner never meant.
// Both bindings ask the guard before handing a press to the form, with the
// time of the press and the system's double-click time, and tell it of each
// press the form took.
#pragma once

namespace shoutotsu {

class Control;

class PressGuard {
  public:
    // intervalMs: the system's double-click time.
    explicit PressGuard(double intervalMs) : intervalMs_(intervalMs) {}

    // False for a second press of the button that was taken last, within the
    // double-click time of it.
    bool allows(const Control& button, double nowMs) const {
        return &button != lastButton_ || nowMs - lastMs_ >= intervalMs_ || nowMs < lastMs_;
    }

    // The form took a press of `button` at `nowMs`.
    void taken(const Control& button, double nowMs) {
        lastButton_ = &button;
        lastMs_ = nowMs;
    }

  private:
    double intervalMs_;
    const Control* lastButton_ = nullptr;
    double lastMs_ = 0;
};

} // namespace shoutotsu
