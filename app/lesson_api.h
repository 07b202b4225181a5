// The experiment as a lesson drives it and a record keeps its runs: set a
// condition, lock it, choose a speed, read the conditions, hear of each run
// that ends, and the result a run with given conditions ends with. The
// window's own contract (platform/form.h) knows none of this; the form of
// the experiment implements both, and the page's binding reaches this one.
#pragma once

#include "app/parameters.h"

#include <optional>
#include <string>

namespace shoutotsu {

// One run that went to its end: the conditions as the learner read them
// beside the scroll bars and the speed the run started with, the distance
// the result label shows in whole millimetres (its "37.9cm" is 379), and the
// sentence a screen reader hears of it.
struct FinishedRun {
    Parameters settings;
    int resultMm = 0;
    std::string spoken;
};

class RunObserver {
  public:
    virtual ~RunObserver() = default;
    // Once per run, at the moment it ends; never for a run quit halfway.
    virtual void runFinished(const FinishedRun& run) = 0;
};

class Experiment {
  public:
    virtual ~Experiment() = default;

    // Moves the parameter's scroll bar so that its label shows `shownValue`
    // (in the unit of app/parameters.h), as a learner's drag of the thumb
    // would. False, with nothing moved, for a value off the bar's range or
    // step, or while the bar takes no input (a run, a lock).
    virtual bool setParameter(ParameterId id, int shownValue) = 0;
    // Disables the parameter's scroll bar for good: クリア enables only the
    // others, and a screen reader is told the teacher fixed it.
    virtual bool lockParameter(ParameterId id) = 0;
    // Chooses the speed of the next run, as a click on its option would.
    virtual bool selectSpeed(Speed speed) = 0;
    // The conditions as the labels show them now, and the speed chosen now.
    virtual Parameters currentSettings() const = 0;
    virtual void setRunObserver(RunObserver* observer) = 0;
    // The result, in whole millimetres, that a run with `settings` ends with
    // (the speed does not count); nothing for a setting off its bar's range.
    virtual std::optional<int> resultMmFor(const Parameters& settings) const = 0;
};

} // namespace shoutotsu
