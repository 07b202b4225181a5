#include "platform/web/page_binding.h"

#include "platform/figures.h"
#include "platform/json_writer.h"
#include "platform/web/web_platform.h"

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace shoutotsu {
namespace {

const char* kindName(ControlKind kind) {
    switch (kind) {
    case ControlKind::Window:
        return "window";
    case ControlKind::CommandButton:
        return "button";
    case ControlKind::HScrollBar:
    case ControlKind::VScrollBar:
        return "scrollbar";
    case ControlKind::OptionButton:
        return "option";
    case ControlKind::Frame:
        return "frame";
    case ControlKind::Label:
        return "label";
    case ControlKind::Shape:
        return "shape";
    case ControlKind::Line:
        return "line";
    case ControlKind::PictureBox:
        return "picture";
    case ControlKind::Timer:
        return "timer";
    }
    return "unknown";
}

const char* alignmentName(Alignment alignment) {
    switch (alignment) {
    case Alignment::Right:
        return "right";
    case Alignment::Center:
        return "center";
    case Alignment::Left:
        break;
    }
    return "left";
}

const char* fillName(FillStyle fill) {
    switch (fill) {
    case FillStyle::Solid:
        return "solid";
    case FillStyle::DownwardDiagonal:
        return "hatch";
    case FillStyle::Transparent:
        break;
    }
    return "none";
}

// What a handler can change while the program runs.
void writeRunTimeState(JsonWriter& json, const Control& control) {
    if (control.kind() == ControlKind::Line) {
        const auto& line = static_cast<const Line&>(control);
        json.member("x1", line.x1());
        json.member("y1", line.y1());
        json.member("x2", line.x2());
        json.member("y2", line.y2());
    } else {
        json.member("left", control.left());
        json.member("top", control.top());
        json.member("width", control.width());
        json.member("height", control.height());
    }
    json.member("caption", control.caption());
    json.member("captionName", control.captionName());
    json.member("visible", control.visible());
    json.member("enabled", control.enabled());
    if (control.kind() == ControlKind::HScrollBar || control.kind() == ControlKind::VScrollBar) {
        json.member("value", static_cast<int>(static_cast<const ScrollBar&>(control).value()));
    } else if (control.kind() == ControlKind::OptionButton) {
        json.member("value", static_cast<const OptionButton&>(control).value());
    }
    json.member("accessibleName", control.accessibleName());
    json.member("accessibleDescription", control.accessibleDescription());
    const AccessibleValue& value = control.accessibleValue();
    if (value.present) {
        json.member("valueNow", value.now);
        json.member("valueMin", value.minimum);
        json.member("valueMax", value.maximum);
    }
}

__extension__ typedef unsigned __int128 Wide;

Wide tenTo(int power) {
    Wide result = 1;
    for (int i = 0; i < power; ++i) {
        result *= 10;
    }
    return result;
}

// The same with the C library, one digit count after another, for what the
// exact reckoning below leaves: values far from a window's twips, and ties.
double asReadBackByText(float value) {
    // More digits never read back worse (their grid holds the coarser
    // one), so the fewest are found by halving.
    char text[32];
    const auto write = [&text, value](int digits) {
        std::snprintf(text, sizeof text, "%.*e", digits - 1, static_cast<double>(value));
        return std::strtof(text, nullptr) == value;
    };
    int low = 1, high = 9; // 9 digits always read back to a float
    while (low < high) {
        const int middle = (low + high) / 2;
        if (write(middle)) {
            high = middle;
        } else {
            low = middle + 1;
        }
    }
    write(low);
    return std::strtod(text, nullptr);
}

// |value| = m / 2^s, in whole numbers: its shortest decimal N × 10^q (as
// printf rounds it to p digits, the fewest that strtof reads back to the
// float) and that decimal as strtod reads it. The C library's printf works
// in an emulated 128-bit long double here, some ten times slower than
// this. False where a tie would need printf's or strtof's own rule.
bool exactShortest(float magnitude, double& result) {
    int exponent = 0;
    const float fraction = std::frexp(magnitude, &exponent);
    const auto m = static_cast<uint64_t>(std::ldexp(fraction, 24));
    const int s = 24 - exponent; // 0 … 33 in the range taken
    const Wide twoS = Wide(1) << s;
    // 10^e10 <= |value| < 10^(e10 + 1)
    int e10 = -5;
    while (e10 < 8 && (e10 + 1 >= 0 ? Wide(m) >= tenTo(e10 + 1) * twoS
                                    : Wide(m) * tenTo(-(e10 + 1)) >= twoS)) {
        ++e10;
    }
    // The float's own interval in units of 2^-(s+2): strtof reads back to
    // it whatever lies strictly inside; below a power of two the next
    // float down is half as far.
    const Wide centre = Wide(m) * 4;
    const Wide below = centre - (m == (uint64_t(1) << 23) ? 1 : 2);
    const Wide above = centre + 2;
    for (int p = 1; p <= 9; ++p) {
        const int k = p - 1 - e10; // N = round(|value| × 10^k)
        const Wide numerator = k >= 0 ? Wide(m) * tenTo(k) : Wide(m);
        const Wide denominator = k >= 0 ? twoS : twoS * tenTo(-k);
        Wide n = numerator / denominator;
        const Wide twice = (numerator % denominator) * 2;
        if (twice == denominator) {
            return false;
        }
        if (twice > denominator) {
            ++n;
        }
        // N × 10^-k against the interval, both times 2^(s+2) (and 10^k).
        const Wide scaled = k >= 0 ? n * 4 * twoS : n * tenTo(-k) * 4 * twoS;
        const Wide unit = k >= 0 ? tenTo(k) : 1;
        if (scaled == below * unit || scaled == above * unit) {
            return false;
        }
        if (scaled > below * unit && scaled < above * unit) {
            const auto digits = static_cast<double>(static_cast<uint64_t>(n));
            result = k >= 0 ? digits / static_cast<double>(static_cast<uint64_t>(tenTo(k)))
                            : digits * static_cast<double>(static_cast<uint64_t>(tenTo(-k)));
            return true;
        }
    }
    return false;
}

// A twips number as the page reads it back from its shortest text (a
// double, which is not always the float itself: "0.1" is not 0.1f).
double asPageReadsIt(float value) {
    if (!std::isfinite(value)) {
        return std::nan("");
    }
    const float magnitude = std::fabs(value);
    // Whole numbers of twips, the usual case, are written and read exactly.
    if (magnitude < 16777216.0f && std::trunc(value) == value) {
        return static_cast<double>(value);
    }
    double result = 0;
    if (magnitude >= 0.0009765625f && magnitude < 16777216.0f && exactShortest(magnitude, result)) {
        return std::signbit(value) ? -result : result;
    }
    return asReadBackByText(value);
}

void appendGeometry(std::vector<double>& out, const Control& control) {
    if (control.kind() == ControlKind::Line) {
        const auto& line = static_cast<const Line&>(control);
        out.insert(out.end(), {asPageReadsIt(line.x1()), asPageReadsIt(line.y1()),
                               asPageReadsIt(line.x2()), asPageReadsIt(line.y2())});
    } else {
        out.insert(out.end(), {asPageReadsIt(control.left()), asPageReadsIt(control.top()),
                               asPageReadsIt(control.width()), asPageReadsIt(control.height())});
    }
}

} // namespace

std::string cssColor(const Color& color) {
    if (color.system) {
        // The classic desktop's system colours the form was designed with.
        switch (color.systemIndex) {
        case kSystemColorActiveTitleText:
            return "rgb(255,255,255)";
        case kSystemColorButtonFace:
            return "rgb(192,192,192)";
        default:
            return "rgb(0,0,0)";
        }
    }
    return "rgb(" + std::to_string(color.r) + "," + std::to_string(color.g) + "," +
           std::to_string(color.b) + ")";
}

PageBinding::PageBinding(Form& form) : form_(form), controls_(form.allControls()) {
    for (size_t i = 0; i < controls_.size(); ++i) {
        ids_[controls_[i]] = static_cast<int>(i);
    }
    pending_.assign(controls_.size(), false);
    beyondGeometry_.assign(controls_.size(), false);
    form_.setObserver(this);
}

PageBinding::~PageBinding() { form_.setObserver(nullptr); }

std::string PageBinding::describeControls() const {
    std::string out = "[";
    for (size_t i = 0; i < controls_.size(); ++i) {
        const Control& c = *controls_[i];
        if (i > 0) {
            out += ',';
        }
        JsonWriter json(out);
        json.open();
        json.member("id", static_cast<int>(i));
        json.member("kind", kindName(c.kind()));
        json.member("name", c.name());
        json.member("index", c.index());
        json.member("displayName", c.displayName());
        const auto container = c.container() != nullptr ? ids_.find(c.container()) : ids_.end();
        json.member("container", container != ids_.end() ? container->second : -1);
        std::vector<int> children;
        for (const Control* child : c.children()) {
            children.push_back(ids_.at(child));
        }
        json.members("children", children);
        json.member("tabIndex", c.tabIndex);
        json.member("foreColor", cssColor(c.foreColor));
        json.member("backColor", cssColor(c.backColor));
        json.member("transparent", c.transparentBackground);
        json.member("aboveFigures", c.aboveFigures);
        json.member("alignment", alignmentName(c.alignment));
        json.member("fontFace", c.font.face);
        json.member("fontPoints", c.font.points);
        json.member("fontStated", c.font.stated);
        json.member("fontWeight", c.font.weight);
        switch (c.kind()) {
        case ControlKind::HScrollBar:
        case ControlKind::VScrollBar: {
            const auto& bar = static_cast<const ScrollBar&>(c);
            json.member("vertical", bar.vertical());
            json.member("minimum", static_cast<int>(bar.minimum()));
            json.member("maximum", static_cast<int>(bar.maximum()));
            json.member("smallChange", static_cast<int>(bar.smallChange()));
            json.member("largeChange", static_cast<int>(bar.largeChange()));
            break;
        }
        case ControlKind::Shape: {
            const auto& shape = static_cast<const Shape&>(c);
            json.member("shape", shape.shapeKind == ShapeKind::Circle ? "circle" : "rectangle");
            json.member("fill", fillName(shape.fillStyle));
            json.member("fillColor", cssColor(shape.fillColor));
            json.member("borderColor", cssColor(shape.borderColor));
            json.member("border", shape.borderVisible);
            break;
        }
        case ControlKind::Line: {
            const auto& line = static_cast<const Line&>(c);
            json.member("color", cssColor(line.color));
            json.member("lineWidth", line.widthPixels);
            break;
        }
        case ControlKind::Timer:
            json.member("interval", static_cast<int>(static_cast<const Timer&>(c).interval()));
            break;
        default:
            break;
        }
        writeRunTimeState(json, c);
        json.close();
    }
    out += ']';
    return out;
}

std::string PageBinding::describePlatform() {
    std::string out;
    JsonWriter json(out);
    json.open();
    json.member("twipsPerPixel", kTwipsPerCssPixel);
    json.member("borderTwips", kWindowBorderTwips);
    json.member("captionTwips", kWindowCaptionTwips);
    json.member("buttonFace", cssColor(Color::systemColor(kSystemColorButtonFace)));
    json.close();
    // The scroll actions, by the names the page's script gives them.
    out.pop_back();
    out += ",\"scrollActions\":";
    JsonWriter actions(out);
    actions.open();
    const std::pair<const char*, ScrollAction> names[] = {
        {"LineDecrement", ScrollAction::LineDecrement},
        {"LineIncrement", ScrollAction::LineIncrement},
        {"PageDecrement", ScrollAction::PageDecrement},
        {"PageIncrement", ScrollAction::PageIncrement},
        {"ToMinimum", ScrollAction::ToMinimum},
        {"ToMaximum", ScrollAction::ToMaximum},
        {"ThumbTo", ScrollAction::ThumbTo},
    };
    for (const auto& [name, action] : names) {
        actions.member(name, static_cast<int>(action));
    }
    actions.close();
    return out + "}";
}

std::string PageBinding::takeChanges() {
    std::string out = "[";
    for (size_t n = 0; n < order_.size(); ++n) {
        const int id = order_[n];
        pending_[static_cast<size_t>(id)] = false;
        beyondGeometry_[static_cast<size_t>(id)] = false;
        if (n > 0) {
            out += ',';
        }
        JsonWriter json(out);
        json.open();
        json.member("id", id);
        writeRunTimeState(json, *controls_[static_cast<size_t>(id)]);
        json.close();
    }
    order_.clear();
    out += ']';
    return out;
}

size_t PageBinding::takeChangeNumbers() {
    numbers_.clear();
    std::string& rest = rest_;
    rest = "[";
    bool first = true;
    for (const int id : order_) {
        const auto at = static_cast<size_t>(id);
        const Control& control = *controls_[at];
        pending_[at] = false;
        numbers_.push_back(id);
        numbers_.push_back(beyondGeometry_[at] ? 2 : control.kind() == ControlKind::Line ? 1 : 0);
        appendGeometry(numbers_, control);
        if (beyondGeometry_[at]) {
            if (!first) {
                rest += ',';
            }
            first = false;
            JsonWriter json(rest);
            json.open();
            json.member("id", id);
            writeRunTimeState(json, control);
            json.close();
        }
        beyondGeometry_[at] = false;
    }
    const size_t count = order_.size();
    order_.clear();
    rest += ']';
    return count;
}

Control* PageBinding::controlOf(int id, ControlKind kind, ControlKind otherKind) const {
    if (id < 0 || static_cast<size_t>(id) >= controls_.size()) {
        return nullptr;
    }
    Control* control = controls_[static_cast<size_t>(id)];
    return control->kind() == kind || control->kind() == otherKind ? control : nullptr;
}

bool PageBinding::click(int id, double nowMs) {
    Control* c = controlOf(id, ControlKind::CommandButton, ControlKind::CommandButton);
    if (c == nullptr || !pressGuard_.allows(*c, nowMs)) {
        return false;
    }
    if (!form_.click(static_cast<CommandButton&>(*c))) {
        return false;
    }
    pressGuard_.taken(*c, nowMs);
    return true;
}

bool PageBinding::scroll(int id, int action, int thumbValue) {
    Control* c = controlOf(id, ControlKind::HScrollBar, ControlKind::VScrollBar);
    if (c == nullptr || action < static_cast<int>(ScrollAction::LineDecrement) ||
        action > static_cast<int>(ScrollAction::ThumbTo)) {
        return false;
    }
    const int16_t thumb = static_cast<int16_t>(thumbValue < -32768  ? -32768
                                               : thumbValue > 32767 ? 32767
                                                                    : thumbValue);
    return form_.scroll(static_cast<ScrollBar&>(*c), static_cast<ScrollAction>(action), thumb);
}

bool PageBinding::select(int id) {
    Control* c = controlOf(id, ControlKind::OptionButton, ControlKind::OptionButton);
    return c != nullptr && form_.select(static_cast<OptionButton&>(*c));
}

int PageBinding::optionAfter(int id, int step) const {
    Control* c = controlOf(id, ControlKind::OptionButton, ControlKind::OptionButton);
    if (c == nullptr) {
        return -1;
    }
    return ids_.at(&shoutotsu::optionAfter(static_cast<OptionButton&>(*c), step));
}

bool PageBinding::tick(int id) {
    Control* c = controlOf(id, ControlKind::Timer, ControlKind::Timer);
    return c != nullptr && form_.tick(static_cast<Timer&>(*c));
}

int PageBinding::status() const {
    return (form_.loaded() ? 1 : 0) | (form_.unloaded() ? 2 : 0) | (form_.halted() ? 4 : 0);
}

void PageBinding::propertyChanged(Control& control, Property property) {
    const auto found = ids_.find(&control);
    if (found == ids_.end()) {
        return;
    }
    const auto id = static_cast<size_t>(found->second);
    if (property != Property::Geometry) {
        beyondGeometry_[id] = true;
    }
    if (!pending_[id]) {
        pending_[id] = true;
        order_.push_back(found->second);
    }
}

} // namespace shoutotsu
