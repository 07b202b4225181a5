#include "run/landing.h"

#include "run/impact_speed.h"

namespace shoutotsu {

F32 tableHeightCm(const MainForm& form) {
    return toF32((F64(form.hako.height()) / form.state.scale) * F64(10.0));
}

F64 fallTimeOf(F32 tableHeight, F32 gravity) {
    return squareRoot((F64(2.0) * tableHeight) / gravity);
}

F64 landingDistanceMm(const MainForm& form) {
    const SimState& s = form.state;
    const I16 m1(form.T1mScroll.value());
    const I16 m2(form.T2mScroll.value());
    const F64 impactSpeed = impactSpeedOf(s.height, s.gravity);
    const F64 fallTime = fallTimeOf(tableHeightCm(form), s.gravity);
    return ((((F64(m1) * F64(1.9)) / F64(m1 + m2)) * impactSpeed) * fallTime) * F64(10.0);
}

} // namespace shoutotsu
