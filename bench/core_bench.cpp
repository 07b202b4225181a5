// The cost of the model without a display: one tick of each phase, a whole
// run, and the results table over every step combination at every speed.
//
// Phase ticks: the form is brought into the phase once, then the same tick is
// timed again and again with the phase clock put back before each, so every
// iteration computes the same positions in the same phase.
#include "app/main_form.h"
#include "run/experiment.h"
#include "tools/trace_options.h"
#include "tools/trace_output.h"

#include <benchmark/benchmark.h>

#include <ostream>
#include <streambuf>

namespace shoutotsu {
namespace {

constexpr ScreenSize kScreen1024x768{15360.0f, 11520.0f};
constexpr int kRepetitions = 15;

// Ticks the default run until `timer` is enabled and has ticked `extraTicks`
// more times (0 if the phase ended first). Returns false if it never came.
bool bringIntoPhase(MainForm& form, Timer& timer, int extraTicks,
                    const std::function<bool()>& ready = {}) {
    if (!form.click(form.start)) {
        return false;
    }
    for (long guard = 0; guard < 100000 && !form.halted(); ++guard) {
        Phase phase;
        if (!currentPhase(form, phase)) {
            return false;
        }
        Timer& now = phase == Phase::Descent ? form.MAEtimer
                     : phase == Phase::Floor ? form.NAKAtimer
                                             : form.ATOtimer;
        if (&now == &timer && (!ready || ready())) {
            for (int i = 0; i < extraTicks && timer.enabled(); ++i) {
                form.tick(timer);
            }
            return timer.enabled();
        }
        form.tick(now);
    }
    return false;
}

void benchPhaseTick(benchmark::State& bench, Timer MainForm::*which, int extraTicks,
                    bool afterLanding) {
    HeadlessPlatform platform(kScreen1024x768);
    MainForm form(platform);
    form.load();
    Timer& timer = form.*which;
    const bool ok =
        bringIntoPhase(form, timer, extraTicks, [&] { return !afterLanding || form.en.visible(); });
    if (!ok) {
        bench.SkipWithError("the default run did not reach the phase");
        return;
    }
    const F32 clock = form.state.t;
    for (auto _ : bench) {
        form.state.t = clock;
        form.tick(timer);
        benchmark::DoNotOptimize(form.tamaA.left());
    }
    if (!timer.enabled() || form.halted()) {
        bench.SkipWithError("the tick left the phase");
    }
}

void DescentTick(benchmark::State& bench) { benchPhaseTick(bench, &MainForm::MAEtimer, 20, false); }
void FloorTick(benchmark::State& bench) { benchPhaseTick(bench, &MainForm::NAKAtimer, 3, false); }
void AfterTickInFlight(benchmark::State& bench) {
    benchPhaseTick(bench, &MainForm::ATOtimer, 3, false);
}
// After the landing the tick also places the marker and writes the result.
void AfterTickLanded(benchmark::State& bench) {
    benchPhaseTick(bench, &MainForm::ATOtimer, 1, true);
}
BENCHMARK(DescentTick)->Repetitions(kRepetitions)->ReportAggregatesOnly(true);
BENCHMARK(FloorTick)->Repetitions(kRepetitions)->ReportAggregatesOnly(true);
BENCHMARK(AfterTickInFlight)->Repetitions(kRepetitions)->ReportAggregatesOnly(true);
BENCHMARK(AfterTickLanded)->Repetitions(kRepetitions)->ReportAggregatesOnly(true);

// The default run at medium speed, "スタート" to "クリア" and back.
void WholeDefaultRun(benchmark::State& bench) {
    HeadlessPlatform platform(kScreen1024x768);
    MainForm form(platform);
    form.load();
    long ticks = 0;
    for (auto _ : bench) {
        ticks = 0;
        if (!runExperiment(form, [&ticks](const TickInfo&) { ++ticks; })) {
            bench.SkipWithError("the run did not finish");
            return;
        }
        form.click(form.start);
    }
    bench.counters["ticks"] = static_cast<double>(ticks);
}
BENCHMARK(WholeDefaultRun)
    ->Unit(benchmark::kMicrosecond)
    ->Repetitions(kRepetitions)
    ->ReportAggregatesOnly(true);

// Swallows the CSV: only the computing is timed.
class NullBuffer : public std::streambuf {
  protected:
    int overflow(int c) override { return c; }
    std::streamsize xsputn(const char*, std::streamsize n) override { return n; }
};

// shoutotsu-trace --results over the 4 × 4 × 5 × 5 × 4 × 4 = 6,400 step
// combinations, each at the three speeds.
void ResultsSweep(benchmark::State& bench) {
    std::vector<std::string> args{"--results",      "--height", "10,20,30,40",    "--length",
                                  "50,60,70,80",    "--m1",     "10,20,30,40,50", "--m2",
                                  "10,20,30,40,50", "--r1",     "8,10,12,14",     "--r2",
                                  "8,10,12,14"};
    trace::Options options;
    std::string error;
    if (!trace::parseOptions(args, options, error)) {
        bench.SkipWithError(error.c_str());
        return;
    }
    NullBuffer nullBuffer;
    std::ostream out(&nullBuffer);
    for (auto _ : bench) {
        if (trace::writeResults(options, out, out) != 0) {
            bench.SkipWithError("the sweep failed");
            return;
        }
    }
    bench.counters["runs"] = 6400.0 * 3.0;
}
BENCHMARK(ResultsSweep)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1)
    ->Repetitions(7)
    ->ReportAggregatesOnly(true);

} // namespace
} // namespace shoutotsu

BENCHMARK_MAIN();
