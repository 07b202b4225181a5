// The window `main`: its controls, the shared state and every handler.
//
// This is the whole behaviour of the program without a display. The Qt
// binding mirrors it into widgets and feeds user input and timer ticks in
// through the event entries at the bottom; tests and tools do the same by
// hand.
#pragma once

#include "app/lesson_api.h"
#include "app/parameters.h"
#include "app/sim_state.h"
#include "platform/command_button.h"
#include "platform/control.h"
#include "platform/figures.h"
#include "platform/form.h"
#include "platform/option_button.h"
#include "platform/platform_services.h"
#include "platform/scroll_bar.h"
#include "platform/timer.h"

#include <array>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace shoutotsu {

// The tiny-screen rule of the fitting loop: the window never gets narrower
// than the row of parameter frames and the start column need.
constexpr float kMinWindowWidthTwips = 8700.0f;

class MainForm : public Form, public Experiment {
  public:
    explicit MainForm(PlatformServices& platform);
    MainForm(const MainForm&) = delete;
    MainForm& operator=(const MainForm&) = delete;

    // --- the controls, by their names ---
    Control main{ControlKind::Window, "main"};
    Control SPFrame{ControlKind::Frame, "SPFrame"};
    Control RFrame{ControlKind::Frame, "RFrame"};
    Timer NAKAtimer{"NAKAtimer", 10};
    Timer ATOtimer{"ATOtimer", 10};
    Timer MAEtimer{"MAEtimer", 10};
    CommandButton start{"start"};
    Control T2Frame{ControlKind::Frame, "T2Frame"};
    Control T1Frame{ControlKind::Frame, "T1Frame"};
    CommandButton Command1{"Command1"};
    Control work{ControlKind::PictureBox, "work"};
    Control varcopy{ControlKind::Label, "varcopy"};
    Control title_s{ControlKind::Label, "title_s"};
    Control title{ControlKind::Label, "title"};

    // inside work
    Shape en{"en", ShapeKind::Circle};
    Control kekka{ControlKind::Label, "kekka"};
    Shape yukaB{"yukaB", ShapeKind::Rectangle};
    Line yukaA{"yukaA"};
    Shape tamaA{"tamaA", ShapeKind::Circle};
    Shape tamaB{"tamaB", ShapeKind::Circle};
    Shape hako{"hako", ShapeKind::Rectangle};
    Line rail2{"rail2"};
    Control subtitle2{ControlKind::Label, "subtitle2"};
    Control subtitle1{ControlKind::Label, "subtitle1"};
    Line rail{"rail"};

    // inside T1Frame (masses)
    ScrollBar T2mScroll = parameterScrollBar(ParameterId::M2);
    ScrollBar T1mScroll = parameterScrollBar(ParameterId::M1);
    Control Label14{ControlKind::Label, "Label14"};
    Control T2m = parameterLabel(ParameterId::M2);
    Control Label18{ControlKind::Label, "Label18"};
    Control Label7{ControlKind::Label, "Label7"};
    Control T1m = parameterLabel(ParameterId::M1);
    Control Label11{ControlKind::Label, "Label11"};

    // inside T2Frame (radii)
    ScrollBar T1rScroll = parameterScrollBar(ParameterId::R1);
    ScrollBar T2rScroll = parameterScrollBar(ParameterId::R2);
    Shape Shape2{"Shape2", ShapeKind::Circle};
    Shape Shape1{"Shape1", ShapeKind::Circle};
    Control Label12{ControlKind::Label, "Label12"};
    Control T1r = parameterLabel(ParameterId::R1);
    Control Label8{ControlKind::Label, "Label8"};
    Control Label13{ControlKind::Label, "Label13"};
    Control T2r = parameterLabel(ParameterId::R2);
    Control Label17{ControlKind::Label, "Label17"};

    // inside RFrame (rail)
    ScrollBar Lscroll = parameterScrollBar(ParameterId::Length);
    ScrollBar Hscroll = parameterScrollBar(ParameterId::Height);
    Control Label1{ControlKind::Label, "Label1"};
    Control Label2{ControlKind::Label, "Label2"};
    Control htext = parameterLabel(ParameterId::Height);
    Control ltext = parameterLabel(ParameterId::Length);
    Control Label5{ControlKind::Label, "Label5"};
    Control Label6{ControlKind::Label, "Label6"};

    // inside SPFrame (speed): the option array sp(0..2) and its legend
    std::array<OptionButton, 3> sp{OptionButton{"sp", 0}, OptionButton{"sp", 1},
                                   OptionButton{"sp", 2}};
    Control Label3{ControlKind::Label, "Label3"};

