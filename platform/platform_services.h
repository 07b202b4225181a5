// What the window's handlers need from the desktop beyond the controls: the
// screen size, the program's version information, unloading the window and
// the report of an unhandled run-time error. The Qt binding implements it for
// the real desktop; HeadlessPlatform serves tests and command-line tools.
#pragma once

#include "platform/runtime_error.h"

#include <cstdint>
#include <string>

namespace shoutotsu {

struct ScreenSize {
    float widthTwips = 0;
    float heightTwips = 0;
};

struct VersionInfo {
    int16_t major = 0;
    int16_t minor = 0;
    int16_t revision = 0;
    std::string legalNotice;
};

// The version compiled into this program.
VersionInfo programVersion();

class PlatformServices {
  public:
    virtual ~PlatformServices() = default;
    virtual ScreenSize screenSize() const = 0;
    virtual VersionInfo version() const { return programVersion(); }
    // Closes the only window; the program ends once the handler returns.
    virtual void unloadMainWindow() = 0;
    // Reports an error no handler caught. Called at most once; the program
    // must end with a non-zero status afterwards.
    virtual void reportUnhandledError(const RunTimeError& error) = 0;
};

// A platform without a display: a screen of any size, errors kept for
// inspection.
class HeadlessPlatform : public PlatformServices {
  public:
    explicit HeadlessPlatform(ScreenSize screen = {15360.0f, 11520.0f}) : screen_(screen) {}

    ScreenSize screenSize() const override { return screen_; }
    void unloadMainWindow() override { unloaded = true; }
    void reportUnhandledError(const RunTimeError& error) override {
        ++errorReports;
        lastErrorLine = error.reportLine();
    }

    bool unloaded = false;
    int errorReports = 0;
    std::string lastErrorLine;

  private:
    ScreenSize screen_;
};

} // namespace shoutotsu
