// Numbers as text: the program's own formatter must write exactly what the
// desktop's standard library writes, or the browser build would print other
// numbers; and its parser must take only whole decimal numbers.
#include "platform/number_text.h"

#include <gtest/gtest.h>

#include <charconv>
#include <clocale>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <random>

namespace shoutotsu {
namespace {

template <typename T> std::string standardText(T value) {
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    return std::string(buffer, result.ptr);
}

template <typename T, typename Bits> T fromBits(Bits bits) {
    T value;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}

TEST(NumberText, ShortestTextAgreesWithTheStandardLibrary) {
    std::mt19937_64 random(7);
    for (int i = 0; i < 200000; ++i) {
        const float f = fromBits<float>(static_cast<uint32_t>(random()));
        const double d = fromBits<double>(random());
        if (!std::isnan(f)) {
            ASSERT_EQ(shortestText(f), standardText(f)) << "float bits " << i;
        }
        if (!std::isnan(d)) {
            ASSERT_EQ(shortestText(d), standardText(d)) << "double bits " << i;
        }
        // Numbers of the sizes the program shows: twips and seconds.
        const float twips = static_cast<float>(random() % 40000000) / 1000.0f;
        ASSERT_EQ(shortestText(twips), standardText(twips));
    }
    for (double edge :
         {0.0, -0.0, 1e16, 1e15, 100000.0, 0.001, 1e-5, 5e-324, 1.7976931348623157e308}) {
        EXPECT_EQ(shortestText(edge), standardText(edge)) << edge;
    }
}

TEST(NumberText, GeneralTextHasFifteenDigitsAtMostAndAPeriodInAnyLocale) {
    EXPECT_EQ(generalText(37.9), "37.9");
    EXPECT_EQ(generalText(63.3), "63.3");
    EXPECT_EQ(generalText(1.0 / 3.0), "0.333333333333333");
    EXPECT_EQ(generalText(120.0), "120");
    EXPECT_EQ(generalText(-0.5), "-0.5");
    // The desktop sets the user's locale, which may use a decimal comma.
    if (std::setlocale(LC_NUMERIC, "de_DE.UTF-8") != nullptr) {
        EXPECT_EQ(generalText(37.9), "37.9");
        EXPECT_EQ(shortestText(1.5f), "1.5");
        float value = 0;
        EXPECT_TRUE(parseNumberText("2.5", value));
        EXPECT_EQ(value, 2.5f);
        std::setlocale(LC_NUMERIC, "C");
    }
}

TEST(NumberText, ParserTakesWholeDecimalNumbersOnly) {
    float f = 0;
    for (const char* good : {"1", "-2", "1.", ".5", "9852.631836", "1e3", "1E+3", "2.5e-1"}) {
        EXPECT_TRUE(parseNumberText(good, f)) << good;
    }
    EXPECT_TRUE(parseNumberText("9852.631836", f));
    EXPECT_EQ(f, 9852.631836f);
    for (const char* bad : {"", "-", ".", "+1", " 1", "1 ", "1e", "1e+", "0x10", "inf", "nan",
                            "1,5", "1.2.3", "1e400", "1e-400", "１"}) {
        EXPECT_FALSE(parseNumberText(bad, f)) << bad;
    }
    double d = 0;
    EXPECT_TRUE(parseNumberText("1e300", d));
    EXPECT_FALSE(parseNumberText("1e400", d));
    EXPECT_TRUE(parseNumberText("0e-999", d));
}

} // namespace
} // namespace shoutotsu
