#include "platform/qt/figure_painter.h"

#include "platform/figures.h"

#include <QPainter>
#include <QPainterPath>
#include <QPen>

#include <algorithm>
#include <cmath>

namespace shoutotsu {
namespace {

// Room around a figure for antialiased edges and for snapping its edges to
// the nearest device pixel.
constexpr int kDamageMarginPixels = 2;

// Distance between the strokes of a diagonal hatch, logical pixels.
constexpr double kHatchSpacingPixels = 8.0;

// How far the light halo of a label painted above the figures reaches
// beyond its glyphs, logical pixels: enough to part red text from a red bob.
constexpr double kHaloPixels = 2.0;
const QColor kHaloColor(255, 255, 255);

// Places twips values on a grid of whole device pixels, so that edges and
// thin straight lines stay crisp at any device pixel ratio while the painter
// itself works in twips.
//
// At a whole ratio (1, 2, 3) the grid is the logical pixels, each of which is
// a block of whole device pixels: the picture at ratio n is then the picture
// at ratio 1 drawn n times finer, every edge where it is there. Only at a
// fractional ratio, where logical pixels do not end on device pixels, is the
// grid the device pixels themselves.
class DeviceGrid {
  public:
    DeviceGrid(const TwipsScale& scale, double devicePixelRatio)
        : cellsPerPixel_(isWhole(devicePixelRatio) ? 1.0 : devicePixelRatio),
          cellsPerTwip_(scale.pixelsPerTwip() * cellsPerPixel_) {}

    // An edge: the nearest grid line.
    double edge(double twips) const { return std::round(twips * cellsPerTwip_) / cellsPerTwip_; }

    // The centre of an axis-parallel line `widthPixels` logical pixels wide:
    // on a grid line for an even width in grid cells, a cell's centre for odd.
    double lineCentre(double twips, int widthPixels) const {
        const double cells = twips * cellsPerTwip_;
        const long cellWidth = std::lround(widthPixels * cellsPerPixel_);
        const double snapped = (cellWidth % 2 == 1) ? std::floor(cells) + 0.5 : std::round(cells);
        return snapped / cellsPerTwip_;
    }

  private:
    static bool isWhole(double ratio) {
        return ratio >= 1.0 && std::abs(ratio - std::round(ratio)) < 1e-6;
    }

