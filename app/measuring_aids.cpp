#include "app/measuring_aids.h"

#include "platform/number_text.h"
#include "run/captions.h"

#include <cmath>

namespace shoutotsu {
namespace {

// The phase whose timer is enabled, or nullptr outside a run.
const Timer* phaseTimer(const MainForm& form, const char*& phase) {
    const std::pair<const Timer*, const char*> timers[] = {
        {&form.MAEtimer, "descent"}, {&form.NAKAtimer, "floor"}, {&form.ATOtimer, "after"}};
    for (const auto& [timer, name] : timers) {
        if (timer->enabled()) {
            phase = name;
            return timer;
        }
    }
    return nullptr;
}

// The whole number of ticks nearest `ticks` (never negative here).
int wholeTicks(double ticks) { return static_cast<int>(ticks + 0.5); }

void box(const Control& c, float (&out)[4]) {
    out[0] = c.left();
    out[1] = c.top();
    out[2] = c.width();
    out[3] = c.height();
}

void appendBox(std::string& out, const float (&b)[4]) {
    out += '[';
    for (int i = 0; i < 4; ++i) {
        out += i > 0 ? "," : "";
        out += std::isfinite(b[i]) ? shortestText(b[i]) : "null";
    }
    out += ']';
}

} // namespace

FloorScale floorScale(const MainForm& form) {
    return FloorScale{form.state.scale.v, form.state.baseX.v, form.yukaA.y1(), form.yukaA.x2(),
                      form.work.width(), form.work.height()};
}

std::string floorScaleJson(const FloorScale& floor) {
    const std::pair<const char*, float> members[] = {{"scale", floor.scale},
                                                     {"edgeX", floor.edgeX},
                                                     {"floorY", floor.floorY},
                                                     {"floorEnd", floor.floorEnd},
                                                     {"workWidth", floor.workWidth},
                                                     {"workHeight", floor.workHeight}};
    std::string out = "{";
    for (const auto& [name, value] : members) {
        out += out.size() > 1 ? ",\"" : "\"";
        out += name;
        out += "\":";
        out += std::isfinite(value) ? shortestText(value) : "null";
    }
    return out + "}";
}

int strobeTicks(const SimState& state, int intervalMs) {
    const double tick = static_cast<double>(intervalMs) / static_cast<double>(state.timeDiv.v);
    const int ticks = wholeTicks(kStrobeSeconds / tick);
    return ticks < 1 ? 1 : ticks;
}

void Strobe::afterTick(const MainForm& form) {
    const char* phase = nullptr;
    const Timer* timer = phaseTimer(form, phase);
    // A tick that ended its phase set the next phase's clock to 0 (or ended
    // the run): it drew nothing.
    if (timer == nullptr || form.state.t.v <= 0.0f) {
        return;
    }
    // The clock only ever grows by whole ticks, so this is the tick's number.
    const double tick = static_cast<double>(timer->interval()) / static_cast<double>(form.state.timeDiv.v);
    const int number = wholeTicks(static_cast<double>(form.state.t.v) / tick);
    if (timer == &form.MAEtimer && number == 1) {
        images_.clear(); // "スタート": a new run
    }
    if (number % strobeTicks(form.state, timer->interval()) != 0) {
        return;
    }
    StrobeImage image{phase, number, {}, {}};
    box(form.tamaA, image.a);
    box(form.tamaB, image.b);
    images_.push_back(image);
}

const std::vector<StrobeImage>& Strobe::images(const MainForm& form) {
    const char* phase = nullptr;
    if (phaseTimer(form, phase) == nullptr && form.start.caption() == kStartCaption) {
        images_.clear(); // "クリア" put the bobs back
    }
    return images_;
}

std::string Strobe::json(const MainForm& form) {
    std::string out = "[";
    for (const StrobeImage& image : images(form)) {
        out += out.size() > 1 ? ",{\"phase\":\"" : "{\"phase\":\"";
        out += image.phase;
        out += "\",\"tick\":" + std::to_string(image.tick) + ",\"a\":";
        appendBox(out, image.a);
        out += ",\"b\":";
        appendBox(out, image.b);
        out += '}';
    }
    return out + "]";
}

} // namespace shoutotsu
