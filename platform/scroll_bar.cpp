#include "platform/scroll_bar.h"

#include "platform/runtime_error.h"

#include <algorithm>

namespace shoutotsu {

ScrollBar::ScrollBar(ControlKind kind, std::string name, int16_t minimum, int16_t maximum,
                     int16_t smallChange, int16_t largeChange, int16_t value)
    : Control(kind, std::move(name)), minimum_(minimum), maximum_(maximum),
      smallChange_(smallChange), largeChange_(largeChange), value_(value) {}

void ScrollBar::setValue(int16_t value) {
    if (value < minimum_ || value > maximum_) {
        throw RunTimeError(RunTimeErrorCode::InvalidArgument);
    }
    if (value == value_) {
        return;
    }
    value_ = value;
    notify(Property::Value);
    if (onChange) {
        onChange();
    }
}

bool ScrollBar::userAction(ScrollAction action, int16_t thumbValue) {
    if (!enabled()) {
        return false;
    }
    int target = value_;
    switch (action) {
    case ScrollAction::LineDecrement:
        target = value_ - smallChange_;
        break;
    case ScrollAction::LineIncrement:
        target = value_ + smallChange_;
        break;
    case ScrollAction::PageDecrement:
        target = value_ - largeChange_;
        break;
    case ScrollAction::PageIncrement:
        target = value_ + largeChange_;
        break;
    case ScrollAction::ToMinimum:
        target = minimum_;
        break;
    case ScrollAction::ToMaximum:
        target = maximum_;
        break;
    case ScrollAction::ThumbTo:
        target = thumbValue;
        break;
    }
    target = std::clamp<int>(target, minimum_, maximum_);
    if (target == value_) {
        return false;
    }
    setValue(static_cast<int16_t>(target));
    return true;
}

} // namespace shoutotsu
