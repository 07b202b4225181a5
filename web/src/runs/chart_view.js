// A chart of results as SVG, drawn the one way for both records: the
// result against one condition, a series of marks (and a line where it
// means something) per set of rows, told apart by shape as well as colour;
// a prediction is the same mark left hollow. Every text comes from the
// caller, in the page's language.
import { COLOURS, MARKS } from './chart_marks.js';
import { chartFrame } from './chart_frame.js';
import { html, svg } from '../dom.js';
import { axisScale, resultScale, valueOf } from './chart_data.js';
import { setText } from '../furigana/furigana_text.js';

/**
 * @typedef {import('./chart_data.js').ChartRow} ChartRow
 * @typedef {{ rows: ChartRow[], line: boolean }} Series
 * @typedef {{ axis: import('./columns.js').Condition, rows: ChartRow[], series: Series[],
 *   xName: string, yName: string, label: string, offset: number,
 *   pointTitle: (row: ChartRow) => string, predictionTitle: (row: ChartRow) => string }} ChartPlan
 *   offset  how far beside its result a prediction's hollow mark stands
 */

/**
 * @param {ChartPlan} plan
 * @param {(value: number) => number} px
 * @param {(cm: number) => number} py
 * @param {Series} one
 * @param {number} index
 */
function drawSeries(plan, px, py, one, index) {
  const key = plan.axis.key;
  const colour = COLOURS[index % COLOURS.length];
  const mark = MARKS[index % MARKS.length];
  const points = [...one.rows].sort((a, b) => valueOf(a, key) - valueOf(b, key) || a.run - b.run);
  const group = svg('g', { class: 'record-series', 'data-series': index + 1 });
  if (one.line && points.length > 1) {
    group.append(svg('polyline', {
      points: points.map((row) => `${px(valueOf(row, key))},${py(row.resultMm / 10)}`).join(' '),
      fill: 'none', stroke: colour, 'stroke-width': 2,
    }));
  }
  for (const row of points) {
    const x = px(valueOf(row, key));
    const point = svg('path', {
      d: mark(x, py(row.resultMm / 10)), fill: colour, stroke: '#ffffff', 'stroke-width': 1, 'data-run': row.run, class: 'record-point',
    });
    point.append(svg('title', {}, plan.pointTitle(row)));
    group.append(point);
    if (row.predictionMm === null) continue;
    const hollow = svg('path', {
      d: mark(x + plan.offset, py(row.predictionMm / 10)), fill: '#ffffff', stroke: colour, 'stroke-width': 2,
      'data-run': row.run, class: 'record-prediction',
    });
    hollow.append(svg('title', {}, plan.predictionTitle(row)));
    group.append(hollow);
  }
  return group;
}

/**
 * Draws the chart into `target`.
 * @param {HTMLElement} target
 * @param {ChartPlan} plan
 */
export function drawChart(target, plan) {
  const xs = axisScale(plan.axis, plan.rows);
  const { chart, px, py } = chartFrame({
    xs, ys: resultScale(plan.rows), xName: plan.xName, yName: plan.yName, axis: plan.axis.key, label: plan.label,
  });
  plan.series.forEach((one, index) => chart.append(drawSeries(plan, px, py, one, index)));
  target.replaceChildren(chart);
}

/**
 * The legend: what sets each series apart (none where there is one), and
 * what a hollow mark is where a row has a prediction.
 * @param {string[]} names each series' name, in the series' order
 * @param {string | null} predictionKey
 */
export function legend(names, predictionKey) {
  const list = html('ul', { class: 'record-legend' });
  /** @param {number} index @param {boolean} hollow @param {string} words */
  const item = (index, hollow, words) => {
    const key = svg('svg', { viewBox: '0 0 16 16', width: 16, height: 16, 'aria-hidden': 'true' });
    key.append(svg('path', hollow
      ? { d: MARKS[0](8, 8), fill: '#ffffff', stroke: '#000000', 'stroke-width': 2 }
      : { d: MARKS[index % MARKS.length](8, 8), fill: COLOURS[index % COLOURS.length] }));
    const li = html('li');
    const name = html('span');
    setText(name, words);
    li.append(key, name);
    list.append(li);
  };
  if (predictionKey) item(0, true, predictionKey);
  names.forEach((name, index) => item(index, false, name));
  return list;
}
