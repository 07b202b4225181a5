// The striking bob's speed at the rail's foot and at the collision, cm/s:
// sqrt(H × (2 × g)), where 2 × g and its product with H are 32-bit floats and
// the square root is taken in 64 bits.
#pragma once

#include "platform/numeric.h"

namespace shoutotsu {

inline F64 impactSpeedOf(I16 height, F32 gravity) {
    return squareRoot(F64(height * (i16(2) * gravity)));
}

} // namespace shoutotsu
