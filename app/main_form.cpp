#include "app/main_form.h"

#include "app/accessible_text.h"
#include "run/captions.h"

namespace shoutotsu {

MainForm::MainForm(PlatformServices& platform) : platform_(platform) {
    buildControlSet();
    for (const ParameterInfo& p : kParameters) {
        parameterBars_[index(p.id)] = static_cast<ScrollBar*>(find(p.barName));
        valueLabels_[index(p.id)] = find(p.labelName);
    }

    // Each scroll bar's Change rebuilds the scene and does nothing else.
    for (ScrollBar* bar : parameterScrollBars()) {
        bar->onChange = [this] { UpdateScene(); };
    }
    start.onClick = [this] { start_Click(); };
    Command1.onClick = [this] { Command1_Click(); };
    MAEtimer.onTimer = [this] { MAEtimer_Timer(); };
    NAKAtimer.onTimer = [this] { NAKAtimer_Timer(); };
    ATOtimer.onTimer = [this] { ATOtimer_Timer(); };
    for (Control* c : all_) {
        c->setObserver(&relay_);
    }
    refreshAccessibleText();
}

std::array<ScrollBar*, 6> MainForm::parameterScrollBars() {
    return {&T1mScroll, &T2mScroll, &T1rScroll, &T2rScroll, &Hscroll, &Lscroll};
}

std::array<Timer*, 3> MainForm::phaseTimers() { return {&MAEtimer, &NAKAtimer, &ATOtimer}; }

Control* MainForm::find(const std::string& name, int index) {
    for (Control* c : all_) {
        if (c->name() == name && c->index() == index) {
            return c;
        }
    }
    return nullptr;
}

void MainForm::setObserver(ControlObserver* observer) { view_ = observer; }

void MainForm::Relay::propertyChanged(Control& control, Property property) {
    // Names and descriptions are made of captions (the value labels, the
    // result) and of what is shown; nothing else enters them.
    if (property == Property::Caption || property == Property::Visible) {
        form_.accessibleTextStale_ = true;
    }
    if (form_.view_ != nullptr) {
        form_.view_->propertyChanged(control, property);
    }
}

void MainForm::refreshAccessibleText() {
    if (!accessibleTextStale_) {
        return;
    }
    accessibleTextStale_ = false;
    for (Control* c : all_) {
        c->setAccessibleText(accessibleName(*this, *c), accessibleDescription(*this, *c),
                             accessibleValue(*this, *c));
    }
}

bool MainForm::runEvent(const std::function<void()>& handler) {
    if (halted_ || unloaded_) {
        return false;
    }
    const bool wasRunning = !start.visible();
    const bool wasShowingResult = start.caption() == kClearCaption;
    try {
        handler();
        noteRunBoundary(wasRunning, wasShowingResult);
    } catch (const RunTimeError& error) {
        // Stop every timer first so the error is reported exactly once.
        halted_ = true;
        for (Timer* timer : phaseTimers()) {
            timer->setEnabled(false);
        }
        platform_.reportUnhandledError(error);
    }
    // Once per event, so a screen reader hears the outcome of the event
    // (the result of a run, a new value) and not the steps on the way.
    refreshAccessibleText();
    return true;
}

// Notes the speed a run starts with (a learner may move the option during
// the run; the run keeps its own), and tells the run observer of a run that
// has just ended, as the result stands beside the start button's クリア.
void MainForm::noteRunBoundary(bool wasRunning, bool wasShowingResult) {
    if (!wasRunning && !start.visible()) {
        for (const SpeedInfo& speed : kSpeeds) {
            if (sp[static_cast<size_t>(speed.speed)].value()) {
                runSpeed_ = speed.speed;
            }
        }
    }
    if (wasShowingResult || start.caption() != kClearCaption || !start.visible() ||
        runObserver_ == nullptr) {
        return;
    }
    FinishedRun run;
    for (const ParameterInfo& p : kParameters) {
        const int value = parameterBar(p.id).value();
        run.values.emplace_back(p.key, countedFromOtherEnd(p) ? p.countedFrom - value : value);
    }
    run.speed = speedInfo(runSpeed_).key;
    run.result = kekka.caption();
    run.spoken = resultSentence(*this);
    runObserver_->runFinished(run);
}

bool MainForm::load() {
    if (loaded_) {
        return false;
    }
    loaded_ = true;
    return runEvent([this] { Form_Load(); });
}

bool MainForm::click(CommandButton& button) {
    if (!loaded_ || !button.clickable()) {
        return false;
    }
    return runEvent([&button] {
        if (button.onClick) {
            button.onClick();
        }
    });
}

bool MainForm::scroll(ScrollBar& bar, ScrollAction action, int16_t thumbValue) {
    if (!loaded_ || !bar.enabled()) {
        return false;
    }
    bool changed = false;
    runEvent([&] { changed = bar.userAction(action, thumbValue); });
    return changed;
}

bool MainForm::select(OptionButton& option) {
    if (!loaded_ || halted_ || unloaded_) {
        return false;
    }
    option.select(); // the options raise no handled event
    return true;
}

bool MainForm::selectSpeed(int index) {
    if (index < 0 || index >= static_cast<int>(sp.size())) {
        return false;
    }
    return select(sp[static_cast<size_t>(index)]);
}

bool MainForm::tick(Timer& timer) {
    if (!loaded_ || !timer.enabled()) {
        return false;
    }
    return runEvent([&timer] {
        if (timer.onTimer) {
            timer.onTimer();
        }
    });
}

} // namespace shoutotsu
