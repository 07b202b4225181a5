// The tick rule all three phases share: the clock advances by the ticking
// timer's interval divided by timeDiv, formed in 64 bits and stored back as a
// 32-bit float. Model time never comes from the wall clock.
#pragma once

#include "platform/numeric.h"
#include "platform/timer.h"

namespace shoutotsu {

inline F32 advancedClock(F32 t, const Timer& timer, F32 timeDiv) {
    return toF32(t + F64(static_cast<double>(timer.interval())) / timeDiv);
}

} // namespace shoutotsu
