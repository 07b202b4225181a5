// The landing distance as the learner reads it: whole millimetres, cut toward
// minus infinity, written in centimetres in the general number format
// followed by "cm" (e.g. "37.9cm").
#pragma once

#include <string>

namespace shoutotsu {

// distanceMm: the distance in millimetres as computed (not yet cut).
std::string resultText(double distanceMm);

} // namespace shoutotsu
