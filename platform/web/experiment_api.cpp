#include "platform/web/experiment_api.h"

#include "platform/runtime_error.h"
#include "run/landing.h"
#include "run/result_text.h"

#ifdef __EMSCRIPTEN__
#include <emscripten.h>
#else
#define EMSCRIPTEN_KEEPALIVE
#endif

namespace shoutotsu {
namespace {

// A form of its own, never shown: the learner's window is not touched. The
// screen it is fitted to does not matter, as the table's height is worked
// out back in centimetres.
MainForm& checkingForm() {
    static HeadlessPlatform platform;
    static MainForm form(platform);
    if (!form.loaded()) {
        form.load();
    }
    return form;
}

} // namespace

std::string resultFor(const Parameters& parameters) {
    for (const ParameterInfo& info : kParameters) {
        const int value = parameters.value(info.id);
        if (value < info.minimum || value > info.maximum) {
            return "";
        }
    }
    MainForm& form = checkingForm();
    // The settings go in through the scroll bars, as a learner sets them, so
    // that the scene and the state are the ones a run would start from; the
    // last phase's own formula then gives where the bob lands, without the
    // hundreds of ticks the run takes to show it.
    applyParameters(form, parameters);
    if (form.halted()) {
        return "";
    }
    try {
        return resultText(landingDistanceMm(form).v);
    } catch (const RunTimeError&) {
        return "";
    }
}

} // namespace shoutotsu

extern "C" EMSCRIPTEN_KEEPALIVE const char* shoutotsu_result_for(int height, int length, int m1,
                                                                 int m2, int r1, int r2) {
    static std::string text;
    shoutotsu::Parameters parameters;
    parameters.heightCm = height;
    parameters.lengthCm = length;
    parameters.m1Grams = m1;
    parameters.m2Grams = m2;
    parameters.r1Mm = r1;
    parameters.r2Mm = r2;
    text = shoutotsu::resultFor(parameters);
    return text.c_str();
}
