// The retained model of one window: every control as plain data.
//
// Geometry is in twips (1/1440 inch) as 32-bit floats relative to the
// container's client area, and reads back exactly what was assigned. Device
// pixels appear only when a view paints. A view (the Qt binding) learns of
// every property change through the ControlObserver of the control's form.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace shoutotsu {

enum class ControlKind {
    Window,
    CommandButton,
    HScrollBar,
    VScrollBar,
    OptionButton,
    Frame,
    Label,
    Shape,
    Line,
    PictureBox,
    Timer,
};

// The properties a view may have to mirror after a change.
enum class Property {
    Geometry, // Left, Top, Width, Height or a line's end points
    Caption,
    Visible,
    Enabled,
    Value,      // scroll bar or option button value
    Accessible, // accessible name or description
};

// A colour: either an RGB triple or an index into the desktop's system colours
// (9 = active title text, 15 = button face, 18 = button text).
struct Color {
    bool system = false;
    int systemIndex = 0;
    uint8_t r = 0, g = 0, b = 0;

    static Color rgb(uint8_t red, uint8_t green, uint8_t blue) {
        return Color{false, 0, red, green, blue};
    }
    static Color systemColor(int index) { return Color{true, index, 0, 0, 0}; }
    bool operator==(const Color& o) const {
        return system == o.system && systemIndex == o.systemIndex && r == o.r && g == o.g &&
               b == o.b;
    }
};

constexpr int kSystemColorActiveTitleText = 9;
constexpr int kSystemColorButtonFace = 15;
constexpr int kSystemColorButtonText = 18;

struct FontSpec {
    std::string face; // e.g. "ＭＳ Ｐゴシック"
    float points = 9.0f;
    bool stated = false; // false: the window's default font
    int weight = 400;
    int charset = 128; // Shift-JIS
};

enum class Alignment { Left, Right, Center };
enum class ShapeKind { Rectangle, Circle };
enum class FillStyle { Solid, Transparent, DownwardDiagonal };

// The number a slider reports to a screen reader, as the learner reads it
// beside the bar (not always the bar's own value), with its range.
struct AccessibleValue {
    bool present = false;
    int now = 0;
    int minimum = 0;
    int maximum = 0;
    bool operator==(const AccessibleValue& o) const {
        return present == o.present && now == o.now && minimum == o.minimum && maximum == o.maximum;
    }
};

class Control;
class ControlObserver {
  public:
    virtual ~ControlObserver() = default;
    virtual void propertyChanged(Control& control, Property property) = 0;
};

// One control of the window. Kind-specific data lives in the subclasses below;
// what every control has is here.
class Control {
  public:
    Control(ControlKind kind, std::string name, int index = -1);
    virtual ~Control() = default;
    Control(const Control&) = delete;
    Control& operator=(const Control&) = delete;

    ControlKind kind() const { return kind_; }
    const std::string& name() const { return name_; }
    int index() const { return index_; } // position in a control array, -1 if none
    std::string displayName() const;     // "sp(1)" or "tamaA"
    bool isWindowless() const;           // labels, shapes and lines are painted by their container
    bool isContainer() const;            // window, frame, picture box

    Control* container() const { return container_; }
    // Children in stacking order, rearmost first.
    const std::vector<Control*>& children() const { return children_; }
    void addChild(Control& child);

    void setObserver(ControlObserver* observer) { observer_ = observer; }

    // --- geometry, twips ---
    float left() const { return left_; }
    float top() const { return top_; }
    float width() const { return width_; }
    float height() const { return height_; }
    void setLeft(float value);
    void setTop(float value);
    void setWidth(float value);
    void setHeight(float value);
    void setGeometry(float left, float top, float width, float height);

    // --- appearance ---
    const std::string& caption() const { return caption_; }
    // The name of a fixed text in the page's text tables ("start",
    // "start:clear"); empty while the caption is data (a number, a result).
    const std::string& captionName() const { return captionName_; }
    void setCaption(const std::string& caption, const std::string& name = {});
    bool visible() const { return visible_; }
    void setVisible(bool visible);
    bool enabled() const { return enabled_; }
    void setEnabled(bool enabled);

    // --- what a screen reader says of it, in the learner's language ---
    const std::string& accessibleName() const { return accessibleName_; }
    const std::string& accessibleDescription() const { return accessibleDescription_; }
    const AccessibleValue& accessibleValue() const { return accessibleValue_; }
    // Notifies only a real change: a screen reader speaks every change it hears of.
    void setAccessibleText(const std::string& name, const std::string& description,
                           const AccessibleValue& value = {});

    Color foreColor = Color::systemColor(kSystemColorButtonText);
    Color backColor = Color::systemColor(kSystemColorButtonFace);
    FontSpec font;
    Alignment alignment = Alignment::Left;
    bool transparentBackground = false; // labels
    bool aboveFigures = false;          // labels: painted over every other figure, haloed
    int tabIndex = -1;                  // -1: takes no focus (shapes, lines, timers)

  protected:
    void notify(Property property);

  private:
    ControlKind kind_;
    std::string name_;
    int index_;
    Control* container_ = nullptr;
    std::vector<Control*> children_;
    ControlObserver* observer_ = nullptr;

    float left_ = 0, top_ = 0, width_ = 0, height_ = 0; // twips
    std::string caption_;
    std::string captionName_;
    bool visible_ = true;
    bool enabled_ = true;
    std::string accessibleName_;
    std::string accessibleDescription_;
    AccessibleValue accessibleValue_;
};

} // namespace shoutotsu
