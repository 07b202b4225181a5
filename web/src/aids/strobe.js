// ストロボ: each bob drawn faintly, as an outline in its own colour, where
// the core's ticks left it at equal steps of model time. A place both bobs
// kept for several images (a bob at rest) is drawn once, so it stays faint.

const kAlpha = 0.55;

/**
 * @param {CanvasRenderingContext2D} g
 * @param {ReturnType<typeof import('../window/figures.js').canvasPlacement>} p
 * @param {import('./aids_layer.js').StrobeImage[]} images
 * @param {{ a: any, b: any }} bobs the two bobs' controls (for their colours)
 */
export function paintStrobe(g, p, images, bobs) {
  const pen = Math.max(1, Math.round(p.perCss));
  const at = (twips, origin) => Math.round(origin + twips * p.perTwip);
  g.save();
  g.globalAlpha = kAlpha;
  g.lineWidth = pen;
  for (const which of /** @type {const} */ (['a', 'b'])) {
    const drawn = new Set();
    g.strokeStyle = bobs[which].fillColor;
    g.beginPath();
    for (const image of images) {
      const [left, top, width, height] = image[which];
      const key = `${left},${top},${width},${height}`;
      if (drawn.has(key)) continue;
      drawn.add(key);
      // A circle is the square of the smaller side, centred in its box.
      const diameter = Math.min(width, height);
      const x0 = at(left + (width - diameter) / 2, p.originX);
      const y0 = at(top + (height - diameter) / 2, p.originY);
      const x1 = at(left + (width + diameter) / 2, p.originX);
      const y1 = at(top + (height + diameter) / 2, p.originY);
      const r = Math.max(0, (x1 - x0 - pen) / 2);
      g.moveTo((x0 + x1) / 2 + r, (y0 + y1) / 2);
      g.ellipse((x0 + x1) / 2, (y0 + y1) / 2, r, Math.max(0, (y1 - y0 - pen) / 2), 0, 0, 2 * Math.PI);
    }
    g.stroke();
  }
  g.restore();
}
