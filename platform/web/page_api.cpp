#include "platform/web/page_api.h"

#include "platform/json_writer.h"
#include "platform/web/page_binding.h"

#include <emscripten.h>

#include <memory>
#include <string>
#include <utility>

namespace shoutotsu {
namespace {

std::unique_ptr<PageBinding> page;
WebPlatform* pagePlatform = nullptr;
void (*tickListener)() = nullptr;

// Each call keeps its answer until it is called again, so the script can
// read it out of the module's memory.
const char* kept(std::string& slot, std::string text) {
    slot = std::move(text);
    return slot.c_str();
}

} // namespace

// clang-format off
EM_JS(double, viewportWidth, (), { return window.innerWidth || document.documentElement.clientWidth || 0; });
EM_JS(double, viewportHeight, (), { return window.innerHeight || document.documentElement.clientHeight || 0; });
// clang-format on

ScreenSize pageViewport() { return screenOfViewport(viewportWidth(), viewportHeight()); }

void attachPage(Form& form, WebPlatform& platform) {
    page = std::make_unique<PageBinding>(form);
    pagePlatform = &platform;
}

void onTickTaken(void (*listener)()) { tickListener = listener; }

} // namespace shoutotsu

using shoutotsu::JsonWriter;
using shoutotsu::page;
using shoutotsu::pagePlatform;

extern "C" {

EMSCRIPTEN_KEEPALIVE const char* shoutotsu_controls() {
    static std::string text;
    return shoutotsu::kept(text, page ? page->describeControls() : "[]");
}

EMSCRIPTEN_KEEPALIVE int shoutotsu_take_changes() {
    return page ? static_cast<int>(page->takeChangeNumbers()) : 0;
}

EMSCRIPTEN_KEEPALIVE const double* shoutotsu_change_numbers() {
    return page ? page->changeNumbers().data() : nullptr;
}

EMSCRIPTEN_KEEPALIVE const char* shoutotsu_change_rest() {
    return page ? page->changeRest().c_str() : "[]";
}

EMSCRIPTEN_KEEPALIVE int shoutotsu_click(int id, double nowMs) {
    return page && page->click(id, nowMs) ? 1 : 0;
}

EMSCRIPTEN_KEEPALIVE int shoutotsu_scroll(int id, int action, int thumb) {
    return page && page->scroll(id, action, thumb) ? 1 : 0;
}

EMSCRIPTEN_KEEPALIVE int shoutotsu_select(int id) { return page && page->select(id) ? 1 : 0; }

EMSCRIPTEN_KEEPALIVE int shoutotsu_option_after(int id, int step) {
    return page ? page->optionAfter(id, step) : -1;
}

EMSCRIPTEN_KEEPALIVE int shoutotsu_tick(int id) {
    const bool taken = page && page->tick(id);
    if (taken && shoutotsu::tickListener != nullptr) {
        shoutotsu::tickListener();
    }
    return taken ? 1 : 0;
}

EMSCRIPTEN_KEEPALIVE int shoutotsu_status() { return page ? page->status() : 0; }

EMSCRIPTEN_KEEPALIVE const char* shoutotsu_platform() {
    static const std::string text = shoutotsu::PageBinding::describePlatform();
    return text.c_str();
}

EMSCRIPTEN_KEEPALIVE const char* shoutotsu_error() {
    static std::string text;
    if (pagePlatform == nullptr || !pagePlatform->errorReported()) {
        return shoutotsu::kept(text, "");
    }
    // The two strings as one JSON object, escaped as everything else the
    // page is given.
    std::string report;
    JsonWriter json(report);
    json.open();
    json.member("title", pagePlatform->errorTitle());
    json.member("text", pagePlatform->errorText());
    json.close();
    return shoutotsu::kept(text, std::move(report));
}

} // extern "C"
