#include "run/result_text.h"

#include "platform/number_text.h"
#include "platform/numeric.h"

#include <cmath>

namespace shoutotsu {

std::string resultText(double distanceMm) {
    const F64 cut = F64(std::floor(distanceMm)) / F64(10.0);
    return generalText(cut.v) + "cm";
}

} // namespace shoutotsu
