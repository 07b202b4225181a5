// A learner's prediction of the distance, as typed: a number of
// centimetres from 0 to 200 with at most one decimal, or nothing (no
// prediction). Full-width digits from a Japanese keyboard are read as
// digits, and a trailing "cm" is allowed.

export const PREDICTION_MAX = 200;

/**
 * The prediction in `typed` as the record keeps it ("40", "37.5"), '' for
 * none, or null when it is not a prediction the record takes.
 * @param {unknown} typed
 * @returns {string | null}
 */
export function predictionFrom(typed) {
  const plain = String(typed ?? '').normalize('NFKC').trim().replace(/\s*cm$/i, '');
  if (plain === '') return '';
  if (!/^\d{1,3}(?:\.\d)?$/.test(plain)) return null;
  const value = Number(plain);
  if (value > PREDICTION_MAX) return null;
  // "040" and "40.0" are both kept as "40".
  return String(value);
}
