#include "run/result_text.h"

#include "platform/numeric.h"

#include <charconv>
#include <cmath>

namespace shoutotsu {
namespace {

template <typename T> std::string shortest(T value) {
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    return std::string(buffer, result.ptr);
}

} // namespace

std::string shortestText(double value) { return shortest(value); }
std::string shortestText(float value) { return shortest(value); }

std::string resultText(double distanceMm) {
    const F64 cut = F64(std::floor(distanceMm)) / F64(10.0);
    // For whole millimetres over ten the shortest round-trip text is the
    // general format's text: no trailing zeros, no exponent below 1e16.
    return shortestText(cut.v) + "cm";
}

} // namespace shoutotsu
