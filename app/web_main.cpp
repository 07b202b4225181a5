// ぴるての衝突 in a browser tab: the program's entry. Fits the form to the
// viewport, loads it, and hands it to the page. The page's script then
// drives it; the form and its platform live as long as the page.
#include "app/main_form.h"
#include "app/web_measuring_aids.h"
#include "platform/web/page_api.h"
#include "platform/web/web_platform.h"

int main() {
    static shoutotsu::WebPlatform platform(shoutotsu::pageViewport());
    static shoutotsu::MainForm form(platform);
    // The form fits itself and builds the scene before the page shows
    // anything, so none of its intermediate states is seen. An error in
    // load is reported by the platform and shown by the page.
    form.load();
    shoutotsu::attachPage(form, platform);
    shoutotsu::attachMeasuringAids(form);
    return 0;
}
