// A text of a drawing (an SVG <text>) with furigana: HTML ruby cannot stand
// in SVG, so each reading is a small <text> of its own above its word. The
// base's characters are placed one by one at widths this module gives
// them, so that each reading stands over its word on the screen and in a
// picture saved of the drawing alike, with nothing measured.
import { svg } from '../dom.js';
import { furiganaShown } from './furigana.js';
import { hasKanji, rubyParts } from './furigana_readings.js';

// A character's width in ems: a kanji or kana is square; the narrow ones
// of a unit ("(cm)") are about half, wide letters more.
/** @param {string} c */
function ems(c) {
  if (/[\u2e80-\uffef]/.test(c)) return 1;
  if (/[mwMW]/.test(c)) return 0.85;
  if (/[\s()[\].,:;|il]/.test(c)) return 0.33;
  return 0.56;
}

/**
 * Where each character of `content` stands, centre by centre, and where
 * each reading goes, for a text of `size` px anchored as `anchor` at `x`.
 * @param {string} content
 * @param {number} x
 * @param {number} size
 * @param {string} anchor 'start' or 'middle'
 */
export function rubyLayout(content, x, size, anchor) {
  const chars = [...content];
  const widths = chars.map((c) => ems(c) * size);
  const total = widths.reduce((a, b) => a + b, 0);
  let at = anchor === 'middle' ? x - total / 2 : x;
  const centres = widths.map((w) => {
    at += w;
    return at - w / 2;
  });
  const readings = [];
  let i = 0;
  for (const part of rubyParts(content)) {
    const n = [...part.text].length;
    if (part.reading) {
      const left = centres[i] - widths[i] / 2;
      const right = centres[i + n - 1] + widths[i + n - 1] / 2;
      readings.push({ text: part.reading, at: (left + right) / 2 });
    }
    i += n;
  }
  return { centres, readings };
}

/**
 * An SVG text of `size` px with `attributes` (x, y, text-anchor and
 * transform among them) saying `content`: with furigana shown, a group of
 * the base and its readings above it, in the base's own frame.
 * @param {Record<string, string | number>} attributes
 * @param {string} content
 * @param {number} size
 * @returns {SVGElement}
 */
export function svgRubyText(attributes, content, size) {
  if (!furiganaShown() || !hasKanji(content)) return svg('text', attributes, content);
  const { transform, ...rest } = attributes;
  const x = Number(rest.x);
  const y = Number(rest.y);
  const { centres, readings } = rubyLayout(content, x, size, String(rest['text-anchor'] ?? 'start'));
  const group = svg('g', transform ? { transform, class: 'svg-ruby' } : { class: 'svg-ruby' });
  group.append(svg('text', { ...rest, x: centres.map((c) => c.toFixed(1)).join(' '), 'text-anchor': 'middle' }, content));
  const small = Math.max(8, size * 0.6); // no smaller than the window's readings
  for (const { text, at } of readings) {
    group.append(svg('text', {
      ...rest, x: at.toFixed(1), y: (y - size - 1).toFixed(1), 'text-anchor': 'middle', 'aria-hidden': 'true',
      style: `font-size: ${small}px`,
    }, text));
  }
  return group;
}
