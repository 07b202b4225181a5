// The record's chart as SVG: the result against one condition, one series
// of marks and a line per set of runs that share the other conditions, told
// apart by shape as well as colour, and a legend of what sets them apart.
// A run's prediction is the same mark left hollow, just beside its result.
import { COLOURS, MARKS } from './chart_marks.js';
import { html, svg } from './dom.js';
import { axisScale, predictionCm, resultCm, resultScale, seriesOf } from './record_chart_data.js';
import { CONDITIONS, label } from './record_rows.js';
import { text } from './text.js';

// How far beside its run's result a prediction's hollow mark stands.
const kPredictionOffset = 9;

const BOX = { width: 640, height: 380, left: 72, right: 20, top: 20, bottom: 64 };

export function drawChart(target, rows, axis) {
  const setting = CONDITIONS.find((s) => s.key === axis);
  const resultName = text('resultName');
  const plotWidth = BOX.width - BOX.left - BOX.right;
  const plotHeight = BOX.height - BOX.top - BOX.bottom;
  const xs = axisScale(setting, rows);
  const ys = resultScale(rows);
  const px = (value) => BOX.left + xs.at(value) * plotWidth;
  const py = (cm) => BOX.top + plotHeight - ys.at(cm) * plotHeight;

  const chart = svg('svg', {
    viewBox: `0 0 ${BOX.width} ${BOX.height}`,
    role: 'img',
    'aria-label': text('chartLabel', { setting: label(setting), result: resultName }),
    'data-axis': axis,
  });
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
  chart.append(svg('path', {
    class: 'record-axes',
    d: `M${BOX.left} ${BOX.top}V${BOX.top + plotHeight}H${BOX.left + plotWidth}`,
  }));
  chart.append(svg('text', {
    x: BOX.left + plotWidth / 2, y: BOX.height - 12, 'text-anchor': 'middle', class: 'record-axis-name',
  }, label(setting)));
  const yMiddle = BOX.top + plotHeight / 2;
  chart.append(svg('text', {
    x: 18, y: yMiddle, 'text-anchor': 'middle', class: 'record-axis-name',
    transform: `rotate(-90 18 ${yMiddle})`,
  }, `${resultName} (cm)`));

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
