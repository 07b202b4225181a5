// The frame both charts of results stand in: the SVG, its grid, the ticks
// and names of its axes, and where a value lies on it.
import { svg } from '../dom.js';
import { svgRubyText } from '../furigana/svg_ruby.js';

const BOX = { width: 640, height: 380, left: 72, right: 20, top: 20, bottom: 64 };

/**
 * @param {{ xs: { ticks: { text: string, at: number }[], at: (value: any) => number },
 *   ys: { ticks: number[], at: (cm: number) => number }, xName: string, yName: string,
 *   label: string, axis: string }} frame
 *   xs, ys   the scales along the axes (record_chart_data.js)
 *   xName    the horizontal axis's name, yName the vertical one's
 *   label    what a screen reader hears of the whole chart
 * @returns {{ chart: SVGElement, px: (value: any) => number, py: (cm: number) => number }}
 */
export function chartFrame({ xs, ys, xName, yName, label, axis }) {
  const plotWidth = BOX.width - BOX.left - BOX.right;
  const plotHeight = BOX.height - BOX.top - BOX.bottom;
  const px = (value) => BOX.left + xs.at(value) * plotWidth;
  const py = (cm) => BOX.top + plotHeight - ys.at(cm) * plotHeight;
  const chart = svg('svg', { viewBox: `0 0 ${BOX.width} ${BOX.height}`, role: 'img', 'aria-label': label, 'data-axis': axis });
  const grid = svg('g', { class: 'record-grid' });
  for (const v of ys.ticks) {
    const y = py(v);
    grid.append(svg('line', { x1: BOX.left, x2: BOX.left + plotWidth, y1: y, y2: y }));
    chart.append(svg('text', { x: BOX.left - 8, y: y + 4, 'text-anchor': 'end', class: 'record-tick' }, String(v)));
  }
  for (const tick of xs.ticks) {
    const x = BOX.left + tick.at * plotWidth;
    grid.append(svg('line', { x1: x, x2: x, y1: BOX.top, y2: BOX.top + plotHeight }));
    chart.append(svg('text', { x, y: BOX.top + plotHeight + 20, 'text-anchor': 'middle', class: 'record-tick' }, tick.text));
  }
  chart.prepend(grid);
  chart.append(svg('path', { class: 'record-axes', d: `M${BOX.left} ${BOX.top}V${BOX.top + plotHeight}H${BOX.left + plotWidth}` }));
  // The names with their readings where furigana are shown (14 px: the
  // style sheet's size of .record-axis-name); the vertical one stands off
  // the edge by a reading's height.
  chart.append(svgRubyText({
    x: BOX.left + plotWidth / 2, y: BOX.height - 12, 'text-anchor': 'middle', class: 'record-axis-name',
  }, xName, 14));
  const yMiddle = BOX.top + plotHeight / 2;
  chart.append(svgRubyText({
    x: 26, y: yMiddle, 'text-anchor': 'middle', class: 'record-axis-name', transform: `rotate(-90 26 ${yMiddle})`,
  }, yName, 14));
  return { chart, px, py };
}
