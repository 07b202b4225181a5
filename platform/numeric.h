// Checked arithmetic in the three number types the program computes with.
//
// Every step of the scene and the phases is written with these types so the
// type of each intermediate is visible in the formula and rounding happens
// exactly where it does on screen:
//   I16 op I16 (+, -, *)   -> I16, overflow outside -32768..32767 raises an error
//   I16 or F32 op F32      -> F32, rounded to float at once
//   anything op F64        -> F64
//   pow(x, n)              -> F64
// Each floating-point step is checked: a division by zero, a result that is
// infinite from finite operands (overflow) or NaN (invalid operation) raises a
// RunTimeError at that step. Needs -ffp-contract=off so no step is fused.
#pragma once

#include "platform/runtime_error.h"

#include <cmath>
#include <cstdint>

namespace shoutotsu {

namespace detail {

template <typename T> inline T checkedResult(T value) {
    if (std::isnan(value)) {
        throw RunTimeError(RunTimeErrorCode::InvalidArgument);
    }
    if (std::isinf(value)) {
        throw RunTimeError(RunTimeErrorCode::Overflow);
    }
    return value;
}

template <typename T> inline T checkedQuotient(T dividend, T divisor) {
    if (divisor == T(0)) {
        throw RunTimeError(RunTimeErrorCode::DivisionByZero);
    }
    return checkedResult(dividend / divisor);
}

} // namespace detail

// A 16-bit signed integer.
struct I16 {
    int16_t v = 0;
    constexpr I16() = default;
    // Only for values known to be in range; use I16::checked() otherwise.
    constexpr explicit I16(int16_t value) : v(value) {}
    static I16 checked(long long value) {
        if (value < INT16_MIN || value > INT16_MAX) {
            throw RunTimeError(RunTimeErrorCode::Overflow);
        }
        return I16(static_cast<int16_t>(value));
    }
};

// A 32-bit float.
struct F32 {
    float v = 0.0f;
    constexpr F32() = default;
    constexpr explicit F32(float value) : v(value) {}
    explicit F32(I16 value) : v(static_cast<float>(value.v)) {}
};

// A 64-bit float.
struct F64 {
    double v = 0.0;
    constexpr F64() = default;
    constexpr explicit F64(double value) : v(value) {}
    explicit F64(F32 value) : v(static_cast<double>(value.v)) {}
    explicit F64(I16 value) : v(static_cast<double>(value.v)) {}
};

// Rounds a 64-bit value to a 32-bit float, as an assignment to a float
// variable or a control's position does; a value beyond the float range is an
// overflow.
inline F32 toF32(F64 value) {
    return F32(detail::checkedResult(static_cast<float>(detail::checkedResult(value.v))));
}
inline F32 toF32(F32 value) { return value; }
inline F32 toF32(I16 value) { return F32(value); }

// --- I16 op I16 -----------------------------------------------------------
inline I16 operator+(I16 a, I16 b) { return I16::checked(static_cast<long long>(a.v) + b.v); }
inline I16 operator-(I16 a, I16 b) { return I16::checked(static_cast<long long>(a.v) - b.v); }
inline I16 operator*(I16 a, I16 b) { return I16::checked(static_cast<long long>(a.v) * b.v); }

// --- F32 op F32, with I16 widened to F32 -----------------------------------
inline F32 operator+(F32 a, F32 b) { return F32(detail::checkedResult(a.v + b.v)); }
inline F32 operator-(F32 a, F32 b) { return F32(detail::checkedResult(a.v - b.v)); }
inline F32 operator*(F32 a, F32 b) { return F32(detail::checkedResult(a.v * b.v)); }
inline F32 operator/(F32 a, F32 b) { return F32(detail::checkedQuotient(a.v, b.v)); }
inline F32 operator+(F32 a, I16 b) { return a + F32(b); }
inline F32 operator-(F32 a, I16 b) { return a - F32(b); }
inline F32 operator*(F32 a, I16 b) { return a * F32(b); }
inline F32 operator/(F32 a, I16 b) { return a / F32(b); }
inline F32 operator+(I16 a, F32 b) { return F32(a) + b; }
inline F32 operator-(I16 a, F32 b) { return F32(a) - b; }
inline F32 operator*(I16 a, F32 b) { return F32(a) * b; }
inline F32 operator/(I16 a, F32 b) { return F32(a) / b; }

// --- anything op F64 -------------------------------------------------------
inline F64 operator+(F64 a, F64 b) { return F64(detail::checkedResult(a.v + b.v)); }
inline F64 operator-(F64 a, F64 b) { return F64(detail::checkedResult(a.v - b.v)); }
inline F64 operator*(F64 a, F64 b) { return F64(detail::checkedResult(a.v * b.v)); }
inline F64 operator/(F64 a, F64 b) { return F64(detail::checkedQuotient(a.v, b.v)); }

#define SHOUTOTSU_F64_MIXED(Other)                                                                 \
    inline F64 operator+(F64 a, Other b) { return a + F64(b); }                                    \
    inline F64 operator-(F64 a, Other b) { return a - F64(b); }                                    \
    inline F64 operator*(F64 a, Other b) { return a * F64(b); }                                    \
    inline F64 operator/(F64 a, Other b) { return a / F64(b); }                                    \
    inline F64 operator+(Other a, F64 b) { return F64(a) + b; }                                    \
    inline F64 operator-(Other a, F64 b) { return F64(a) - b; }                                    \
    inline F64 operator*(Other a, F64 b) { return F64(a) * b; }                                    \
    inline F64 operator/(Other a, F64 b) { return F64(a) / b; }
SHOUTOTSU_F64_MIXED(F32)
SHOUTOTSU_F64_MIXED(I16)
#undef SHOUTOTSU_F64_MIXED

// x^n, always a 64-bit result. A float squared is exact in 64 bits.
template <typename T> inline F64 power(T base, int exponent) {
    return F64(detail::checkedResult(std::pow(F64(base).v, static_cast<double>(exponent))));
}

// Square root in 64-bit; a negative argument is an invalid operation.
inline F64 squareRoot(F64 value) {
    if (value.v < 0.0) {
        throw RunTimeError(RunTimeErrorCode::InvalidArgument);
    }
    return F64(std::sqrt(value.v));
}

// Literal helpers: an integer constant written in a formula is a 16-bit integer.
constexpr I16 i16(int16_t value) { return I16(value); }

} // namespace shoutotsu
