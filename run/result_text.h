// The landing distance as the learner reads it: whole millimetres, cut toward
// minus infinity, written in centimetres in the general number format
// followed by "cm" (e.g. "37.9cm"). The number and the text are made one
// from the other, so a run's record and its label cannot part.
#pragma once

#include <string>

namespace shoutotsu {

// distanceMm: the distance in millimetres as computed (not yet cut). A
// distance beyond an int's range raises an overflow, as a conversion to a
// whole number would.
int resultMillimetres(double distanceMm);

// The label's text for `mm` whole millimetres: 379 is "37.9cm".
std::string resultText(int mm);

} // namespace shoutotsu
