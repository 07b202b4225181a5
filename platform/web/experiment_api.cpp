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
    // The last phase's own formula gives where the bob lands, without the
    // hundreds of ticks the run takes to show it. Of the settings, only the
    // masses and the rail's height count; the table and gravity are the
    // loaded form's, as in every run.
    const MainForm& form = checkingForm();
    try {
        // Each value is in its scroll bar's range (checked above), so it
        // fits 16 bits.
        const auto in16 = [](int value) { return I16(static_cast<int16_t>(value)); };
        return resultText(landingDistanceMm(in16(parameters.m1Grams), in16(parameters.m2Grams),
                                            in16(parameters.heightCm), form.state.gravity,
                                            tableHeightCm(form))
                              .v);
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
