#include "platform/control.h"

#include <cmath>

namespace shoutotsu {

Control::Control(ControlKind kind, std::string name, int index)
    : kind_(kind), name_(std::move(name)), index_(index) {}

std::string Control::displayName() const {
    if (index_ < 0) {
        return name_;
    }
    return name_ + "(" + std::to_string(index_) + ")";
}

bool Control::isWindowless() const {
    return kind_ == ControlKind::Label || kind_ == ControlKind::Shape || kind_ == ControlKind::Line;
}

bool Control::isContainer() const {
    return kind_ == ControlKind::Window || kind_ == ControlKind::Frame ||
           kind_ == ControlKind::PictureBox;
}

void Control::addChild(Control& child) {
    child.container_ = this;
    children_.push_back(&child);
}

void Control::notify(Property property) {
    if (observer_ != nullptr) {
        observer_->propertyChanged(*this, property);
    }
}

void Control::setLeft(float value) {
    if (value == left_ && !std::signbit(value) == !std::signbit(left_)) {
        return;
    }
    left_ = value;
    notify(Property::Geometry);
}

void Control::setTop(float value) {
    if (value == top_ && !std::signbit(value) == !std::signbit(top_)) {
        return;
    }
    top_ = value;
    notify(Property::Geometry);
}

void Control::setWidth(float value) {
    if (value == width_ && !std::signbit(value) == !std::signbit(width_)) {
        return;
    }
    width_ = value;
    notify(Property::Geometry);
}

void Control::setHeight(float value) {
    if (value == height_ && !std::signbit(value) == !std::signbit(height_)) {
        return;
    }
    height_ = value;
    notify(Property::Geometry);
}

void Control::setGeometry(float left, float top, float width, float height) {
    left_ = left;
    top_ = top;
    width_ = width;
    height_ = height;
    notify(Property::Geometry);
}

void Control::setCaption(const std::string& caption, const std::string& name) {
    if (caption == caption_ && name == captionName_) {
        return;
    }
    caption_ = caption;
    captionName_ = name;
    notify(Property::Caption);
}

void Control::setVisible(bool visible) {
    if (visible == visible_) {
        return;
    }
    visible_ = visible;
    notify(Property::Visible);
}

void Control::setEnabled(bool enabled) {
    if (enabled == enabled_) {
        return;
    }
    enabled_ = enabled;
    notify(Property::Enabled);
}

void Control::setAccessibleText(const std::string& name, const std::string& description,
                                const AccessibleValue& value) {
    if (name == accessibleName_ && description == accessibleDescription_ &&
        value == accessibleValue_) {
        return;
    }
    accessibleName_ = name;
    accessibleDescription_ = description;
    accessibleValue_ = value;
    notify(Property::Accessible);
}

} // namespace shoutotsu
