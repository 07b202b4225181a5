// The checked number types: rounding where the formula says, and every fault
// raised as the run-time error with its number.
#include "platform/numeric.h"

#include <gtest/gtest.h>

#include <cfloat>

namespace shoutotsu {
namespace {

int errorNumberOf(void (*operation)()) {
    try {
        operation();
    } catch (const RunTimeError& e) {
        return e.number();
    }
    return 0;
}

TEST(Numeric, MixedOperationsTakeTheWiderType) {
    EXPECT_EQ((F32(1.0f) / i16(3)).v, 1.0f / 3.0f);
    EXPECT_EQ((F64(1.0) / i16(3)).v, 1.0 / 3.0);
    EXPECT_EQ((F32(0.1f) * F64(3.0)).v, static_cast<double>(0.1f) * 3.0);
    EXPECT_EQ(power(F32(0.8f), -1).v, 1.2499999813735487);
}

TEST(Numeric, FaultsRaiseTheirErrors) {
    EXPECT_EQ(errorNumberOf([] { (void)(I16(32767) + i16(1)); }), 6);
    EXPECT_EQ(errorNumberOf([] { (void)(i16(20) * I16(2000)); }), 6);
    EXPECT_EQ(errorNumberOf([] { (void)(F32(FLT_MAX) * F32(2.0f)); }), 6);
    EXPECT_EQ(errorNumberOf([] { (void)toF32(F64(1e300)); }), 6);
    EXPECT_EQ(errorNumberOf([] { (void)(F32(1.0f) / F32(0.0f)); }), 11);
    EXPECT_EQ(errorNumberOf([] { (void)squareRoot(F64(-1.0)); }), 5);
    EXPECT_EQ(errorNumberOf([] { (void)(F64(INFINITY) - F64(INFINITY)); }), 5);
    EXPECT_EQ(errorNumberOf([] { (void)(I16(32767) - i16(0)); }), 0);
}

} // namespace
} // namespace shoutotsu
