// The record's columns: the experiment's six conditions in the order the
// core's parameter table gives them, each with its unit and range, and the
// animation's speeds by their keys. The names a learner reads come from the
// page's text tables through `words`, so that nothing here depends on the
// page's language.
import { PARAMETER_TABLE } from './parameter_table.js';

/**
 * The page's text function (i18n/text.js), handed in by the views.
 * @typedef {(key: string, values?: Record<string, string | number>) => string} Words
 * @typedef {{ key: string, unit: string, min: number, max: number, step: number }} Condition
 */

const table = /** @type {{ columns?: string[] }} */ (/** @type {unknown} */ (PARAMETER_TABLE));
// The core's table names the order of the columns; until the copy here
// carries it, the order the window's frames have, left to right.
export const COLUMNS = table.columns ?? ['m1', 'm2', 'r1', 'r2', 'height', 'length'];

/** @type {Condition[]} */
export const CONDITIONS = COLUMNS.map((key) => {
  const p = PARAMETER_TABLE.parameters.find((parameter) => parameter.key === key);
  if (!p) throw new Error(`runs: the parameter table has no ${key}`);
  return { key, unit: p.unit, min: p.minimum, max: p.maximum, step: p.step };
});

/** The speeds' keys, fastest first (the options' order). */
export const SPEED_KEYS = PARAMETER_TABLE.speeds.map((speed) => speed.key);

/** @param {string} key */
export const conditionOf = (key) => CONDITIONS.find((c) => c.key === key) ?? CONDITIONS[0];

/**
 * A condition's name in the page's language.
 * @param {Words} words
 * @param {string} key
 */
export const conditionName = (words, key) => words(`setting_${key}`);

/**
 * A condition's name with its unit, as a column's or an axis's title.
 * @param {Words} words
 * @param {Condition} c
 */
export const conditionLabel = (words, c) => `${conditionName(words, c.key)} (${c.unit})`;

/**
 * A speed's name in the page's language.
 * @param {Words} words
 * @param {string} key
 */
export const speedName = (words, key) => words(`a11y.sp(${SPEED_KEYS.indexOf(key)})`);
