// A push button. A hidden or disabled button cannot be clicked.
#pragma once

#include "platform/control.h"

#include <functional>
#include <utility>

namespace shoutotsu {

class CommandButton : public Control {
  public:
    explicit CommandButton(std::string name)
        : Control(ControlKind::CommandButton, std::move(name)) {}

    bool clickable() const { return visible() && enabled(); }
    std::function<void()> onClick; // the Click event
};

} // namespace shoutotsu
