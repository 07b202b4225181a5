// An invisible periodic timer. The model never ticks on its own: the view (or
// a test) calls the form's tick entry for an enabled timer every Interval.
#pragma once

#include "platform/control.h"

#include <cstdint>
#include <functional>
#include <utility>

namespace shoutotsu {

class Timer : public Control {
  public:
    Timer(std::string name, int32_t intervalMs)
        : Control(ControlKind::Timer, std::move(name)), interval_(intervalMs) {
        setEnabled(false);
    }

    int32_t interval() const { return interval_; } // milliseconds

    std::function<void()> onTimer; // the Timer event

  private:
    int32_t interval_;
};

} // namespace shoutotsu
