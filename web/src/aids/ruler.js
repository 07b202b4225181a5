// ものさし: a scale laid on the floor from the table's right edge (0 cm) to
// the floor's right end, in the drawing's own scale: a tick every
// centimetre, a longer one every 5 cm and a number every 10 cm. The ticks
// stand up from the floor line, where the landing marker sits on them; the
// numbers lie under the floor's strip, clear of the marker and the result.

// Tick heights, CSS pixels: every centimetre, every 5 cm, every 10 cm.
const kTick = { small: 3, middle: 6, long: 10 };
const kFontPx = 11;

/**
 * The ruler's marks: { cm, x (twips in the drawing), size, number }, from
 * 0 cm on the table's edge to the last whole centimetre on the floor.
 * @param {import('./aids_layer.js').FloorScale} floor
 */
export function rulerMarks(floor) {
  const twipsPerCm = floor.scale / 10;
  const marks = [];
  for (let cm = 0; floor.edgeX + cm * twipsPerCm <= floor.floorEnd; cm++) {
    const size = cm % 10 === 0 ? 'long' : cm % 5 === 0 ? 'middle' : 'small';
    marks.push({ cm, x: floor.edgeX + cm * twipsPerCm, size, number: cm % 10 === 0 });
  }
  return marks;
}

/**
 * @param {CanvasRenderingContext2D} g
 * @param {ReturnType<typeof import('../window/figures.js').canvasPlacement>} p
 * @param {import('./aids_layer.js').FloorScale} floor
 * @param {{ ink: string, backing: string }} colours backing: laid under the
 *   ruler where the system's colours ask for it (transparent otherwise)
 */
export function paintRuler(g, p, floor, { ink, backing }) {
  const device = (twips) => twips * p.perTwip;
  const pen = Math.max(1, Math.round(p.perCss));
  // On a pixel's centre for an odd pen, as the figures' upright lines are.
  const column = (twips) => (pen % 2 === 1 ? Math.floor(p.originX + device(twips)) + 0.5 : Math.round(p.originX + device(twips)));
  const floorY = Math.round(p.originY + device(floor.floorY));
  const numbersTop = p.originY + device(floor.floorY + floor.scale / 4) + 2 * p.perCss;
  const fontPx = kFontPx * p.perCss;
  const marks = rulerMarks(floor);
  if (backing && !/^rgba\(.*,\s*0\)$|^transparent$/.test(backing)) {
    // From before the unit to past the last number.
    const left = p.originX + device(floor.edgeX) - 2.5 * fontPx;
    const width = p.originX + device(floor.floorEnd) + fontPx - left;
    g.fillStyle = backing;
    g.fillRect(left, floorY - kTick.long * p.perCss - pen, width, kTick.long * p.perCss + pen);
    g.fillRect(left, numbersTop - p.perCss, width, fontPx * 1.3);
  }
  g.strokeStyle = ink;
  g.fillStyle = ink;
  g.lineWidth = pen;
  g.beginPath();
  for (const mark of marks) {
    const x = column(mark.x);
    g.moveTo(x, floorY);
    g.lineTo(x, floorY - kTick[mark.size] * p.perCss);
  }
  g.stroke();
  g.font = `${fontPx}px sans-serif`;
  g.textAlign = 'center';
  g.textBaseline = 'top';
  for (const mark of marks) {
    if (mark.number) g.fillText(String(mark.cm), column(mark.x), numbersTop);
  }
  // The unit once, before the 0 on the table's edge.
  g.textAlign = 'right';
  g.fillText('cm', column(floor.edgeX) - fontPx * 0.6, numbersTop);
}
