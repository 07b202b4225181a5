// The class's rows checked against the experiment: a row whose result is
// not what the core gives for its conditions is marked. The speed only sets
// how fast a run is shown, so it is not asked; each set of conditions is
// put to the core once. Results are compared as numbers (millimetres).
import { resultMmOf } from '../runs/finished_run.js';

/**
 * @typedef {import('../runs/class_format.js').ClassRow} ClassRow
 * @typedef {(height: number, length: number, m1: number, m2: number, r1: number, r2: number) => number | string} ResultFor
 */

/**
 * Remembers what the core said for each set of conditions.
 * @param {ResultFor} resultFor
 */
export function checker(resultFor) {
  /** @type {Map<string, number | null>} */
  const known = new Map();
  /** @param {ClassRow} row */
  return (row) => {
    const key = `${row.height},${row.length},${row.m1},${row.m2},${row.r1},${row.r2}`;
    let expected = known.get(key);
    if (expected === undefined) {
      expected = resultMmOf(resultFor(row.height, row.length, row.m1, row.m2, row.r1, row.r2));
      known.set(key, expected);
    }
    return expected !== null && expected !== row.resultMm;
  };
}
