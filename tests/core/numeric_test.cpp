// The checked number types: results rounded where the formula says, and every
// fault raised as the run-time error with the right number.
#include "platform/numeric.h"

#include <gtest/gtest.h>

#include <cfloat>

namespace shoutotsu {
namespace {

TEST(Numeric, MixedOperationsTakeTheWiderType) {
    // 1/3 rounded to float, then widened, differs from the 64-bit quotient.
    const F32 third = F32(1.0f) / i16(3);
    EXPECT_EQ(third.v, 1.0f / 3.0f);
    const F64 wide = F64(1.0) / i16(3);
    EXPECT_EQ(wide.v, 1.0 / 3.0);
    EXPECT_NE(F64(third).v, wide.v);
    // A float operand with a double stays exact until the 64-bit operation.
    EXPECT_EQ((F32(0.1f) * F64(3.0)).v, static_cast<double>(0.1f) * 3.0);
    EXPECT_EQ(power(F32(0.3f), 2).v, static_cast<double>(0.3f) * static_cast<double>(0.3f));
    EXPECT_EQ(power(F32(0.8f), -1).v, 1.2499999813735487);
}

TEST(Numeric, SixteenBitArithmeticOverflows) {
    EXPECT_EQ((i16(130) - i16(80)).v, 50);
    EXPECT_EQ((I16(32767) - i16(0)).v, 32767);
    try {
        (void)(I16(32767) + i16(1));
        FAIL() << "no overflow";
    } catch (const RunTimeError& e) {
        EXPECT_EQ(e.number(), 6);
    }
    EXPECT_THROW((void)(I16(-32768) - i16(1)), RunTimeError);
    EXPECT_THROW((void)(i16(20) * I16(2000)), RunTimeError);
}

TEST(Numeric, FloatingFaultsRaiseTheirErrors) {
    auto codeOf = [](auto operation) {
        try {
            operation();
        } catch (const RunTimeError& e) {
            return e.number();
        }
        return 0;
    };
    EXPECT_EQ(codeOf([] { (void)(F32(1.0f) / F32(0.0f)); }), 11);
    EXPECT_EQ(codeOf([] { (void)(F64(0.0) / F64(0.0)); }), 11);
    EXPECT_EQ(codeOf([] { (void)(F32(FLT_MAX) * F32(2.0f)); }), 6);
    EXPECT_EQ(codeOf([] { (void)toF32(F64(1e300)); }), 6);
    EXPECT_EQ(codeOf([] { (void)squareRoot(F64(-1.0)); }), 5);
    EXPECT_EQ(codeOf([] { (void)(F64(INFINITY) - F64(INFINITY)); }), 5);
    EXPECT_EQ(codeOf([] { (void)squareRoot(F64(0.0)); }), 0);
}

TEST(Numeric, ErrorReportNamesTheErrorInJapanese) {
    const RunTimeError error(RunTimeErrorCode::Overflow);
    EXPECT_EQ(error.japaneseText(), "オーバーフローしました。");
    EXPECT_NE(error.reportLine().find("'6'"), std::string::npos);
    EXPECT_NE(error.reportLine().find("overflow"), std::string::npos);
}

} // namespace
} // namespace shoutotsu
