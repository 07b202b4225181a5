// Driving whole experiments without a display: set the parameters through the
// scroll bars as a learner would, press "スタート", and step the enabled
// timer by hand until the run ends. Used by the command-line tool, the tests
// and the benchmarks.
#pragma once

#include "app/main_form.h"

#include <functional>
#include <string>

namespace shoutotsu {

// Moves each scroll bar's thumb to the value that gives the parameter
// (Hscroll = 50 − height, Lscroll = 130 − length), in the table's order, and
// selects the speed.
void applyParameters(MainForm& form, const Parameters& parameters);

enum class Phase { Descent, Floor, After };
const char* phaseName(Phase phase);

// The enabled phase timer's phase, or false when no run is animating.
bool currentPhase(MainForm& form, Phase& phase);

// Steps every tick of the run that "スタート" begins until the run ends.
// `beforeTick` and `afterTick` see each tick with its phase and its number
// within the phase (from 1). Returns false if the run did not finish (a
// run-time error, or more than `maxTicks` ticks).
struct TickInfo {
    Phase phase;
    int tickInPhase;
    float clock; // the value the tick's first step gives the phase clock
};
bool runExperiment(MainForm& form, const std::function<void(const TickInfo&)>& afterTick = {},
                   long maxTicks = 1000000);

} // namespace shoutotsu
