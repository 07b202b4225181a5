#include "app/main_form.h"

#include "app/accessible_text.h"
#include "run/result_check.h"
#include "run/result_text.h"

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
    try {
        handler();
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

Speed MainForm::chosenSpeed() const {
    for (const SpeedInfo& speed : kSpeeds) {
        if (sp[static_cast<size_t>(speed.speed)].value()) {
            return speed.speed;
        }
    }
    return kSpeeds.back().speed;
}

void MainForm::showResult(int mm) {
    resultMm_ = mm;
    kekka.setCaption(resultText(mm));
}

void MainForm::reportFinishedRun() {
    if (runObserver_ == nullptr) {
        return;
    }
    FinishedRun run;
    run.settings = currentSettings();
    run.settings.speed = runSpeed_;
    run.resultMm = resultMm_;
    run.spoken = resultSentence(*this);
    runObserver_->runFinished(run);
}

bool MainForm::setParameter(ParameterId id, int shownValue) {
    const ParameterInfo& p = parameterInfo(id);
    if (shownValue < p.minimum || shownValue > p.maximum ||
        (shownValue - p.minimum) % p.step != 0) {
        return false;
    }
    ScrollBar& bar = parameterBar(id);
    if (!loaded_ || halted_ || unloaded_ || !bar.enabled()) {
        return false;
    }
    const int16_t target = barValueFor(p, shownValue);
    return bar.value() == target || scroll(bar, ScrollAction::ThumbTo, target);
}

bool MainForm::lockParameter(ParameterId id) {
    if (!loaded_) {
        return false;
    }
    locked_[index(id)] = true;
    accessibleTextStale_ = true; // the bar's description says so
    return runEvent([this, id] { parameterBar(id).setEnabled(false); });
}

bool MainForm::barLocked(const ScrollBar& bar) const {
    for (const ParameterInfo& p : kParameters) {
        if (&parameterBar(p.id) == &bar) {
            return locked_[index(p.id)];
        }
    }
    return false;
}

Parameters MainForm::currentSettings() const {
    Parameters settings;
    for (const ParameterInfo& p : kParameters) {
        const int value = parameterBar(p.id).value();
        settings.value(p.id) = countedFromOtherEnd(p) ? p.countedFrom - value : value;
    }
    settings.speed = chosenSpeed();
    return settings;
}

std::optional<int> MainForm::resultMmFor(const Parameters& settings) const {
    return checkedResultMm(settings);
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
    if (!loaded_ || halted_ || unloaded_ || !bar.enabled()) {
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

bool MainForm::selectSpeed(Speed speed) { return select(sp[static_cast<size_t>(speed)]); }

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
