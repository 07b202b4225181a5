// An option button; the buttons of one control array in one container form an
// exclusive group: selecting one clears the others.
#pragma once

#include "platform/control.h"

#include <utility>
#include <vector>

namespace shoutotsu {

class OptionButton : public Control {
  public:
    OptionButton(std::string name, int index)
        : Control(ControlKind::OptionButton, std::move(name), index) {}

    bool value() const { return value_; }
    // Selects this button and clears the other buttons of its group.
    void select();

  private:
    void setValueFlag(bool value);
    bool value_ = false;
};

// The buttons of an option's group in index order (the option itself among them).
std::vector<OptionButton*> optionGroup(const OptionButton& option);

// The option `step` places on from `from` in its group, round from the last
// to the first: where an arrow key moves the choice.
OptionButton& optionAfter(const OptionButton& from, int step);

} // namespace shoutotsu
