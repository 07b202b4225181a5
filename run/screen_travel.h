// How far a bob moves on screen in twips: `speed` cm/s for `time` seconds,
// with the scene's scale in twips per 10 cm. The product is taken in 64 bits,
// left to right, before the division.
#pragma once

#include "platform/numeric.h"

namespace shoutotsu {

inline F64 screenTravel(F64 speed, F64 time, F32 scale) {
    return ((speed * time) * scale) / F64(10.0);
}

} // namespace shoutotsu
