#include "run/experiment.h"

#include "run/phase_clock.h"

namespace shoutotsu {

void applyParameters(MainForm& form, const Parameters& p) {
    for (const ParameterInfo& info : kParameters) {
        form.scroll(form.parameterBar(info.id), ScrollAction::ThumbTo,
                    barValueFor(info, p.value(info.id)));
    }
    form.selectSpeed(p.speed);
}

const char* phaseName(Phase phase) {
    switch (phase) {
    case Phase::Descent:
        return "descent";
    case Phase::Floor:
        return "floor";
    case Phase::After:
        return "after";
    }
    return "?";
}

bool currentPhase(MainForm& form, Phase& phase) {
    const auto timers = form.phaseTimers();
    for (size_t i = 0; i < timers.size(); ++i) {
        if (timers[i]->enabled()) {
            phase = static_cast<Phase>(i);
            return true;
        }
    }
    return false;
}

bool runExperiment(MainForm& form, const std::function<void(const TickInfo&)>& afterTick,
                   long maxTicks) {
    if (!form.click(form.start) || form.halted()) {
        return false;
    }
    Phase phase = Phase::Descent;
    Phase lastPhase = Phase::Descent;
    int tickInPhase = 0;
    for (long ticks = 0; currentPhase(form, phase); ++ticks) {
        if (ticks >= maxTicks) {
            return false;
        }
        tickInPhase = (phase == lastPhase) ? tickInPhase + 1 : 1;
        lastPhase = phase;
        Timer& timer = *form.phaseTimers()[static_cast<size_t>(phase)];
        const float clock = advancedClock(form.state.t, timer, form.state.timeDiv).v;
        form.tick(timer);
        if (form.halted()) {
            return false;
        }
        if (afterTick) {
            afterTick(TickInfo{phase, tickInPhase, clock});
        }
    }
    return true;
}

} // namespace shoutotsu
