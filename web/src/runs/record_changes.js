// Which conditions each run changed from the run before it: the skill the
// lesson teaches is to change one condition at a time and keep the others
// equal. The animation's speed is not a condition (it never changes the
// result), so changing it changes nothing here.
import { CONDITIONS } from './record_rows.js';

/**
 * For each row, the keys of the conditions that differ from the row
 * before it; none for the first row.
 * @param {Array<Record<string, any>>} rows
 * @returns {string[][]}
 */
export function changedConditions(rows) {
  return rows.map((row, i) => (i === 0 ? [] : CONDITIONS.filter((s) => row[s.key] !== rows[i - 1][s.key]).map((s) => s.key)));
}
