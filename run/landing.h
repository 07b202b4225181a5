// The struck bob's flight off the table's edge as the last phase works it
// out: the table's height, the time the bob takes to fall it, and how far
// from the edge it lands. The run's own phase and the page's check of a
// recorded result both take them from here, so the two cannot part.
#pragma once

#include "app/main_form.h"

namespace shoutotsu {

// cm: the table top above the floor, read back from the drawn table.
F32 tableHeightCm(const MainForm& form);

// s: the fall from a table `tableHeight` cm high.
F64 fallTimeOf(F32 tableHeight, F32 gravity);

// The landing distance in millimetres (not yet cut) for bobs of `m1` and
// `m2` grams, a rail `height` cm high and a table `tableHeight` cm high:
// nothing else of a run counts.
F64 landingDistanceMm(I16 m1, I16 m2, I16 height, F32 gravity, F32 tableHeight);

// The same for the form's current settings.
F64 landingDistanceMm(const MainForm& form);

} // namespace shoutotsu
