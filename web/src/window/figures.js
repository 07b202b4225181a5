// The windowless figures of a container (shapes and lines), painted on one
// canvas at the screen's own pixels. Labels are not painted: they are page
// text above the canvas.
//
// Every edge is placed on a whole device pixel and level or upright lines on
// a pixel's centre (or edge, for an even width), so the figures are crisp
// at every device pixel ratio and every scale of the page; only slanted
// lines and the curves of circles are smoothed.

// Distance between the strokes of a diagonal hatch, CSS pixels.
const kHatchSpacing = 8;

// Where a container's canvas must lie to start on a whole device pixel, and
// how twips map onto its pixels. `box` is the container's rectangle on the
// screen (CSS pixels, after any scaling of the page), `ratio` the device
// pixel ratio, `scale` the page's scale and `twipsPerPixel` 15.
export function canvasPlacement(box, ratio, scale, twipsPerPixel) {
  const left = box.left * ratio;
  const top = box.top * ratio;
  const firstX = Math.floor(left);
  const firstY = Math.floor(top);
  const pixelsWide = Math.max(1, Math.ceil(left + box.width * ratio) - firstX);
  const pixelsHigh = Math.max(1, Math.ceil(top + box.height * ratio) - firstY);
  const perCss = ratio * scale; // device pixels per unscaled CSS pixel
  return {
    pixelsWide,
    pixelsHigh,
    // The canvas in the container's own (unscaled) CSS pixels.
    cssLeft: (firstX - left) / perCss,
    cssTop: (firstY - top) / perCss,
    cssWidth: pixelsWide / perCss,
    cssHeight: pixelsHigh / perCss,
    // Device pixels of the canvas: x = originX + twips * perTwip.
    originX: left - firstX,
    originY: top - firstY,
    perTwip: perCss / twipsPerPixel,
    perCss,
  };
}

class Grid {
  constructor(placement) {
    this.p = placement;
  }
  x(twips) {
    return this.p.originX + twips * this.p.perTwip;
  }
  y(twips) {
    return this.p.originY + twips * this.p.perTwip;
  }
  // A level or upright line's centre for a stroke `width` device pixels
  // wide: a pixel's centre for an odd width, a pixel edge for an even one.
  centre(device, width) {
    return Math.round(width) % 2 === 1 ? Math.floor(device) + 0.5 : Math.round(device);
  }
}

function shapeBox(shape, grid) {
  let { left, top, width, height } = shape;
  if (shape.shape === 'circle') {
    // A circle is the square of the smaller side, centred in its box.
    const diameter = Math.min(width, height);
    left += (width - diameter) / 2;
    top += (height - diameter) / 2;
    width = diameter;
    height = diameter;
  }
  const x0 = Math.round(grid.x(left));
  const y0 = Math.round(grid.y(top));
  return { x0, y0, x1: Math.round(grid.x(left + width)), y1: Math.round(grid.y(top + height)) };
}

function outlinePath(g, shape, x0, y0, x1, y1) {
  g.beginPath();
  if (shape.shape === 'circle') {
    g.ellipse((x0 + x1) / 2, (y0 + y1) / 2, Math.max(0, (x1 - x0) / 2), Math.max(0, (y1 - y0) / 2), 0, 0, 2 * Math.PI);
  } else {
    g.rect(x0, y0, x1 - x0, y1 - y0);
  }
}

function paintHatch(g, shape, box, grid) {
  const spacing = kHatchSpacing * grid.p.perCss;
  g.save();
  outlinePath(g, shape, box.x0, box.y0, box.x1, box.y1);
  g.clip();
  g.strokeStyle = shape.fillColor;
  g.lineWidth = grid.p.perCss;
  g.lineCap = 'butt';
  // Strokes from top left to bottom right (x − y constant along each), on a
  // grid anchored at the container's corner so the pattern never crawls.
  const anchorX = grid.x(0);
  const anchorY = grid.y(0);
  const first = Math.floor((box.x0 - anchorX - (box.y1 - anchorY)) / spacing) * spacing;
  g.beginPath();
  for (let offset = first; offset <= box.x1 - anchorX - (box.y0 - anchorY); offset += spacing) {
    g.moveTo(anchorX + offset + (box.y0 - anchorY), box.y0);
    g.lineTo(anchorX + offset + (box.y1 - anchorY), box.y1);
  }
  g.stroke();
  g.restore();
}

