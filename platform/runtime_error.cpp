#include "platform/runtime_error.h"

namespace shoutotsu {
namespace {

const char* englishText(RunTimeErrorCode code) {
    switch (code) {
    case RunTimeErrorCode::InvalidArgument:
        return "invalid procedure call or argument";
    case RunTimeErrorCode::Overflow:
        return "overflow";
    case RunTimeErrorCode::DivisionByZero:
        return "division by zero";
    }
    return "run-time error";
}

const char* japaneseTextOf(RunTimeErrorCode code) {
    switch (code) {
    case RunTimeErrorCode::InvalidArgument:
        return "プロシージャの呼び出し、または引数が不正です。";
    case RunTimeErrorCode::Overflow:
        return "オーバーフローしました。";
    case RunTimeErrorCode::DivisionByZero:
        return "0 で除算しました。";
    }
    return "実行時エラーが発生しました。";
}

} // namespace

RunTimeError::RunTimeError(RunTimeErrorCode code)
    : std::runtime_error(englishText(code)), code_(code), japanese_(japaneseTextOf(code)) {}

std::string RunTimeError::reportLine() const {
    return "shoutotsu: 実行時エラー '" + std::to_string(number()) + "': " + japanese_ + " (" +
           what() + ")";
}

} // namespace shoutotsu
