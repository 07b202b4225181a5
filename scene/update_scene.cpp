// The scene from the six parameter scroll bars: slope geometry, value labels,
// the rail's upper end, both bobs' size and rest position and the circles
// that mirror the bobs' sizes. A full recompute: the same settings always
// give the same scene, so clearing a run simply calls it again.
#include "app/main_form.h"

#include "platform/numeric.h"

#include <string>

namespace shoutotsu {
namespace {

// The two bars whose labels count down as their values count up.
constexpr int16_t kSlopeCountedFrom = parameterInfo(ParameterId::Length).countedFrom;
constexpr int16_t kHeightCountedFrom = parameterInfo(ParameterId::Height).countedFrom;

} // namespace

void MainForm::UpdateScene() {
    SimState& s = state;

    s.slopeLen = i16(kSlopeCountedFrom) - I16(Lscroll.value());
    s.height = i16(kHeightCountedFrom) - I16(Hscroll.value());
    s.run = toF32(squareRoot(power(s.slopeLen, 2) - power(s.height, 2)));
    ltext.setCaption(std::to_string(s.slopeLen.v));
    htext.setCaption(std::to_string(s.height.v));
    s.runX = s.run;
    s.runY = s.height;

    // The rail's foot is fixed at start-up; its upper end lies run cm to the
    // left and height cm up.
    rail.setX2(((s.baseX - ((s.runX * s.scale) / i16(10))) - s.scale).v);
    rail.setY2((s.baseY - ((s.runY * s.scale) / i16(10))).v);

    // The striking bob: 20 twips across per millimetre of radius, touching
    // the rail at its upper end. Sizes and end points are read back.
    T1r.setCaption(std::to_string(T1rScroll.value()));
    tamaA.setWidth(F32(i16(20) * I16(T1rScroll.value())).v);
    tamaA.setHeight(tamaA.width());
    F32 radius = F32(tamaA.width()) / F32(2.0f);
    const F32 radiusTimesRun = radius * s.run;
    tamaA.setTop(((F32(rail.y2()) - (radiusTimesRun / s.slopeLen)) - radius).v);
    radius = F32(tamaA.width()) / F32(2.0f);
    tamaA.setLeft(((F32(rail.x2()) + ((radius * s.height) / s.slopeLen)) - radius).v);
    Shape1.setWidth(tamaA.width());
    Shape1.setHeight(tamaA.height());

    // The struck bob: resting on the table top, centred over its right edge.
    T2r.setCaption(std::to_string(T2rScroll.value()));
    tamaB.setWidth(F32(i16(20) * I16(T2rScroll.value())).v);
    tamaB.setHeight(tamaB.width());
    tamaB.setTop((s.baseY - F32(tamaB.width())).v);
    tamaB.setLeft((s.baseX - (F32(tamaB.width()) / i16(2))).v);
    en.setWidth(tamaB.width());
    en.setHeight(tamaB.height());
    Shape2.setWidth(tamaB.width());
    Shape2.setHeight(tamaB.height());

    T1m.setCaption(std::to_string(T1mScroll.value()));
    T2m.setCaption(std::to_string(T2mScroll.value()));
}

} // namespace shoutotsu
