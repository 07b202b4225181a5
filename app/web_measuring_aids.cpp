#include "app/web_measuring_aids.h"

#include "app/measuring_aids.h"
#include "platform/web/page_api.h"

#include <emscripten.h>

#include <string>

namespace shoutotsu {
namespace {

const MainForm* aidsForm = nullptr;
Strobe strobe;

} // namespace

void attachMeasuringAids(MainForm& form) {
    aidsForm = &form;
    onTickTaken([] { strobe.afterTick(*aidsForm); });
}

} // namespace shoutotsu

extern "C" {

EMSCRIPTEN_KEEPALIVE const char* shoutotsu_floor_scale() {
    static std::string text;
    text = shoutotsu::aidsForm != nullptr
               ? shoutotsu::floorScaleJson(shoutotsu::floorScale(*shoutotsu::aidsForm))
               : "{}";
    return text.c_str();
}

EMSCRIPTEN_KEEPALIVE const char* shoutotsu_strobe() {
    static std::string text;
    text = shoutotsu::aidsForm != nullptr ? shoutotsu::strobe.json(*shoutotsu::aidsForm) : "[]";
    return text.c_str();
}

} // extern "C"
