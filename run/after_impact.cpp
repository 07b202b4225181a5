// After the impact: both bobs move by the collision's velocities, the struck
// bob flies off the table edge and springs up from the floor, the marker and
// the result label show the landing distance, and the run ends.
//
// Formulas are evaluated in 64 bits with the stored 32-bit values entering as
// they are, left to right in the grouping written.
#include "app/main_form.h"

#include "run/captions.h"
#include "run/impact_speed.h"
#include "run/landing.h"
#include "run/phase_clock.h"
#include "run/result_text.h"
#include "run/screen_travel.h"

namespace shoutotsu {

void MainForm::ATOtimer_Timer() {
    SimState& s = state;
    const F32 scale = s.scale;
    const F32 g = s.gravity;
    const F64 ten(10.0);

    const F32 tableHeight = tableHeightCm(*this);
    s.t = advancedClock(s.t, ATOtimer, s.timeDiv);
    const F64 t(s.t);
    const F64 inverseCoefA = power(s.coefA, -1);
    const F64 fallTime = fallTimeOf(tableHeight, g);
    const F64 endTime = squareRoot(((F64(2.0) * inverseCoefA) * tableHeight) / g);

    if (!(t.v < endTime.v)) {
        s.t = F32(0.0f);
        ATOtimer.setEnabled(false);
        start.setCaption(kClearCaption, kClearCaptionName);
        start.setVisible(true);
        reportFinishedRun();
        return;
    }

    const I16 m1(T1mScroll.value());
    const I16 m2(T2mScroll.value());
    const F64 impactSpeed = impactSpeedOf(s.height, g);
    const F64 strikerDifference = F64(F32(m1)) - (F64(F32(m2)) * s.coefB); // m1 − m2 × coefB
    const bool strikerMovesOn = toF32(strikerDifference).v > 0.0f;
    const F64 massSum(F32(m1 + m2)); // 16-bit sum, then a float
    const F64 groundY(toF32(((tableHeight * F64(scale)) / ten) + s.baseY));
    const F64 reboundSpeed = inverseCoefA * squareRoot((F64(2.0) * g) * tableHeight);
    const F32 halfGravity = g / i16(2);
    // The top of a bob of `height` twips, `tau` seconds after it sprang up
    // from the floor.
    const auto bounceTop = [&](const F64& tau, float height) {
        const F64 fall = ((halfGravity * power(tau, 2)) * scale) / ten;
        const F64 rise = screenTravel(reboundSpeed, tau, scale);
        return toF32(((groundY + fall) - rise) - F64(height));
    };

    // The striking bob, vertically.
    const F64 restTopA = F64(s.baseY) - F64(tamaA.height());
    if (strikerMovesOn) {
        const F64 contactDistance =
            (((F64(tamaA.width()) + F64(tamaB.width())) / F64(2.0)) / scale) * ten;
        const F64 leaveTime = ((contactDistance / strikerDifference) * massSum) / impactSpeed;
        if (t.v <= leaveTime.v) {
            tamaA.setTop(toF32(restTopA).v);
        } else if (t.v <= (leaveTime + fallTime).v) {
            const F64 drop = ((halfGravity * power(F64(t - leaveTime), 2)) * scale) / ten;
            tamaA.setTop(toF32((s.baseY + drop) - F64(tamaA.height())).v);
        } else {
            tamaA.setTop(bounceTop((t - fallTime) - leaveTime, tamaA.height()).v);
        }
    } else {
        tamaA.setTop(toF32(restTopA).v);
    }

    // The striking bob, horizontally: on every tick, forward or back.
    const F64 strikerTravel = screenTravel((strikerDifference / massSum) * impactSpeed, t, scale);
    tamaA.setLeft(
        toF32((s.baseX + strikerTravel) - ((F64(tamaA.width()) / F64(2.0)) * F64(3.0))).v);

    // The struck bob, horizontally: its speed never changes.
    const F64 restitutionPlusOne = F64(s.coefB) + F64(1.0);
    const F64 struckSpeed = ((restitutionPlusOne * m1) / massSum) * impactSpeed;
    const F64 struckTravel = screenTravel(struckSpeed, t, scale);
    tamaB.setLeft(toF32((s.baseX + struckTravel) - (F64(tamaB.width()) / F64(2.0))).v);

    // The struck bob in flight.
    if (t.v < fallTime.v) {
        const F64 drop = ((power(t, 2) * halfGravity) * scale) / ten;
        tamaB.setTop(toF32((s.baseY + drop) - F64(tamaB.height())).v);
        return;
    }

    // Landed: the marker on the floor line where the struck bob came down.
    const F64 floorY(yukaA.y1());
    en.setTop(toF32(floorY - F64(en.height())).v);
    const F64 landOffset = screenTravel(struckSpeed, fallTime, scale);
    en.setLeft(toF32((s.baseX + landOffset) - (F64(en.width()) / F64(2.0))).v);
    en.setVisible(true);

    // The label just above the marker, aligned with it by the struck bob's width.
    kekka.setVisible(true);
    kekka.setTop(toF32((floorY - F64(en.height())) - F64(kekka.height())).v);
    kekka.setLeft(toF32((s.baseX + landOffset) - (F64(tamaB.width()) / F64(2.0))).v);

    showResult(resultMillimetres(landingDistanceMm(*this).v));

    // The struck bob springs up from the floor.
    tamaB.setTop(bounceTop(t - fallTime, tamaB.height()).v);
}

} // namespace shoutotsu
