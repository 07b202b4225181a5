// One row of a record: a finished run as numbers. The learner's record and
// the class's record hold the same rows; the class's rows carry a group.
//   run          its number in its record (1, 2, …)
//   id, at       which run it is across tabs, and when it ended (ms)
//   m1 … length  each condition's value as the window showed it (an int)
//   speed        the key of the speed the run started with
//   resultMm     the distance the window showed, in whole millimetres
//   predictionMm the learner's prediction in millimetres (a prediction has
//                one decimal of a centimetre at most), or null
// Only views turn these into text.
import { LANGUAGES } from '../i18n/lang/all.js';
import { once } from '../once.js';
import { PARAMETER_TABLE } from './parameter_table.js';
import { CONDITIONS, SPEED_KEYS } from './columns.js';
import { mmFromText } from './distance.js';

/**
 * @typedef {{ m1: number, m2: number, r1: number, r2: number, height: number, length: number,
 *   speed: string, resultMm: number, predictionMm: number | null }} Run
 * @typedef {Run & { run: number, id: string, at: number, group?: string }} Row
 */

export const MAX_RESULT_MM = 1e8;
export const MAX_PREDICTION_MM = 2000;

// Every name a speed has had or has in any language, to its key: the
// keys themselves, the options' names (速, 中, 遅) and each language's.
// Made when first asked for, which reads every language's table.
const fold = (/** @type {string} */ name) => name.normalize('NFKC').trim().toLowerCase();
const allSpeedNames = once(() => {
  /** @type {Map<string, string>} */
  const names = new Map();
  PARAMETER_TABLE.speeds.forEach((speed, i) => {
    names.set(fold(speed.key), speed.key);
    names.set(fold(speed.name), speed.key);
    for (const { table } of Object.values(LANGUAGES)) {
      const name = table[`a11y.sp(${i})`];
      if (name) names.set(fold(name), speed.key);
    }
  });
  // The names earlier pages wrote in Portuguese and Spanish, masculine before
  // the options agreed with "velocidade"/"velocidad": files saved then still read.
  [['rápido', 'fast'], ['médio', 'medium'], ['medio', 'medium'], ['lento', 'slow']].forEach(([name, key]) => names.set(name, key));
  return names;
});

/**
 * A speed's key from its key or its name in any language; null if none.
 * @param {unknown} written
 * @returns {string | null}
 */
export const speedKeyOf = (written) => allSpeedNames().get(fold(String(written ?? ''))) ?? null;

/**
 * Checks one run as numbers; a wrong field is a fault in the page's wiring
 * or a damaged store, named so that it is found at once. Any whole value in
 * a condition's range is a run: the arrows move by the step, but a dragged
 * thumb stops on every value between.
 * @param {any} value
 * @returns {Run}
 */
export function runFrom(value) {
  /** @param {unknown} v @param {number} min @param {number} max */
  const wholeIn = (v, min, max) => Number.isInteger(v) && /** @type {number} */ (v) >= min && /** @type {number} */ (v) <= max;
  if (!value || typeof value !== 'object') throw new TypeError('record: a run must be an object');
  /** @type {Record<string, any>} */
  const run = {};
  for (const c of CONDITIONS) {
    const v = value[c.key];
    if (!wholeIn(v, c.min, c.max)) {
      throw new TypeError(`record: ${c.key} must be a whole ${c.min} to ${c.max}, got ${JSON.stringify(v)}`);
    }
    run[c.key] = v;
  }
  if (!SPEED_KEYS.includes(value.speed)) {
    throw new TypeError(`record: speed must be one of ${SPEED_KEYS.join(', ')}, got ${JSON.stringify(value.speed)}`);
  }
  const { resultMm, predictionMm = null } = value;
  if (!wholeIn(resultMm, 0, MAX_RESULT_MM)) {
    throw new TypeError(`record: resultMm must be whole millimetres, got ${JSON.stringify(resultMm)}`);
  }
  if (predictionMm !== null && !wholeIn(predictionMm, 0, MAX_PREDICTION_MM)) {
    throw new TypeError(`record: predictionMm must be 0 to ${MAX_PREDICTION_MM}, got ${JSON.stringify(predictionMm)}`);
  }
  return /** @type {Run} */ ({ ...run, speed: value.speed, resultMm, predictionMm });
}

/**
 * A row as the page wrote it before rows held numbers ("20", "中",
 * "37.9cm", a prediction "40"), as numbers; a row already of numbers is
 * kept. Throws where a value is not what the window could show.
 * @param {any} old
 * @returns {Run}
 */
export function runFromOld(old) {
  if (!old || typeof old !== 'object') throw new TypeError('record: a row must be an object');
  /** @type {Record<string, any>} */
  const run = {};
  for (const c of CONDITIONS) {
    const v = old[c.key];
    run[c.key] = typeof v === 'string' && /^\s*\d{1,4}\s*$/.test(v) ? Number(v) : v;
  }
  run.speed = speedKeyOf(old.speed);
  run.resultMm = old.resultMm ?? mmFromText(old.result);
  run.predictionMm = oldPrediction(old.predictionMm ?? old.prediction ?? null);
  return runFrom(run);
}

/**
 * A prediction as numbers: a text read as a distance ("" none), anything
 * else kept for runFrom to check.
 * @param {unknown} prediction
 */
function oldPrediction(prediction) {
  if (typeof prediction !== 'string') return prediction;
  if (prediction === '') return null;
  const mm = mmFromText(prediction);
  if (mm === null) throw new TypeError('record: a prediction is a distance');
  return mm;
}