    SimState state;

    // --- handlers ---
    void Form_Load();
    void UpdateScene();
    void start_Click();
    void Command1_Click();
    void BeginFloorRun();
    void BeginAfter();
    void MAEtimer_Timer();
    void NAKAtimer_Timer();
    void ATOtimer_Timer();

    // --- event entries: each runs one event to completion and catches a
    // run-time error at the boundary (reported once, then nothing more runs).
    // They return false when the event was not taken (hidden button, disabled
    // scroll bar or timer, window unloaded, error already reported); scroll()
    // returns true only when the value moved.
    bool load();
    bool click(CommandButton& button) override;
    bool scroll(ScrollBar& bar, ScrollAction action, int16_t thumbValue = 0) override;
    bool select(OptionButton& option) override;
    bool tick(Timer& timer) override;

    // --- the experiment, as a lesson drives it (app/lesson_api.h) ---
    bool setParameter(ParameterId id, int shownValue) override;
    bool lockParameter(ParameterId id) override;
    bool selectSpeed(Speed speed) override; // its option sp(speed)
    Parameters currentSettings() const override;
    void setRunObserver(RunObserver* observer) override { runObserver_ = observer; }
    std::optional<int> resultMmFor(const Parameters& settings) const override;
    bool parameterLocked(ParameterId id) const { return locked_[index(id)]; }
    // The result the label shows, in whole millimetres, as it was last set.
    int resultMm() const { return resultMm_; }

    bool loaded() const override { return loaded_; }
    bool unloaded() const override { return unloaded_; }
    bool halted() const override { return halted_; }

    // --- lookup for views, tools and tests ---
    Control& window() override { return main; }
    const std::vector<Control*>& allControls() const override { return all_; }
    std::array<ScrollBar*, 6> parameterScrollBars(); // in the order a run disables them
    // The scroll bar that sets a parameter and the label that shows it.
    ScrollBar& parameterBar(ParameterId id) { return *parameterBars_[index(id)]; }
    const ScrollBar& parameterBar(ParameterId id) const { return *parameterBars_[index(id)]; }
    Control& valueLabel(ParameterId id) { return *valueLabels_[index(id)]; }
    const Control& valueLabel(ParameterId id) const { return *valueLabels_[index(id)]; }
    std::array<Timer*, 3> phaseTimers(); // descent, floor run, after the impact
    Control* find(const std::string& name, int index = -1);
    void setObserver(ControlObserver* observer) override;

  private:
    // Sits between the controls and the view: passes every change on and
    // notes the ones that can change what a screen reader says.
    class Relay : public ControlObserver {
      public:
        explicit Relay(MainForm& form) : form_(form) {}
        void propertyChanged(Control& control, Property property) override;

      private:
        MainForm& form_;
    };

    static size_t index(ParameterId id) { return static_cast<size_t>(id); }
    // A parameter's scroll bar and value label as the window is built.
    static ScrollBar parameterScrollBar(ParameterId id) {
        const ParameterInfo& p = parameterInfo(id);
        return ScrollBar(p.barKind, p.barName, barMinimum(p), barMaximum(p),
                         static_cast<int16_t>(p.step), static_cast<int16_t>(p.step), p.barAtBuild);
    }
    static Control parameterLabel(ParameterId id) {
        return Control(ControlKind::Label, parameterInfo(id).labelName);
    }

    void buildControlSet();
    bool runEvent(const std::function<void()>& handler);
    // The speed whose option is chosen; the last one if none is.
    Speed chosenSpeed() const;
    // The result label shows `mm` whole millimetres (written as "37.9cm").
    void showResult(int mm);
    // The run ends here, with its result shown: the run observer hears of it.
    void reportFinishedRun();
    void refreshAccessibleText();
    bool barLocked(const ScrollBar& bar) const;

    PlatformServices& platform_;
    std::vector<Control*> all_;
    std::array<ScrollBar*, kParameters.size()> parameterBars_{};
    std::array<Control*, kParameters.size()> valueLabels_{};
    std::array<bool, kParameters.size()> locked_{};
    Relay relay_{*this};
    ControlObserver* view_ = nullptr;
    RunObserver* runObserver_ = nullptr;
    Speed runSpeed_ = kDefaultSpeed; // the speed the current run started with
    int resultMm_ = 0;               // what the result label shows
    bool accessibleTextStale_ = true;
    bool loaded_ = false;
    bool unloaded_ = false;
    bool halted_ = false;
};

} // namespace shoutotsu
