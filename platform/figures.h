// Windowless figures a container paints itself: shapes (rectangle, circle) and
// straight lines.
#pragma once

#include "platform/control.h"

#include <cmath>
#include <utility>

namespace shoutotsu {

class Shape : public Control {
  public:
    Shape(std::string name, ShapeKind shapeKind)
        : Control(ControlKind::Shape, std::move(name)), shapeKind(shapeKind) {}

    ShapeKind shapeKind;
    FillStyle fillStyle = FillStyle::Transparent;
    Color fillColor = Color::rgb(0, 0, 0);
    Color borderColor = Color::rgb(0, 0, 0);
    bool borderVisible = true;
};

class Line : public Control {
  public:
    explicit Line(std::string name) : Control(ControlKind::Line, std::move(name)) {}

    float x1() const { return x1_; }
    float y1() const { return y1_; }
    float x2() const { return x2_; }
    float y2() const { return y2_; }
    void setX1(float value) { assign(x1_, value); }
    void setY1(float value) { assign(y1_, value); }
    void setX2(float value) { assign(x2_, value); }
    void setY2(float value) { assign(y2_, value); }

    Color color = Color::rgb(0, 0, 0);
    int widthPixels = 1; // drawn width in pixels, as the toolkit's line width

  private:
    void assign(float& field, float value) {
        if (field == value && std::signbit(field) == std::signbit(value)) {
            return;
        }
        field = value;
        notify(Property::Geometry);
    }
    float x1_ = 0, y1_ = 0, x2_ = 0, y2_ = 0; // twips
};

} // namespace shoutotsu
