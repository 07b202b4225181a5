// The class's chart as SVG: every group's results against one condition,
// one series per group told apart by shape as well as colour, each group's
// predictions as hollow marks of its own shape, and a legend of the groups.
import { COLOURS, MARKS } from '../runs/chart_marks.js';
import { chartFrame } from '../runs/chart_frame.js';
import { html, svg } from '../dom.js';
import { axisScale, resultCm, resultScale } from '../runs/record_chart_data.js';
import { text } from '../i18n/text.js';

// When several settings differ, the lesson's first question comes first.
const PREFERRED_AXIS = ['m1', 'height', 'length', 'm2', 'r1', 'r2', 'speed'];
// The settings that change the result (the speed only shows the run slower).
const RESULT_SETTINGS = ['m1', 'm2', 'r1', 'r2', 'height', 'length'];

/**
 * The settings whose value is not the same in every row of the class, and
 * the one the chart starts with.
 * @param {{ key: string }[]} settings
 * @param {Record<string, string>[]} rows
 */
export function differingAxes(settings, rows) {
  const differing = settings.filter((s) => rows.some((row) => row[s.key] !== rows[0][s.key])).map((s) => s.key);
  return { differing, first: PREFERRED_AXIS.find((key) => differing.includes(key)) ?? 'm1' };
}

/**
 * Draws the chart into `target` and returns its legend.
 * @param {HTMLElement} target
 * @param {import('./class_rows.js').Group[]} groups
 * @param {{ key: string, label: string, min?: number, max?: number, step?: number, categories?: string[] }} setting
 */
export function drawClassChart(target, groups, setting) {
  const axis = setting.key;
  const rows = groups.flatMap((group) => group.rows);
  const predicted = rows.filter((row) => row.prediction !== '');
  const xs = axisScale(setting, rows);
  const { chart, px, py } = chartFrame({
    xs, ys: resultScale([...rows, ...predicted.map((row) => ({ result: row.prediction }))]),
    xName: setting.label, yName: text('classChartName'), axis,
    label: text('classChartLabel', { axis: setting.label }),
  });

  groups.forEach((group, index) => {
    const colour = COLOURS[index % COLOURS.length];
    const mark = MARKS[index % MARKS.length];
    const points = group.rows.filter((row) => Number.isFinite(resultCm(row)))
      .sort((a, b) => xs.at(a[axis]) - xs.at(b[axis]));
    const series = svg('g', { class: 'record-series', 'data-series': index + 1 });
    // A line only where the group changed nothing but the axis's setting;
    // otherwise it would join runs that differ in something unseen.
    const others = RESULT_SETTINGS.filter((key) => key !== axis);
    if (points.length > 1 && points.every((row) => others.every((key) => row[key] === points[0][key]))) {
      series.append(svg('polyline', {
        points: points.map((row) => `${px(row[axis])},${py(resultCm(row))}`).join(' '), fill: 'none', stroke: colour, 'stroke-width': 2,
      }));
    }
    for (const row of points) {
      const point = svg('path', {
        d: mark(px(row[axis]), py(resultCm(row))), fill: colour, stroke: '#ffffff', 'stroke-width': 1, class: 'record-point',
      });
      point.append(svg('title', {}, text('classPoint', { group: group.name, n: row.n, axis: setting.label, value: row[axis], result: row.result })));
      series.append(point);
    }
    for (const row of group.rows.filter((one) => one.prediction !== '')) {
      const point = svg('path', {
        d: mark(px(row[axis]), py(Number(row.prediction))), fill: '#ffffff', stroke: colour, 'stroke-width': 2, class: 'class-prediction',
      });
      point.append(svg('title', {}, text('classPredictionPoint', { group: group.name, n: row.n, prediction: row.prediction })));
      series.append(point);
    }
    chart.append(series);
  });
  target.replaceChildren(chart);

  const legend = html('ul', { class: 'record-legend' });
  groups.forEach((group, index) => {
    const key = svg('svg', { viewBox: '0 0 16 16', width: 16, height: 16, 'aria-hidden': 'true' });
    key.append(svg('path', { d: MARKS[index % MARKS.length](8, 8), fill: COLOURS[index % COLOURS.length] }));
    const item = html('li');
    item.append(key, document.createTextNode(group.name));
    legend.append(item);
  });
  if (predicted.length) legend.append(html('li', {}, text('classPredictionKey')));
  return legend;
}
