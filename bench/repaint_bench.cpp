// Repainting the drawing area `work` with the real painting code, rendered
// into an image on the offscreen platform, mid-flight after the landing:
// both bobs, the marker and the result label are on show. Timed: a full
// repaint (an expose), the tick handler with the window attached, the two
// together, and a tick with the repaint of just what it damaged.
#include "app/main_form.h"
#include "platform/qt/form_view.h"
#include "platform/qt/twips_scale.h"
#include "run/experiment.h"

#include <QApplication>
#include <QImage>
#include <QRegion>
#include <QWidget>

#include <benchmark/benchmark.h>

#include <array>
#include <memory>

namespace shoutotsu {
namespace {

struct LandedWindow {
    explicit LandedWindow(ScreenSize screen) : platform(screen), form(platform) {
        form.load();
        view = std::make_unique<FormView>(form, QIcon(), TwipsScale(96.0));
        view->show();
        work = view->widgetFor(form.work);
        form.click(form.start);
        // Tick by hand (the event loop never runs) until the marker shows.
        Phase phase;
        while (currentPhase(form, phase) && !form.en.visible()) {
            form.tick(phase == Phase::Descent ? form.MAEtimer
                      : phase == Phase::Floor ? form.NAKAtimer
                                              : form.ATOtimer);
        }
        form.tick(form.ATOtimer);
        clock = form.state.t;
        image = QImage(work->size(), QImage::Format_ARGB32_Premultiplied);
    }
    bool ready() const {
        return form.ATOtimer.enabled() && form.en.visible() && form.kekka.visible() &&
               form.tamaA.visible() && form.tamaB.visible() && !form.halted();
    }

    HeadlessPlatform platform;
    MainForm form;
    std::unique_ptr<FormView> view;
    QWidget* work = nullptr;
    F32 clock;
    QImage image;
};

// Screens at 96 dpi, in twips (15 to the pixel).
ScreenSize screenOf(int widthPixels) {
    return widthPixels == 3840 ? ScreenSize{57600.0f, 32400.0f} : ScreenSize{28800.0f, 16200.0f};
}

void RepaintWork(benchmark::State& bench) {
    LandedWindow w(screenOf(static_cast<int>(bench.range(0))));
    if (!w.ready()) {
        bench.SkipWithError("the run did not reach the landing");
        return;
    }
    for (auto _ : bench) {
        w.work->render(&w.image);
    }
    bench.counters["work_px"] = w.work->width() * w.work->height();
}

void TickWithWindow(benchmark::State& bench) {
    LandedWindow w(screenOf(static_cast<int>(bench.range(0))));
    for (auto _ : bench) {
        w.form.state.t = w.clock;
        w.form.tick(w.form.ATOtimer);
    }
    if (!w.ready()) {
        bench.SkipWithError("the tick left the landing");
    }
}

void TickAndRepaint(benchmark::State& bench) {
    LandedWindow w(screenOf(static_cast<int>(bench.range(0))));
    for (auto _ : bench) {
        w.form.state.t = w.clock;
        w.form.tick(w.form.ATOtimer);
        w.work->render(&w.image);
    }
    if (!w.ready()) {
        bench.SkipWithError("the tick left the landing");
    }
}

// What one tick really repaints: the view repaints only the pixels a moved
// figure covered before and covers now. The clock alternates between two
// neighbouring ticks so the figures really move on every iteration.
void TickAndRepaintDamage(benchmark::State& bench) {
    LandedWindow w(screenOf(static_cast<int>(bench.range(0))));
    MainForm& form = w.form;
    const std::array<const Control*, 4> moving{&form.tamaA, &form.tamaB, &form.en, &form.kekka};
    std::array<F32, 2> clocks{w.clock, w.clock};
    std::array<std::array<QRect, 4>, 2> rects;
    for (size_t k = 0; k < 2; ++k) {
        form.state.t = clocks[k];
        form.tick(form.ATOtimer);
        if (k == 0) {
            clocks[1] = form.state.t; // the next tick starts here
        }
        for (size_t i = 0; i < moving.size(); ++i) {
            rects[k][i] = w.view->figureRect(*moving[i]);
        }
    }
    QRegion damage;
    for (size_t i = 0; i < moving.size(); ++i) {
        if (rects[0][i] != rects[1][i]) {
            damage += rects[0][i];
            damage += rects[1][i];
        }
    }
    if (damage.isEmpty() || !w.ready()) {
        bench.SkipWithError("nothing moved between two ticks");
        return;
    }
    size_t k = 0;
    for (auto _ : bench) {
        form.state.t = clocks[k];
        k ^= 1u;
        form.tick(form.ATOtimer);
        w.work->render(&w.image, damage.boundingRect().topLeft(), damage);
    }
    long area = 0;
    for (const QRect& r : damage) {
        area += static_cast<long>(r.width()) * r.height();
    }
    bench.counters["damage_px"] = static_cast<double>(area);
}

BENCHMARK(RepaintWork)
    ->Arg(1920)
    ->Arg(3840)
    ->Unit(benchmark::kMicrosecond)
    ->Repetitions(15)
    ->ReportAggregatesOnly(true);
BENCHMARK(TickWithWindow)
    ->Arg(1920)
    ->Arg(3840)
    ->Unit(benchmark::kMicrosecond)
    ->Repetitions(15)
    ->ReportAggregatesOnly(true);
BENCHMARK(TickAndRepaint)
    ->Arg(1920)
    ->Arg(3840)
    ->Unit(benchmark::kMicrosecond)
    ->Repetitions(15)
    ->ReportAggregatesOnly(true);
BENCHMARK(TickAndRepaintDamage)
    ->Arg(1920)
    ->Arg(3840)
    ->Unit(benchmark::kMicrosecond)
    ->Repetitions(15)
    ->ReportAggregatesOnly(true);

} // namespace
} // namespace shoutotsu

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);
    shoutotsu::FontSpec windowFont;
    {
        shoutotsu::HeadlessPlatform platform;
        shoutotsu::MainForm form(platform);
        windowFont = form.main.font;
    }
    shoutotsu::installJapaneseFonts(windowFont);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
