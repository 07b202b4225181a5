// The descent: the striking bob slides down the rail from rest with the
// constant acceleration g·H/L, placed afresh from the phase clock each tick.
#include "app/main_form.h"

#include "run/phase_clock.h"

namespace shoutotsu {

void MainForm::MAEtimer_Timer() {
    SimState& s = state;
    const I16 H = s.height;
    const I16 L = s.slopeLen;
    const F32 R = s.run;
    const F32 g = s.gravity;
    const F32 S = s.scale;

    s.t = advancedClock(s.t, MAEtimer, s.timeDiv);
    const F64 descentTime = L * squareRoot(F64((F32(2.0f) / g) / H));
    if (!(F64(s.t).v < descentTime.v)) {
        MAEtimer.setEnabled(false);
        BeginFloorRun();
        return;
    }

    const F64 t2 = power(s.t, 2);
    F32 wA(tamaA.width());
    const F32 leftAtRest = ((F32(rail.x2()) + (((wA / i16(2)) * H) / L)) - (wA / i16(2)));
    tamaA.setLeft(
        toF32(leftAtRest + ((((((g * H) * R) / i16(2)) / power(L, 2)) * t2) * S) / I16(10)).v);

    wA = F32(tamaA.width());
    const F32 topAtRest = ((F32(rail.y2()) - (((wA / i16(2)) * R) / L)) - (wA / i16(2)));
    tamaA.setTop(
        toF32(topAtRest + ((((((g * power(H, 2)) / I16(2)) / power(L, 2)) * t2) * S) / I16(10))).v);
}

} // namespace shoutotsu
