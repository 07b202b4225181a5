// A finished run's result as a number, and that number as a sentence shows
// it. The run carries its result as whole millimetres (resultMm).
//
// FOR REMOVAL once every run carries resultMm: a run reported by an older
// module carries only the caption ("37.9cm"), read here in one place.
/**
 * @param {{ resultMm?: number, result?: string }} run
 * @returns {number} the result in whole millimetres
 */
export function resultMmOf(run) {
  if (typeof run.resultMm === 'number') return run.resultMm;
  return Math.floor(Math.round(parseFloat(run.result ?? '') * 100) / 10);
}

// FOR REPLACEMENT by the number formatting of i18n/numbers.js: centimetres
// as the window writes them (379 mm is "37.9", 400 mm is "40").
/** @param {number} mm */
export const centimetres = (mm) => String(mm / 10);
