// Painting the windowless figures a container owns: labels, shapes and lines.
//
// The container's widget calls paintFigures from its paintEvent; the view
// calls figureDamageRect to repaint only what a moved figure touches.
#pragma once

#include "platform/control.h"
#include "platform/qt/twips_scale.h"

#include <QFont>
#include <QRect>

class QPainter;

namespace shoutotsu {

// The part of the container's widget, in logical pixels, that painting this
// figure can touch: its box, or its line's end points widened by the line
// width, plus a margin for antialiasing and snapping to device pixels.
QRect figureDamageRect(const Control& figure, const TwipsScale& scale);

// Paints the visible windowless children of `container` in stacking order,
// rearmost first, skipping those that do not reach `dirty`; labels marked
// aboveFigures come last, their text ringed by a light halo. The painter
// must be in the container widget's logical pixel coordinates.
void paintFigures(QPainter& painter, const Control& container, const TwipsScale& scale,
                  const QFont& windowFont, const QRect& dirty);

} // namespace shoutotsu
