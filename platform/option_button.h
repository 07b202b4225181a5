// An option button; the buttons of one control array in one container form an
// exclusive group: selecting one clears the others.
#pragma once

#include "platform/control.h"

namespace shoutotsu {

class OptionButton : public Control {
  public:
    OptionButton(std::string name, int index) : Control(ControlKind::OptionButton, name, index) {}

    bool value() const { return value_; }
    // Selects this button and clears the other buttons of its group.
    void select();

  private:
    void setValueFlag(bool value);
    bool value_ = false;
};

} // namespace shoutotsu
