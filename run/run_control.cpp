// Starting and clearing a run, handing over between the phases, quitting.
// The run state lives only in the start button: its caption and visibility.
#include "app/main_form.h"

#include "run/captions.h"

namespace shoutotsu {

void MainForm::start_Click() {
    if (start.caption() == kStartCaption) {
        for (ScrollBar* bar : parameterScrollBars()) {
            bar->setEnabled(false);
        }
        start.setVisible(false);
        state.t = F32(0.0f);
        // The speed is read only here: a change during a run waits for the
        // next, and the run is reported with the speed it started with.
        runSpeed_ = chosenSpeed();
        switch (runSpeed_) {
        case Speed::Fast:
            state.timeDiv = F32(1000.0f);
            break;
        case Speed::Medium:
            state.timeDiv = F32(2000.0f);
            break;
        case Speed::Slow:
            state.timeDiv = F32(3000.0f);
            break;
        }
        MAEtimer.setEnabled(true);
        return;
    }
    if (start.caption() == kClearCaption) {
        UpdateScene();
        // A bar the teacher locked for the lesson stays as the run left it.
        for (ScrollBar* bar : parameterScrollBars()) {
            bar->setEnabled(!barLocked(*bar));
        }
        kekka.setVisible(false);
        en.setVisible(false);
        start.setCaption(kStartCaption, kStartCaptionName);
    }
}

void MainForm::BeginFloorRun() {
    state.t = F32(0.0f);
    NAKAtimer.setEnabled(true);
}

void MainForm::BeginAfter() {
    state.t = F32(0.0f);
    ATOtimer.setEnabled(true);
}

void MainForm::Command1_Click() {
    // Unloading the only window ends the program at once, in any phase.
    for (Timer* timer : phaseTimers()) {
        timer->setEnabled(false);
    }
    unloaded_ = true;
    platform_.unloadMainWindow();
}

} // namespace shoutotsu
