// The page's view of a form: every control under a small number (its place
// in the form's list of controls), its whole state as JSON, and the changes
// since the page last asked, so the page's script can mirror the form
// without knowing which form it is.
//
// The script drives the form through the event entries by number and, after
// each event, takes the changes: one entry per changed control with every
// property that can change at run time, so a control that moved a hundred
// times inside one event is sent once, as it now stands.
#pragma once

#include "platform/form.h"
#include "platform/press_guard.h"

#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

namespace shoutotsu {

class PageBinding : public ControlObserver {
  public:
    // Starts observing the form (normally just after it loaded).
    explicit PageBinding(Form& form);
    ~PageBinding() override;
    PageBinding(const PageBinding&) = delete;
    PageBinding& operator=(const PageBinding&) = delete;

    // Every control in the form's order, each with all its properties:
    // [{"id":0,"kind":"window","name":"main",...}, ...]. Containers come
    // before their contents, and "children" lists them rearmost first.
    std::string describeControls() const;
    // What the page must know of the desktop the form was made for, so that
    // no number of it is written twice: twips per CSS pixel, the window's
    // frame, the scroll actions by name and the system colours the form's
    // look is built on.
    static std::string describePlatform();
    // The controls that changed since the last call, in the order they first
    // changed, each with its run-time properties, as text; empties the
    // queue. The page takes the numbers below; this is what they stand for.
    std::string takeChanges();
    // The same changes, read without text where only geometry changed (the
    // figures of a run, every tick): kChangeStride numbers per changed
    // control, in the order they first changed, in changeNumbers(): its id,
    // 2 if more than its geometry changed (else 1 for a line, 0 for any
    // other control), and its geometry
    // (left, top, width, height; a line's x1, y1, x2, y2), each the number
    // takeChanges() writes as it reads back in the page (NaN for its null).
    // The controls marked 2 are also in changeRest(), takeChanges()'s list
    // of them alone, in the same order. Returns the number of controls;
    // empties the queue.
    size_t takeChangeNumbers();
    const std::vector<double>& changeNumbers() const { return numbers_; }
    const std::string& changeRest() const { return rest_; }
    static constexpr size_t kChangeStride = 6;

    // A page cannot know the system's double-click time: this is the
    // common default.
    static constexpr double kDoubleClickMs = 500;

    // The form's event entries by control number; false for a number that
    // is not a control of the matching kind, or an event not taken. A press
    // of a button (at `nowMs`, the page's clock) within the double-click
    // time of the press of it the form last took is not passed on.
    bool click(int id, double nowMs);
    bool scroll(int id, int action, int thumbValue);
    bool select(int id);
    bool tick(int id);

    // The option an arrow key moves to from option `id`, `step` places on
    // round its group; -1 for a number that is not an option.
    int optionAfter(int id, int step) const;

    // 1 loaded, 2 unloaded, 4 halted (an error was reported).
    int status() const;

    void propertyChanged(Control& control, Property property) override;

  private:
    Control* controlOf(int id, ControlKind kind, ControlKind otherKind) const;

    Form& form_;
    std::vector<Control*> controls_;
    std::unordered_map<const Control*, int> ids_;
    std::vector<bool> pending_;
    std::vector<bool> beyondGeometry_; // of a pending control
    std::vector<int> order_;
    std::vector<double> numbers_;
    std::string rest_ = "[]";
    PressGuard pressGuard_{kDoubleClickMs};
};

// How a control's kind, alignment or colour is written for the page.
std::string cssColor(const Color& color);

} // namespace shoutotsu
