// The services the form needs, in a browser tab: the viewport as the screen
// (15 twips per CSS pixel), quitting, and the report of an unhandled
// run-time error. A tab cannot close itself, so both ending and the error
// are kept here for the page to show.
#pragma once

#include "platform/platform_services.h"

#include <string>

namespace shoutotsu {

// Twips per CSS pixel: a CSS pixel is 1/96 inch.
constexpr float kTwipsPerCssPixel = 15.0f;

class WebPlatform : public PlatformServices {
  public:
    explicit WebPlatform(ScreenSize screen) : screen_(screen) {}

    ScreenSize screenSize() const override { return screen_; }
    void unloadMainWindow() override { unloaded_ = true; }
    // Prints the report line on stderr (the browser's console) and keeps the
    // message the page shows. Only the first error is reported.
    void reportUnhandledError(const RunTimeError& error) override;

    bool unloaded() const { return unloaded_; }
    bool errorReported() const { return errorReported_; }
    // The message box the desktop shows, as title and text.
    const std::string& errorTitle() const { return errorTitle_; }
    const std::string& errorText() const { return errorText_; }

  private:
    ScreenSize screen_;
    bool unloaded_ = false;
    bool errorReported_ = false;
    std::string errorTitle_;
    std::string errorText_;
};

// A viewport of this many CSS pixels as a screen in twips.
ScreenSize screenOfViewport(double widthCssPixels, double heightCssPixels);

} // namespace shoutotsu
