// What the window reports, as the record's numbers: the finished run of a
// shoutotsu:run event and the core's result for a class's row.
//
// Both adapters below are to be removed once the core sends numbers
// (`resultMm` in the run, millimetres from resultFor): until then the
// core's run carries the result as the text kekka shows ("37.9cm").
import { COLUMNS } from './columns.js';
import { mmFromText } from './distance.js';
import { runFrom } from './row.js';

/**
 * The run of a shoutotsu:run event, with the prediction made for it.
 * @param {any} detail
 * @param {number | null} predictionMm
 */
export function runOfEvent(detail, predictionMm) {
  /** @type {Record<string, any>} */
  const run = { speed: detail?.speed, predictionMm };
  for (const key of COLUMNS) run[key] = detail?.[key];
  // Remove once the core sends resultMm.
  run.resultMm = Number.isInteger(detail?.resultMm) ? detail.resultMm : mmFromText(detail?.result);
  return runFrom(run);
}

/**
 * The core's result for a row's conditions, in millimetres (null where the
 * core gives none). Remove the text case once the core sends millimetres.
 * @param {number | string} result
 */
export const resultMmOf = (result) => (typeof result === 'number' ? result : mmFromText(result));
