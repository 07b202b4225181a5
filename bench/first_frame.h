// Start-up measurement shared by the window probes: the time from the moment
// the launching shell recorded (SHOUTOTSU_T0, seconds since the epoch with
// microseconds, e.g. bash's $EPOCHREALTIME) to the end of the window's first
// paint, printed on stdout.
#pragma once

#include <QObject>

class QWidget;

namespace shoutotsu::bench {

class FirstFrameProbe : public QObject {
  public:
    // Watches `window`; after its first paint prints "first_frame_ms <ms>"
    // and ends the program `lingerMs` later (the peak memory settles then).
    FirstFrameProbe(QWidget* window, int lingerMs);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    QWidget* window_;
    int lingerMs_;
    bool seen_ = false;
};

// Milliseconds from SHOUTOTSU_T0 to now, or -1 when it is not set.
double millisecondsSinceLaunch();

} // namespace shoutotsu::bench
