// The window-level variables every handler shares.
#pragma once

#include "platform/numeric.h"

namespace shoutotsu {

struct SimState {
    F32 scale;    // twips per 10 cm of the model (work is 20 of these wide)
    F32 baseX;    // twips in work: x of the table's top right corner
    F32 baseY;    // twips in work: y of the table top
    F32 gravity;  // cm/s², 980
    F32 coefA;    // rebound factor at the floor, 0.8 (used as 1/coefA)
    F32 coefB;    // coefficient of restitution between the bobs, 0.9
    I16 slopeLen; // cm, slope length L (50..80)
    I16 height;   // cm, height H of the rail's top above the table (10..40)
    F32 run;      // cm, horizontal run of the slope, sqrt(L² - H²)
    F32 runX;     // cm, horizontal extent of the drawn rail
    I16 runY;     // cm, vertical extent of the drawn rail
    F32 t;        // s of model time since the current phase began
    F32 timeDiv;  // timer milliseconds per model second: 1000, 2000 or 3000
};

} // namespace shoutotsu
