#include "platform/web/web_platform.h"

#include <cstdio>

namespace shoutotsu {

void WebPlatform::reportUnhandledError(const RunTimeError& error) {
    if (errorReported_) {
        return;
    }
    errorReported_ = true;
    std::fprintf(stderr, "%s\n", error.reportLine().c_str());
    // The words of the desktop's message box.
    errorTitle_ = "ぴるての衝突";
    errorText_ = "実行時エラー '" + std::to_string(error.number()) + "':\n\n" +
                 error.japaneseText() + "\n\nプログラムを終了します。";
}

ScreenSize screenOfViewport(double widthCssPixels, double heightCssPixels) {
    // A tab can report a zero viewport while it is being laid out; the
    // fitting loop then starts from its narrowest window.
    const auto twips = [](double pixels) {
        return pixels > 0 ? static_cast<float>(pixels * kTwipsPerCssPixel) : 0.0f;
    };
    return ScreenSize{twips(widthCssPixels), twips(heightCssPixels)};
}

} // namespace shoutotsu
