#include "run/result_check.h"

#include "app/main_form.h"
#include "platform/runtime_error.h"
#include "run/landing.h"
#include "run/result_text.h"

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

std::optional<int> checkedResultMm(const Parameters& parameters) {
    for (const ParameterInfo& info : kParameters) {
        const int value = parameters.value(info.id);
        if (value < info.minimum || value > info.maximum) {
            return std::nullopt;
        }
    }
    // Of the settings, only the masses and the rail's height count; the
    // table and gravity are the loaded form's, as in every run.
    const MainForm& form = checkingForm();
    try {
        // Each value is in its scroll bar's range (checked above), so it
        // fits 16 bits.
        const auto in16 = [](int value) { return I16(static_cast<int16_t>(value)); };
        return resultMillimetres(
            landingDistanceMm(in16(parameters.m1Grams), in16(parameters.m2Grams),
                              in16(parameters.heightCm), form.state.gravity, tableHeightCm(form))
                .v);
    } catch (const RunTimeError&) {
        return std::nullopt;
    }
}

} // namespace shoutotsu
