#include "run/result_text.h"

#include "platform/number_text.h"
#include "platform/numeric.h"
#include "platform/runtime_error.h"

#include <climits>
#include <cmath>

namespace shoutotsu {

int resultMillimetres(double distanceMm) {
    const double cut = std::floor(distanceMm);
    if (!(cut >= static_cast<double>(INT_MIN) && cut <= static_cast<double>(INT_MAX))) {
        throw RunTimeError(RunTimeErrorCode::Overflow);
    }
    return static_cast<int>(cut);
}

std::string resultText(int mm) {
    // Every int is exact in a double, so this is the cut distance over ten.
    const F64 cm = F64(static_cast<double>(mm)) / F64(10.0);
    return generalText(cm.v) + "cm";
}

} // namespace shoutotsu
