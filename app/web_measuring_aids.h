// The measuring aids in the page: the ruler's frame and the strobe's images
// as C functions of the WebAssembly module (strings owned by the module,
// valid until the next call of the same function).
//
//   const char* shoutotsu_floor_scale(void)
//        {"scale":…,"edgeX":…,"floorY":…,"floorEnd":…,"workWidth":…,
//         "workHeight":…}: twips in the drawing area
//   const char* shoutotsu_strobe(void)
//        [{"phase":"descent","tick":4,"a":[l,t,w,h],"b":[l,t,w,h]},…]
#pragma once

#include "app/main_form.h"

namespace shoutotsu {

// Records the strobe from the form's ticks from now on; the form must live
// as long as the page.
void attachMeasuringAids(MainForm& form);

} // namespace shoutotsu
