#include "platform/web/experiment_api.h"

#include "app/experiment_json.h"
#include "run/result_text.h"

#include <optional>
#include <string>

#ifdef __EMSCRIPTEN__
#include <emscripten.h>
#else
#define EMSCRIPTEN_KEEPALIVE
#endif

namespace shoutotsu {
namespace {

// Keeps the last run that ended until the script takes it.
class RunSlot : public RunObserver {
  public:
    void runFinished(const FinishedRun& run) override { json_ = finishedRunJson(run); }
    std::string take() {
        std::string run;
        run.swap(json_);
        return run;
    }

  private:
    std::string json_;
};

Experiment* pageExperiment = nullptr;
RunSlot runSlot;

Parameters settingsOf(int height, int length, int m1, int m2, int r1, int r2) {
    Parameters parameters;
    parameters.heightCm = height;
    parameters.lengthCm = length;
    parameters.m1Grams = m1;
    parameters.m2Grams = m2;
    parameters.r1Mm = r1;
    parameters.r2Mm = r2;
    return parameters;
}

std::optional<int> resultMmFor(int height, int length, int m1, int m2, int r1, int r2) {
    if (pageExperiment == nullptr) {
        return std::nullopt;
    }
    return pageExperiment->resultMmFor(settingsOf(height, length, m1, m2, r1, r2));
}

} // namespace

void attachExperiment(Experiment* experiment) {
    if (pageExperiment != nullptr) {
        pageExperiment->setRunObserver(nullptr);
    }
    runSlot.take();
    pageExperiment = experiment;
    if (pageExperiment != nullptr) {
        pageExperiment->setRunObserver(&runSlot);
    }
}

} // namespace shoutotsu

using shoutotsu::pageExperiment;

extern "C" {

EMSCRIPTEN_KEEPALIVE int shoutotsu_set_parameter(int parameter, int value) {
    const auto id = shoutotsu::parameterAt(parameter);
    return pageExperiment != nullptr && id && pageExperiment->setParameter(*id, value) ? 1 : 0;
}

EMSCRIPTEN_KEEPALIVE int shoutotsu_lock_parameter(int parameter) {
    const auto id = shoutotsu::parameterAt(parameter);
    return pageExperiment != nullptr && id && pageExperiment->lockParameter(*id) ? 1 : 0;
}

EMSCRIPTEN_KEEPALIVE int shoutotsu_select_speed(int speed) {
    const auto chosen = shoutotsu::speedAt(speed);
    return pageExperiment != nullptr && chosen && pageExperiment->selectSpeed(*chosen) ? 1 : 0;
}

EMSCRIPTEN_KEEPALIVE const char* shoutotsu_settings() {
    static std::string text;
    text = pageExperiment != nullptr ? shoutotsu::settingsJson(pageExperiment->currentSettings())
                                     : "{}";
    return text.c_str();
}

EMSCRIPTEN_KEEPALIVE const char* shoutotsu_finished_run() {
    static std::string text;
    text = shoutotsu::runSlot.take();
    return text.c_str();
}

EMSCRIPTEN_KEEPALIVE int shoutotsu_result_mm_for(int height, int length, int m1, int m2, int r1,
                                                 int r2) {
    const std::optional<int> mm = shoutotsu::resultMmFor(height, length, m1, m2, r1, r2);
    return mm ? *mm : -1;
}

EMSCRIPTEN_KEEPALIVE const char* shoutotsu_result_for(int height, int length, int m1, int m2,
                                                      int r1, int r2) {
    static std::string text;
    const std::optional<int> mm = shoutotsu::resultMmFor(height, length, m1, m2, r1, r2);
    text = mm ? shoutotsu::resultText(*mm) : "";
    return text.c_str();
}

} // extern "C"