function paintShape(g, shape, grid) {
  const box = shapeBox(shape, grid);
  if (box.x1 <= box.x0 || box.y1 <= box.y0) return;
  // The outline lies inside the box, one CSS pixel wide.
  const pen = shape.border ? Math.max(1, Math.round(grid.p.perCss)) : 0;
  const inset = pen / 2;
  if (shape.fill === 'solid') {
    g.fillStyle = shape.fillColor;
    if (shape.shape === 'circle') {
      outlinePath(g, shape, box.x0 + inset, box.y0 + inset, box.x1 - inset, box.y1 - inset);
      g.fill();
    } else {
      g.fillRect(box.x0, box.y0, box.x1 - box.x0, box.y1 - box.y0);
    }
  } else if (shape.fill === 'hatch') {
    paintHatch(g, shape, box, grid);
  }
  if (!shape.border) return;
  g.strokeStyle = shape.borderColor;
  g.lineWidth = pen;
  g.lineJoin = 'miter';
  outlinePath(g, shape, box.x0 + inset, box.y0 + inset, box.x1 - inset, box.y1 - inset);
  g.stroke();
}

function paintLine(g, line, grid) {
  const width = Math.max(1, Math.round(line.lineWidth * grid.p.perCss));
  let x1 = Math.round(grid.x(line.x1));
  let y1 = Math.round(grid.y(line.y1));
  let x2 = Math.round(grid.x(line.x2));
  let y2 = Math.round(grid.y(line.y2));
  // Level and upright lines stay crisp; slanted ones are smoothed.
  if (line.y1 === line.y2) {
    y1 = y2 = grid.centre(grid.y(line.y1), width);
  } else if (line.x1 === line.x2) {
    x1 = x2 = grid.centre(grid.x(line.x1), width);
  }
  g.strokeStyle = line.color;
  g.lineWidth = width;
  g.lineCap = line.lineWidth > 1 ? 'round' : 'butt';
  g.lineJoin = 'round';
  g.beginPath();
  g.moveTo(x1, y1);
  g.lineTo(x2, y2);
  g.stroke();
}

// The whole device pixels a figure may touch, with a margin for the
// smoothing of curves and slanted lines and for a level line moved onto a
// pixel's centre; null for a hidden figure.
export function figureBounds(figure, placement) {
  if (!figure.visible) return null;
  const grid = new Grid(placement);
  if (figure.kind === 'shape') {
    const { x0, y0, x1, y1 } = shapeBox(figure, grid);
    return { x0: x0 - 1, y0: y0 - 1, x1: x1 + 1, y1: y1 + 1 };
  }
  const reach = Math.ceil(Math.max(1, Math.round(figure.lineWidth * placement.perCss)) / 2) + 2;
  const xs = [grid.x(figure.x1), grid.x(figure.x2)];
  const ys = [grid.y(figure.y1), grid.y(figure.y2)];
  return {
    x0: Math.floor(Math.min(...xs)) - reach,
    y0: Math.floor(Math.min(...ys)) - reach,
    x1: Math.ceil(Math.max(...xs)) + reach,
    y1: Math.ceil(Math.max(...ys)) + reach,
  };
}

const meets = (a, b) => a.x0 < b.x1 && b.x0 < a.x1 && a.y0 < b.y1 && b.y0 < a.y1;
const holds = (a, b) => a.x0 <= b.x0 && a.y0 <= b.y0 && a.x1 >= b.x1 && a.y1 >= b.y1;
const join = (a, b) => (a ? {
  x0: Math.min(a.x0, b.x0), y0: Math.min(a.y0, b.y0), x1: Math.max(a.x1, b.x1), y1: Math.max(a.y1, b.y1),
} : b);

