// The desktop services the form needs, on Qt: the screen size in twips,
// ending the program, and the report of an unhandled run-time error.
#pragma once

#include "platform/platform_services.h"

#include <QPointer>
#include <QString>
#include <QWidget>

namespace shoutotsu {

class QtPlatform : public PlatformServices {
  public:
    QtPlatform() = default;

    // The primary screen's size in logical pixels, at 1440 / logical DPI
    // twips per pixel.
    ScreenSize screenSize() const override;
    // Closes the window and ends the event loop with status 0.
    void unloadMainWindow() override;
    // Prints the report line to stderr, tells the user in a message box and
    // ends the program with status 1.
    void reportUnhandledError(const RunTimeError& error) override;

    // The window to close on unload and to own the error message box.
    void setMainWindow(QWidget* window) { window_ = window; }
    // 1 once an error has been reported, else 0: the status main() returns
    // when the error came before the event loop ran.
    int exitStatus() const { return exitStatus_; }

    static QString errorTitle();
    static QString errorText(const RunTimeError& error);

  protected:
    virtual void showErrorMessage(const QString& title, const QString& text);
    virtual void endEventLoop(int status);

  private:
    QPointer<QWidget> window_;
    int exitStatus_ = 0;
    bool errorReported_ = false;
};

// While the application object is being made, Qt aborts the process with an
// English text when it finds no display it can open (none set, one that does
// not answer, a platform plugin that fails). Alive around that construction,
// this guard turns it into noDisplayMessage() on stderr and exit status 1;
// what Qt only warns of meanwhile is held back and passed on afterwards.
class DisplayStartGuard {
  public:
    DisplayStartGuard();
    ~DisplayStartGuard();
    DisplayStartGuard(const DisplayStartGuard&) = delete;
    DisplayStartGuard& operator=(const DisplayStartGuard&) = delete;
};

// One line, in Japanese and in English: no display, and how to start it.
const char* noDisplayMessage();

} // namespace shoutotsu
