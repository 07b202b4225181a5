// The result a run with given conditions ends with, without running it: for
// the check of a class's recorded runs. The last phase's own formula gives
// where the bob lands, so it agrees with a run shown tick by tick.
#pragma once

#include "app/parameters.h"

#include <optional>

namespace shoutotsu {

// In whole millimetres, as the result label shows it; nothing for a setting
// outside its scroll bar's range. The speed is not asked for: it only sets
// how fast the run is shown.
std::optional<int> checkedResultMm(const Parameters& parameters);

} // namespace shoutotsu
