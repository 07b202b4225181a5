// The experiment without the window, for the page's check of a class's
// recorded runs: the result a run with the given settings ends with.
//
//   const char* shoutotsu_result_for(int height, int length, int m1, int m2,
//                                    int r1, int r2)
//        the result label's text as the window shows it ("37.9cm"), or ""
//        for a setting outside its scroll bar's range (owned by the module,
//        valid until the next call)
#pragma once

#include "run/experiment.h"

#include <string>

namespace shoutotsu {

// The speed is not asked for: it only sets how fast the run is shown.
std::string resultFor(const Parameters& parameters);

} // namespace shoutotsu

extern "C" const char* shoutotsu_result_for(int height, int length, int m1, int m2, int r1, int r2);
