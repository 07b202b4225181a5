// ぴるての衝突 in a browser tab: the program's entry. Fits the form to the
// viewport, loads it, and hands it to the page. The page's script then
// drives it; the form and its platform live as long as the page.
#include "app/main_form.h"
#include "app/parameters.h"
#include "platform/web/json_writer.h"
#include "platform/web/page_api.h"
#include "platform/web/web_platform.h"

#include <string>

namespace {

// The experiment's parameters and speeds as the page reads them, from the
// one table the window and the trace tool read too.
std::string parameterTable() {
    using namespace shoutotsu;
    std::string out = "{\"parameters\":[";
    for (const ParameterInfo& p : kParameters) {
        if (out.back() != '[') {
            out += ',';
        }
        JsonWriter json(out);
        json.open();
        json.member("key", p.key);
        json.member("name", p.spokenName);
        json.member("unit", p.unit);
        json.member("minimum", p.minimum);
        json.member("maximum", p.maximum);
        json.member("step", p.step);
        json.member("default", p.defaultValue);
        json.close();
    }
    out += "],\"speeds\":[";
    for (const SpeedInfo& speed : kSpeeds) {
        if (out.back() != '[') {
            out += ',';
        }
        JsonWriter json(out);
        json.open();
        json.member("key", speed.key);
        json.member("name", speed.spokenName);
        json.close();
    }
    return out + "]}";
}

} // namespace

int main() {
    static shoutotsu::WebPlatform platform(shoutotsu::pageViewport());
    static shoutotsu::MainForm form(platform);
    // The form fits itself and builds the scene before the page shows
    // anything, so none of its intermediate states is seen. An error in
    // load is reported by the platform and shown by the page.
    form.load();
    shoutotsu::attachPage(form, platform, parameterTable());
    return 0;
}
