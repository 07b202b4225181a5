// The form as a binding sees it: its controls, its event entries and its
// observer. The Qt window and the browser page are built from this alone;
// neither knows which form it shows or what its handlers do.
//
// Each event entry runs one event to completion and returns false when the
// event was not taken (hidden button, disabled scroll bar or timer, window
// unloaded, a run-time error already reported). After each event the form
// has brought the accessible names and descriptions on its controls up to
// date, so a binding hears of them through the observer like any other
// property.
#pragma once

#include "platform/command_button.h"
#include "platform/control.h"
#include "platform/option_button.h"
#include "platform/scroll_bar.h"
#include "platform/timer.h"

#include <cstdint>
#include <vector>

namespace shoutotsu {

// The window's frame around its client area, twips: the window's Left, Top,
// Width and Height are its outer rectangle, child positions are relative to
// the client area.
constexpr float kWindowBorderTwips = 60.0f;   // left, right and bottom edges
constexpr float kWindowCaptionTwips = 300.0f; // title bar and top edge

class Form {
  public:
    virtual ~Form() = default;

    // The window; every other control lies inside it.
    virtual Control& window() = 0;
    // Every control, the window first, each container before its children.
    virtual const std::vector<Control*>& allControls() const = 0;
    virtual void setObserver(ControlObserver* observer) = 0;

    virtual bool click(CommandButton& button) = 0;
    // True only when the value moved.
    virtual bool scroll(ScrollBar& bar, ScrollAction action, int16_t thumbValue = 0) = 0;
    virtual bool select(OptionButton& option) = 0;
    virtual bool tick(Timer& timer) = 0;

    virtual bool loaded() const = 0;
    virtual bool unloaded() const = 0;
    virtual bool halted() const = 0; // a run-time error was reported
};

} // namespace shoutotsu
