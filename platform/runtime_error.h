// The program's one kind of run-time error: 16-bit overflow, floating-point
// overflow, division by zero or an invalid operation. Raised at the failing
// step, it ends the running handler and is reported once at the event
// boundary (see event_boundary.h).
#pragma once

#include <stdexcept>
#include <string>

namespace shoutotsu {

enum class RunTimeErrorCode {
    InvalidArgument = 5, // invalid procedure call or argument (square root of a negative)
    Overflow = 6,        // 16-bit integer or floating-point overflow
    DivisionByZero = 11, // floating-point division by zero
};

class RunTimeError : public std::runtime_error {
  public:
    explicit RunTimeError(RunTimeErrorCode code);

    RunTimeErrorCode code() const { return code_; }
    int number() const { return static_cast<int>(code_); }
    // The Japanese text shown to the user, e.g. "オーバーフローしました。".
    const std::string& japaneseText() const { return japanese_; }
    // One line for stderr: the number, the Japanese text and an English gloss.
    std::string reportLine() const;

  private:
    RunTimeErrorCode code_;
    std::string japanese_;
};

} // namespace shoutotsu