    double cellsPerPixel_; // grid cells per logical pixel
    double cellsPerTwip_;
};

// A shape's outline box: its own box, or for a circle the square of the
// smaller side centred in it.
QRectF shapeBox(const Shape& shape, const DeviceGrid& grid) {
    double left = shape.left();
    double top = shape.top();
    double width = shape.width();
    double height = shape.height();
    if (shape.shapeKind == ShapeKind::Circle) {
        const double diameter = std::min(width, height);
        left += (width - diameter) / 2.0;
        top += (height - diameter) / 2.0;
        width = diameter;
        height = diameter;
    }
    const double x0 = grid.edge(left);
    const double y0 = grid.edge(top);
    return QRectF(QPointF(x0, y0), QPointF(grid.edge(left + width), grid.edge(top + height)));
}

void paintHatch(QPainter& painter, const QRectF& box, const QPainterPath& outline,
                const QColor& color, const TwipsScale& scale) {
    const double spacing = scale.toTwips(kHatchSpacingPixels);
    painter.save();
    painter.setClipPath(outline, Qt::IntersectClip);
    painter.setPen(QPen(color, scale.twipsPerPixel(), Qt::SolidLine, Qt::FlatCap));
    painter.setBrush(Qt::NoBrush);
    // Strokes from top-left to bottom-right: x − y is constant along each.
    // They sit on a grid anchored at the container's origin, so the pattern
    // does not crawl when the figure is resized.
    const double first = std::floor((box.left() - box.bottom()) / spacing) * spacing;
    for (double offset = first; offset <= box.right() - box.top(); offset += spacing) {
        painter.drawLine(QPointF(box.top() + offset, box.top()),
                         QPointF(box.bottom() + offset, box.bottom()));
    }
    painter.restore();
}

void paintShape(QPainter& painter, const Shape& shape, const TwipsScale& scale,
                const DeviceGrid& grid) {
    const QRectF box = shapeBox(shape, grid);
    if (box.isEmpty()) {
        return;
    }
    // The outline lies inside the box, one logical pixel wide.
    const double pen = shape.borderVisible ? scale.twipsPerPixel() : 0.0;
    const QRectF inner = box.adjusted(pen / 2, pen / 2, -pen / 2, -pen / 2);
    QPainterPath outline;
    if (shape.shapeKind == ShapeKind::Circle) {
        outline.addEllipse(box);
    } else {
        outline.addRect(box);
    }

    switch (shape.fillStyle) {
    case FillStyle::Solid:
        painter.setPen(Qt::NoPen);
        painter.setBrush(toQColor(shape.fillColor));
        if (shape.shapeKind == ShapeKind::Circle) {
            painter.drawEllipse(shape.borderVisible ? inner : box);
        } else {
            painter.drawRect(box);
        }
        break;
    case FillStyle::DownwardDiagonal:
        paintHatch(painter, box, outline, toQColor(shape.fillColor), scale);
        break;
    case FillStyle::Transparent:
        break;
    }

    if (!shape.borderVisible) {
        return;
    }
    QPen border(toQColor(shape.borderColor), pen, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin);
    painter.setPen(border);
    painter.setBrush(Qt::NoBrush);
    if (shape.shapeKind == ShapeKind::Circle) {
        painter.drawEllipse(inner);
    } else {
        painter.drawRect(inner);
    }
}

void paintLine(QPainter& painter, const Line& line, const TwipsScale& scale,
               const DeviceGrid& grid) {
    double x1 = grid.edge(line.x1());
    double y1 = grid.edge(line.y1());
    double x2 = grid.edge(line.x2());
    double y2 = grid.edge(line.y2());
    // Level and upright lines stay crisp; slanted ones are antialiased.
    if (line.y1() == line.y2()) {
        y1 = y2 = grid.lineCentre(line.y1(), line.widthPixels);
    } else if (line.x1() == line.x2()) {
        x1 = x2 = grid.lineCentre(line.x1(), line.widthPixels);
    }
    const Qt::PenCapStyle cap = line.widthPixels > 1 ? Qt::RoundCap : Qt::FlatCap;
    painter.setPen(QPen(toQColor(line.color), line.widthPixels * scale.twipsPerPixel(),
                        Qt::SolidLine, cap, Qt::RoundJoin));
    painter.drawLine(QPointF(x1, y1), QPointF(x2, y2));
}

void paintLabel(QPainter& painter, const Control& label, const TwipsScale& scale,
                const QFont& windowFont) {
    // Text is laid out in logical pixels, so its point size means what it
    // says; the box gets whole pixels like a windowed control.
    const QRect box = scale.toPixelRect(label);
    if (box.isEmpty()) {
        return;
    }
    if (!label.transparentBackground) {
        painter.fillRect(box, toQColor(label.backColor));
    }
    Qt::Alignment alignment = Qt::AlignTop;
    switch (label.alignment) {
    case Alignment::Left:
        alignment |= Qt::AlignLeft;
        break;
    case Alignment::Right:
        alignment |= Qt::AlignRight;
        break;
    case Alignment::Center:
        alignment |= Qt::AlignHCenter;
        break;
    }
    const QFont font = toQFont(label.font, windowFont);
    const QString text = QString::fromStdString(label.caption());
    const int flags = static_cast<int>(alignment) | Qt::TextSingleLine;
    painter.setFont(font);
    if (label.aboveFigures) {
        // The halo is the text itself in a light colour, laid round its own
        // place in every direction, so it follows the very pixels drawText
        // gives the glyphs below; it may reach just past the box.
        const int reach = static_cast<int>(std::ceil(kHaloPixels));
        painter.setClipRect(box.adjusted(-reach, -reach, reach, reach), Qt::IntersectClip);
        painter.setPen(kHaloColor);
        for (double radius = kHaloPixels / 2; radius <= kHaloPixels; radius += kHaloPixels / 2) {
            for (int step = 0; step < 16; ++step) {
                const double angle = step * (3.14159265358979323846 / 8);
                const QPointF offset(radius * std::cos(angle), radius * std::sin(angle));
                painter.drawText(QRectF(box).translated(offset), flags, text);
            }
        }
    } else {
        painter.setClipRect(box, Qt::IntersectClip);
    }
    painter.setPen(toQColor(label.foreColor));
    painter.drawText(box, flags, text);
}

void paintFigure(QPainter& painter, const Control& figure, const TwipsScale& scale,
                 const QFont& windowFont, const DeviceGrid& grid) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setRenderHint(QPainter::TextAntialiasing, true);
    switch (figure.kind()) {
    case ControlKind::Label:
        paintLabel(painter, figure, scale, windowFont);
        break;
    case ControlKind::Shape:
        painter.scale(scale.pixelsPerTwip(), scale.pixelsPerTwip());
        paintShape(painter, static_cast<const Shape&>(figure), scale, grid);
        break;
    case ControlKind::Line:
        painter.scale(scale.pixelsPerTwip(), scale.pixelsPerTwip());
        paintLine(painter, static_cast<const Line&>(figure), scale, grid);
        break;
    default:
        break;
    }
    painter.restore();
}

} // namespace

QRect figureDamageRect(const Control& figure, const TwipsScale& scale) {
    QRectF area;
    double margin = kDamageMarginPixels;
    if (figure.kind() == ControlKind::Line) {
        const auto& line = static_cast<const Line&>(figure);
        area = QRectF(QPointF(scale.toPixelsF(line.x1()), scale.toPixelsF(line.y1())),
                      QPointF(scale.toPixelsF(line.x2()), scale.toPixelsF(line.y2())))
                   .normalized();
        margin += line.widthPixels / 2.0;
    } else {
        area = scale.toPixelRectF(figure);
        if (figure.aboveFigures) {
            margin += kHaloPixels;
        }
    }
    return area.adjusted(-margin, -margin, margin, margin).toAlignedRect();
}

void paintFigures(QPainter& painter, const Control& container, const TwipsScale& scale,
                  const QFont& windowFont, const QRect& dirty) {
    // The device pixels per logical pixel actually in force: the screen's
    // ratio when painting on screen, the image's when rendering into one.
    const double deviceRatio = std::max(1e-6, std::abs(painter.deviceTransform().m11()));
    const DeviceGrid grid(scale, deviceRatio);
    // Stacking order, then the labels that stay above every figure.
    for (const bool above : {false, true}) {
        for (const Control* figure : container.children()) {
            if (!figure->isWindowless() || !figure->visible() || figure->aboveFigures != above) {
                continue;
            }
            if (dirty.intersects(figureDamageRect(*figure, scale))) {
                paintFigure(painter, *figure, scale, windowFont, grid);
            }
        }
    }
}

} // namespace shoutotsu
