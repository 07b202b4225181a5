// The floor run: the striking bob runs along the table top at the speed it
// reached at the rail's foot until it reaches the struck bob.
#include "app/main_form.h"

#include "run/impact_speed.h"
#include "run/phase_clock.h"
#include "run/screen_travel.h"

namespace shoutotsu {

void MainForm::NAKAtimer_Timer() {
    SimState& s = state;
    const F32 S = s.scale;

    s.t = advancedClock(s.t, NAKAtimer, s.timeDiv);
    F32 wA(tamaA.width());
    const F32 wB(tamaB.width());
    F64 impactSpeed = impactSpeedOf(s.height, s.gravity);
    const F32 floorRunTime = toF32(((((S - wA) - (wB / i16(2))) * i16(10)) / impactSpeed) / S);
    if (!(floorRunTime.v > s.t.v)) {
        NAKAtimer.setEnabled(false);
        BeginAfter();
        return;
    }

    impactSpeed = impactSpeedOf(s.height, s.gravity);
    wA = F32(tamaA.width());
    tamaA.setLeft(
        toF32(((s.baseX - S) + screenTravel(impactSpeed, F64(s.t), S)) + (wA / i16(2))).v);
    tamaA.setTop((s.baseY - F32(tamaA.height())).v);
}

} // namespace shoutotsu
