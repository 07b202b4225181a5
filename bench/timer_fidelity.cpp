// Timer fidelity of the real window: clicks "スタート" on the real button,
// lets the window's own timers drive the run, and compares the wall time to
// the caption "クリア" with the ideal ticks × 10 ms.
//   timer_fidelity fast|medium|slow [REPEATS]
// Prints one line per run: speed, ticks, wall ms and the ratio.
#include "app/app_icon.h"
#include "app/main_form.h"
#include "platform/qt/application_look.h"
#include "platform/qt/form_view.h"
#include "platform/qt/qt_platform.h"
#include "platform/qt/twips_scale.h"
#include "run/experiment.h"

#include <QAbstractButton>
#include <QApplication>
#include <QTimer>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>

namespace {

using Clock = std::chrono::steady_clock;

// The window as the program shows it, with a look at every change it shows.
class MeasuringView : public shoutotsu::FormView {
  public:
    using FormView::FormView;
    std::function<void(shoutotsu::Control&, shoutotsu::Property)> afterChange;

    void propertyChanged(shoutotsu::Control& control, shoutotsu::Property property) override {
        FormView::propertyChanged(control, property);
        if (afterChange) {
            afterChange(control, property);
        }
    }
};

// The same run without a display: how many ticks it takes.
long headlessTicks(const shoutotsu::ScreenSize& screen, int speed) {
    shoutotsu::HeadlessPlatform platform(screen);
    shoutotsu::MainForm form(platform);
    form.load();
    form.selectSpeed(*shoutotsu::speedAt(speed));
    long ticks = 0;
    shoutotsu::runExperiment(form, [&ticks](const shoutotsu::TickInfo&) { ++ticks; });
    return ticks;
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const char* speedName = argc > 1 ? argv[1] : "medium";
    const int speed = std::strcmp(speedName, "fast") == 0   ? 0
                      : std::strcmp(speedName, "slow") == 0 ? 2
                                                            : 1;
    const int repeats = argc > 2 ? std::max(1, std::atoi(argv[2])) : 3;
    shoutotsu::QtPlatform platform;
    shoutotsu::MainForm form(platform);
    shoutotsu::applyApplicationLook(form.main.font);
    form.load();
    const long expectedTicks = headlessTicks(platform.screenSize(), speed);
    MeasuringView view(form, shoutotsu::appIcon());
    platform.setMainWindow(view.window());
    view.show();

    // Ticks the window's timers delivered, counted after the form took each.
    long delivered = 0;
    for (shoutotsu::Timer* timer : form.phaseTimers()) {
        QObject::connect(view.timerFor(*timer), &QTimer::timeout, [&delivered] { ++delivered; });
    }
    auto click = [&view](const shoutotsu::Control& control) {
        static_cast<QAbstractButton*>(view.widgetFor(control))->click();
    };

    int done = 0;
    int status = 0;
    Clock::time_point started;
    std::function<void()> startRun = [&] {
        delivered = 0;
        started = Clock::now();
        click(form.start);
    };
    view.afterChange = [&](shoutotsu::Control& control, shoutotsu::Property property) {
        if (&control != &form.start || property != shoutotsu::Property::Caption ||
            form.start.caption() != "クリア") {
            return;
        }
        const double wallMs =
            std::chrono::duration<double, std::milli>(Clock::now() - started).count();
        const long ticks = delivered + 1; // the tick that ends the run is still running
        const double ratio = wallMs / (static_cast<double>(ticks) * form.MAEtimer.interval());
        std::printf("%s ticks %ld (headless %ld) wall_ms %.1f fidelity %.4f\n", speedName, ticks,
                    expectedTicks, wallMs, ratio);
        std::fflush(stdout);
        if (ticks != expectedTicks) {
            status = 1;
        }
        ++done;
        QTimer::singleShot(200, [&] {
            click(form.start); // "クリア"
            if (done >= repeats) {
                QApplication::quit();
            } else {
                QTimer::singleShot(200, startRun);
            }
        });
    };

    // Give the window time to appear, select the speed on its option
    // button, and go.
    QTimer::singleShot(500, [&] {
        click(form.sp[static_cast<size_t>(speed)]);
        QTimer::singleShot(200, startRun);
    });
    const int exitStatus = QApplication::exec();
    return status != 0 ? status : exitStatus;
}
