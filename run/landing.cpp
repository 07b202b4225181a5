#include "run/landing.h"

#include "run/impact_speed.h"

namespace shoutotsu {

F32 tableHeightCm(const MainForm& form) {
    return toF32((F64(form.hako.height()) / form.state.scale) * F64(10.0));
}

F64 fallTimeOf(F32 tableHeight, F32 gravity) {
    return squareRoot((F64(2.0) * tableHeight) / gravity);
}

F64 landingDistanceMm(I16 m1, I16 m2, I16 height, F32 gravity, F32 tableHeight) {
    const F64 impactSpeed = impactSpeedOf(height, gravity);
    const F64 fallTime = fallTimeOf(tableHeight, gravity);
    return ((((F64(m1) * F64(1.9)) / F64(m1 + m2)) * impactSpeed) * fallTime) * F64(10.0);
}

F64 landingDistanceMm(const MainForm& form) {
    const SimState& s = form.state;
    return landingDistanceMm(I16(form.T1mScroll.value()), I16(form.T2mScroll.value()), s.height,
                             s.gravity, tableHeightCm(form));
}

} // namespace shoutotsu
