#include "platform/number_text.h"

#include <clocale>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace shoutotsu {
namespace {

// The C library writes and reads the current locale's decimal separator.
char localeDecimalPoint() {
    const std::lconv* conventions = std::localeconv();
    return conventions != nullptr && conventions->decimal_point[0] != '\0'
               ? conventions->decimal_point[0]
               : '.';
}

template <typename T> T readBack(const char* text);
template <> float readBack<float>(const char* text) { return std::strtof(text, nullptr); }
template <> double readBack<double>(const char* text) { return std::strtod(text, nullptr); }

// Significant digits (trailing zeros dropped) and decimal exponent of the
// shortest text of |value| that reads back exactly.
template <typename T>
void shortestDigits(T magnitude, int maxDigits, std::string& digits, int& exponent) {
    char buffer[64];
    for (int precision = 1;; ++precision) {
        std::snprintf(buffer, sizeof buffer, "%.*e", precision - 1, static_cast<double>(magnitude));
        if (precision >= maxDigits || readBack<T>(buffer) == magnitude) {
            break;
        }
    }
    digits.clear();
    const char* p = buffer;
    for (; *p != 'e'; ++p) {
        if (*p >= '0' && *p <= '9') {
            digits += *p;
        }
    }
    exponent = std::atoi(p + 1);
    while (digits.size() > 1 && digits.back() == '0') {
        digits.pop_back();
    }
}

std::string fixedForm(double magnitude, const std::string& digits, int exponent) {
    const int count = static_cast<int>(digits.size());
    if (exponent < 0) {
        return "0." + std::string(static_cast<size_t>(-exponent - 1), '0') + digits;
    }
    if (exponent + 1 >= count) {
        // A whole number: its fixed text has every digit of the exact value
        // (6239110656, not 6239110700), as the standard's shortest form does.
        char buffer[400];
        std::snprintf(buffer, sizeof buffer, "%.0f", magnitude);
        return buffer;
    }
    return digits.substr(0, static_cast<size_t>(exponent + 1)) + "." +
           digits.substr(static_cast<size_t>(exponent + 1));
}

std::string scientificForm(const std::string& digits, int exponent) {
    std::string text = digits.substr(0, 1);
    if (digits.size() > 1) {
        text += "." + digits.substr(1);
    }
    const int magnitude = exponent < 0 ? -exponent : exponent;
    text += exponent < 0 ? "e-" : "e+";
    if (magnitude < 10) {
        text += '0';
    }
    return text + std::to_string(magnitude);
}

template <typename T> std::string shortest(T value, int maxDigits) {
    if (std::isnan(value)) {
        return "nan";
    }
    const std::string sign = std::signbit(value) ? "-" : "";
    if (std::isinf(value)) {
        return sign + "inf";
    }
    if (value == 0) {
        return sign + "0";
    }
    std::string digits;
    int exponent = 0;
    shortestDigits(std::fabs(value), maxDigits, digits, exponent);
    const std::string fixed = fixedForm(std::fabs(static_cast<double>(value)), digits, exponent);
    const std::string scientific = scientificForm(digits, exponent);
    return sign + (scientific.size() < fixed.size() ? scientific : fixed);
}

bool isDigit(char c) { return c >= '0' && c <= '9'; }

bool wellFormed(const std::string& text) {
    size_t i = 0;
    const size_t n = text.size();
    if (i < n && text[i] == '-') {
        ++i;
    }
    size_t mantissaDigits = 0;
    for (; i < n && isDigit(text[i]); ++i) {
        ++mantissaDigits;
    }
    if (i < n && text[i] == '.') {
        for (++i; i < n && isDigit(text[i]); ++i) {
            ++mantissaDigits;
        }
    }
    if (mantissaDigits == 0) {
        return false;
    }
    if (i < n && (text[i] == 'e' || text[i] == 'E')) {
        ++i;
        if (i < n && (text[i] == '+' || text[i] == '-')) {
            ++i;
        }
        size_t exponentDigits = 0;
        for (; i < n && isDigit(text[i]); ++i) {
            ++exponentDigits;
        }
        if (exponentDigits == 0) {
            return false;
        }
    }
    return i == n;
}

template <typename T> bool parse(const std::string& text, T& value) {
    if (!wellFormed(text)) {
        return false;
    }
    std::string local = text;
    for (char& c : local) {
        if (c == '.') {
            c = localeDecimalPoint();
        }
    }
    // Out of range by the value alone, not by errno, whose underflow rules
    // differ between C libraries: too large, or a non-zero number that
    // reads as zero.
    const T parsed = readBack<T>(local.c_str());
    if (std::isinf(parsed)) {
        return false;
    }
    if (parsed == 0 && text.find_first_of("123456789") < text.find_first_of("eE")) {
        return false;
    }
    value = parsed;
    return true;
}

} // namespace

std::string shortestText(double value) { return shortest(value, 17); }
std::string shortestText(float value) { return shortest(value, 9); }

std::string generalText(double value) {
    if (!std::isfinite(value) || value == 0) {
        return shortestText(value);
    }
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.15g", value);
    std::string text(buffer);
    const char point = localeDecimalPoint();
    for (char& c : text) {
        if (c == point) {
            c = '.';
        }
    }
    return text;
}

bool parseNumberText(const std::string& text, float& value) { return parse(text, value); }
bool parseNumberText(const std::string& text, double& value) { return parse(text, value); }

} // namespace shoutotsu
