// What the record's chart shows, as data: which conditions changed between
// runs, the condition along the horizontal axis, the series of runs that
// share every other condition, and where values lie along each axis.
import { CONDITIONS } from './record_rows.js';

// When several settings differ, the chart starts with the one the lesson
// asks about first: the striking bob's weight, then the rail's height (the
// bob's speed), then the rest. The animation's speed is never an axis: it
// changes no result.
const PREFERRED_AXIS = ['m1', 'height', 'length', 'm2', 'r1', 'r2'];

export const resultCm = (row) => Number.parseFloat(row.result);
// The learner's prediction in cm, or NaN for a run without one.
export const predictionCm = (row) => (row.prediction ? Number(row.prediction) : Number.NaN);

// The conditions whose value is not the same in every recorded run.
export function differingSettings(rows) {
  return CONDITIONS.filter((s) => rows.some((row) => row[s.key] !== rows[0][s.key])).map((s) => s.key);
}

export function defaultAxis(differing) {
  return PREFERRED_AXIS.find((key) => differing.includes(key)) ?? 'm1';
}

// The chart's series: runs that share every condition but the one along the
// horizontal axis, in the order their first run was made.
export function seriesOf(rows, axis) {
  const others = CONDITIONS.filter((s) => s.key !== axis);
  const byKey = new Map();
  for (const row of rows) {
    const key = others.map((s) => row[s.key]).join('|');
    if (!byKey.has(key)) byKey.set(key, { settings: Object.fromEntries(others.map((s) => [s.key, row[s.key]])), rows: [] });
    byKey.get(key).rows.push(row);
  }
  return [...byKey.values()];
}

// Where a setting's value lies along the horizontal axis, from 0 to 1.
export function axisScale(setting, rows) {
  const values = rows.map((row) => Number(row[setting.key]));
  const min = Math.min(setting.min, ...values);
  const max = Math.max(setting.max, ...values);
  const ticks = [];
  for (let v = min; v <= max; v += setting.step) ticks.push(v);
  // A little room at both ends, so that no point sits on the axis line.
  const at = (value) => 0.04 + 0.92 * ((Number(value) - min) / (max - min));
  return { ticks: ticks.map((v) => ({ text: String(v), at: at(v) })), at };
}

export function resultScale(rows) {
  const top = Math.max(10, ...rows.flatMap((row) => [resultCm(row), predictionCm(row)]).filter(Number.isFinite));
  const step = [5, 10, 20, 50, 100, 200, 500, 1000, 10000, 100000].find((s) => top / s <= 8) ?? 1000000;
  const max = Math.ceil(top / step) * step;
  const ticks = [];
  for (let v = 0; v <= max; v += step) ticks.push(v);
  return { ticks, at: (value) => value / max };
}
