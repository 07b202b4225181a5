// What the charts show, as data: which conditions changed between runs,
// the condition along the horizontal axis, the series, and where values
// lie along each axis. The animation's speed is not a condition of the
// experiment (it never changes a result): no chart offers it as an axis,
// and changing it changes nothing here. Every extreme is found with a
// loop, so that no number of rows is too many for the call stack.
import { CONDITIONS } from './columns.js';

/** @typedef {import('./row.js').Run & { run: number }} ChartRow */
/** @typedef {import('./columns.js').Condition} Condition */

// When several conditions differ, the chart starts with the one the lesson
// asks about first: the striking bob's weight, then the rail's height (the
// bob's speed), then the rest.
const PREFERRED_AXIS = ['m1', 'height', 'length', 'm2', 'r1', 'r2'];

/** @param {ChartRow} row @param {string} key @returns {number} */
export const valueOf = (row, key) => /** @type {Record<string, any>} */ (row)[key];

/**
 * For each row, the keys of the conditions that differ from the row
 * before it; none for the first row.
 * @param {ChartRow[]} rows
 */
export function changedConditions(rows) {
  return rows.map((row, i) => (i === 0 ? [] : CONDITIONS.filter((c) => valueOf(row, c.key) !== valueOf(rows[i - 1], c.key)).map((c) => c.key)));
}

/**
 * The conditions whose value is not the same in every row.
 * @param {ChartRow[]} rows
 */
export function differingConditions(rows) {
  return CONDITIONS.filter((c) => rows.some((row) => valueOf(row, c.key) !== valueOf(rows[0], c.key))).map((c) => c.key);
}

/** @param {string[]} differing */
export const defaultAxis = (differing) => PREFERRED_AXIS.find((key) => differing.includes(key)) ?? 'm1';

/**
 * The learner's series: runs that share every condition but the one along
 * the horizontal axis, in the order their first run was made.
 * @param {ChartRow[]} rows
 * @param {string} axis
 */
export function seriesOf(rows, axis) {
  const others = CONDITIONS.filter((c) => c.key !== axis);
  /** @type {Map<string, { settings: Record<string, number>, rows: ChartRow[] }>} */
  const byKey = new Map();
  for (const row of rows) {
    const key = others.map((c) => valueOf(row, c.key)).join('|');
    let one = byKey.get(key);
    if (!one) byKey.set(key, (one = { settings: Object.fromEntries(others.map((c) => [c.key, valueOf(row, c.key)])), rows: [] }));
    one.rows.push(row);
  }
  return [...byKey.values()];
}

/**
 * Where a condition's value lies along the horizontal axis, from 0 to 1.
 * @param {Condition} c
 * @param {ChartRow[]} rows
 */
export function axisScale(c, rows) {
  let min = c.min;
  let max = c.max;
  for (const row of rows) {
    const v = valueOf(row, c.key);
    if (v < min) min = v;
    if (v > max) max = v;
  }
  const ticks = [];
  for (let v = min; v <= max; v += c.step) ticks.push(v);
  // A little room at both ends, so that no point sits on the axis line.
  const at = (/** @type {number} */ value) => 0.04 + 0.92 * ((value - min) / (max - min));
  return { ticks: ticks.map((v) => ({ text: String(v), at: at(v) })), at };
}

/**
 * The vertical axis in centimetres, from 0 past the longest result or
 * prediction.
 * @param {ChartRow[]} rows
 */
export function resultScale(rows) {
  let topMm = 100;
  for (const row of rows) {
    if (row.resultMm > topMm) topMm = row.resultMm;
    if (row.predictionMm !== null && row.predictionMm > topMm) topMm = row.predictionMm;
  }
  const top = topMm / 10;
  const step = [5, 10, 20, 50, 100, 200, 500, 1000, 10000, 100000].find((s) => top / s <= 8) ?? 1000000;
  const max = Math.ceil(top / step) * step;
  const ticks = [];
  for (let v = 0; v <= max; v += step) ticks.push(v);
  return { ticks, at: (/** @type {number} */ cm) => cm / max };
}
