// The record's chart as SVG: the result against one condition, one series
// of marks and a line per set of runs that share the other conditions, told
// apart by shape as well as colour, and a legend of what sets them apart.
// A run's prediction is the same mark left hollow, just beside its result.
import { COLOURS, MARKS } from '../runs/chart_marks.js';
import { chartFrame } from '../runs/chart_frame.js';
import { html, svg } from '../dom.js';
import { axisScale, predictionCm, resultCm, resultScale, seriesOf } from '../runs/record_chart_data.js';
import { CONDITIONS, label } from '../runs/record_rows.js';
import { text } from '../i18n/text.js';

// How far beside its run's result a prediction's hollow mark stands.
const kPredictionOffset = 9;

export function drawChart(target, rows, axis) {
  const setting = CONDITIONS.find((s) => s.key === axis);
  const resultName = text('resultName');
  const xs = axisScale(setting, rows);
  const { chart, px, py } = chartFrame({
    xs, ys: resultScale(rows), xName: label(setting), yName: `${resultName} (cm)`, axis,
    label: text('chartLabel', { setting: label(setting), result: resultName }),
  });

  const series = seriesOf(rows, axis);
  series.forEach((one, index) => {
    const colour = COLOURS[index % COLOURS.length];
    const mark = MARKS[index % MARKS.length];
    const points = one.rows
      .filter((row) => Number.isFinite(resultCm(row)))
      .sort((a, b) => xs.at(a[axis]) - xs.at(b[axis]) || a.n - b.n);
    const group = svg('g', { class: 'record-series', 'data-series': index + 1 });
    if (points.length > 1) {
      group.append(svg('polyline', {
        points: points.map((row) => `${px(row[axis])},${py(resultCm(row))}`).join(' '),
        fill: 'none', stroke: colour, 'stroke-width': 2,
      }));
    }
    for (const row of points) {
      const point = svg('path', {
        d: mark(px(row[axis]), py(resultCm(row))), fill: colour, stroke: '#ffffff', 'stroke-width': 1,
        'data-run': row.n, class: 'record-point',
      });
      point.append(svg('title', {}, text('chartPoint', {
        n: row.n, setting: setting.name, value: row[axis], unit: setting.unit, result: row.result,
      })));
      group.append(point);
      const predicted = predictionCm(row);
      if (!Number.isFinite(predicted)) continue;
      const hollow = svg('path', {
        d: mark(px(row[axis]) + kPredictionOffset, py(predicted)), fill: '#ffffff', stroke: colour, 'stroke-width': 2,
        'data-run': row.n, class: 'record-prediction',
      });
      hollow.append(svg('title', {}, text('chartPrediction', { n: row.n, prediction: row.prediction })));
      group.append(hollow);
    }
    chart.append(group);
  });
  target.replaceChildren(chart);

  // The legend says what sets one series apart from the others, and what a
  // hollow mark is.
  const legend = html('ul', { class: 'record-legend' });
  if (rows.some((row) => row.prediction)) {
    const item = html('li');
    const key = svg('svg', { viewBox: '0 0 16 16', width: 16, height: 16, 'aria-hidden': 'true' });
    key.append(svg('path', { d: MARKS[0](8, 8), fill: '#ffffff', stroke: '#000000', 'stroke-width': 2 }));
    item.append(key, document.createTextNode(text('chartPredictionKey')));
    legend.append(item);
  }
  if (series.length < 2) return legend.childElementCount ? legend : null;
  const varying = CONDITIONS.filter((s) => s.key !== axis && series.some((x) => x.settings[s.key] !== series[0].settings[s.key]));
  series.forEach((one, index) => {
    const item = html('li');
    const key = svg('svg', { viewBox: '0 0 16 16', width: 16, height: 16, 'aria-hidden': 'true' });
    key.append(svg('path', { d: MARKS[index % MARKS.length](8, 8), fill: COLOURS[index % COLOURS.length] }));
    item.append(key, document.createTextNode(varying.map((s) => `${s.name} ${one.settings[s.key]}${s.unit}`).join('、')));
    legend.append(item);
  });
  return legend;
}
