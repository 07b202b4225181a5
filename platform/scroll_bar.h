// A horizontal or vertical scroll bar holding a 16-bit value.
//
// Assigning a different value raises Change before the assignment returns;
// assigning the value it holds raises nothing. User actions (arrows, track,
// thumb) are ignored while the bar is disabled, clamp at the ends and raise
// Change only when the value really moves.
#pragma once

#include "platform/control.h"

#include <cstdint>
#include <functional>

namespace shoutotsu {

enum class ScrollAction {
    LineDecrement, // arrow towards the minimum (left / top)
    LineIncrement, // arrow towards the maximum (right / bottom)
    PageDecrement, // track between the minimum end and the thumb
    PageIncrement, // track between the thumb and the maximum end
    ToMinimum,     // Home
    ToMaximum,     // End
    ThumbTo,       // thumb dragged and released at a value
};

class ScrollBar : public Control {
  public:
    ScrollBar(ControlKind kind, std::string name, int16_t minimum, int16_t maximum,
              int16_t smallChange, int16_t largeChange, int16_t value);

    int16_t minimum() const { return minimum_; }
    int16_t maximum() const { return maximum_; }
    int16_t smallChange() const { return smallChange_; }
    int16_t largeChange() const { return largeChange_; }
    int16_t value() const { return value_; }
    bool vertical() const { return kind() == ControlKind::VScrollBar; }

    // A handler's assignment. Values outside Minimum..Maximum are rejected as
    // an invalid property value (a run-time error), as the toolkit would.
    void setValue(int16_t value);

    // A user's action. Returns true when the value changed (and Change ran).
    bool userAction(ScrollAction action, int16_t thumbValue = 0);

    std::function<void()> onChange; // the Change event

  private:
    int16_t minimum_, maximum_, smallChange_, largeChange_, value_;
};

} // namespace shoutotsu