// Whether the smoothing of a figure's edges depends on where the canvas
// clips it: Chromium's rasteriser steps a slanted or curved edge from the
// top of what it draws, so such a figure is repainted whole or not at all.
// Rectangles and thin level or upright lines lie on whole pixels.
function smooth(figure) {
  if (figure.kind === 'shape') return figure.shape === 'circle' || figure.fill === 'hatch';
  return (figure.x1 !== figure.x2 && figure.y1 !== figure.y2) || figure.lineWidth > 1;
}

// Paints `figures` (the container's shapes and lines, rearmost first) on a
// canvas context of the placement's size: all of it, or only `area` (a
// rectangle of whole device pixels, as repaintArea gives), cleared and
// painted again under a clip on its edges, so that each pixel comes out as
// a whole repaint makes it.
export function paintFigures(g, figures, placement, area = null) {
  const grid = new Grid(placement);
  g.setTransform(1, 0, 0, 1, 0, 0);
  if (area) {
    g.save();
    g.beginPath();
    g.rect(area.x0, area.y0, area.x1 - area.x0, area.y1 - area.y0);
    g.clip();
    g.clearRect(area.x0, area.y0, area.x1 - area.x0, area.y1 - area.y0);
  } else {
    g.clearRect(0, 0, placement.pixelsWide, placement.pixelsHigh);
  }
  for (const figure of figures) {
    if (!figure.visible || (area && !meets(area, figureBounds(figure, placement)))) continue;
    g.save();
    if (figure.kind === 'shape') paintShape(g, figure, grid);
    else if (figure.kind === 'line') paintLine(g, figure, grid);
    g.restore();
  }
  if (area) g.restore();
}

// The rectangle a change of the figures from `before` to `after` (figure
// id -> { key, bounds }, in the same order as `figures`) leaves to repaint:
// each changed figure's old and new bounds, grown to hold the whole of every
// smooth figure it reaches into, cut to the canvas; null when the figures
// themselves differ, which takes a whole repaint, and when nothing changed.
export function repaintArea(before, after, figures, placement) {
  const beforeIds = [...before.keys()];
  const afterIds = [...after.keys()];
  if (beforeIds.length !== afterIds.length || beforeIds.some((id, i) => id !== afterIds[i])) return { whole: true };
  const moved = movedBounds(before, after, afterIds);
  return moved ? onCanvas(grownOverSmooth(moved, after, figures), placement) : null;
}

// Every changed figure's old and new bounds together; null for no change.
function movedBounds(before, after, ids) {
  let area = null;
  for (const id of ids) {
    const was = before.get(id);
    const now = after.get(id);
    if (was.key === now.key) continue;
    if (was.bounds) area = join(area, was.bounds);
    if (now.bounds) area = join(area, now.bounds);
  }
  return area;
}

// `area` grown until it holds the whole of every smooth figure it reaches
// into, as often as a growth reaches another.
function grownOverSmooth(area, after, figures) {
  for (let grown = true; grown;) {
    grown = false;
    for (const figure of figures) {
      const bounds = after.get(figure.id).bounds;
      if (!bounds || !smooth(figure) || !meets(area, bounds) || holds(area, bounds)) continue;
      area = join(area, bounds);
      grown = true;
    }
  }
  return area;
}

// `area` cut to the canvas; null where nothing of it is left.
function onCanvas(area, placement) {
  const cut = {
    x0: Math.max(0, area.x0), y0: Math.max(0, area.y0),
    x1: Math.min(placement.pixelsWide, area.x1), y1: Math.min(placement.pixelsHigh, area.y1),
  };
  return cut.x1 > cut.x0 && cut.y1 > cut.y0 ? cut : null;
}
