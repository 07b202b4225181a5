// A learner's prediction of the distance, as typed: a number of
// centimetres from 0 to 200 with at most one decimal, or nothing (no
// prediction). Full-width digits from a Japanese keyboard are read as
// digits, the decimal mark is the language's (numbers.js), and a trailing
// "cm" is allowed.
import { parseDecimal } from '../i18n/numbers.js';

export const PREDICTION_MAX = 200;

/**
 * The prediction in `typed` as the record keeps it ("40", "37.5"), '' for
 * none, or null when it is not a prediction the record takes. `lang` is
 * the language it was typed in ("37,5" in pt); a file's is read as 'ja'.
 * @param {unknown} typed
 * @param {string} [lang]
 * @returns {string | null}
 */
export function predictionFrom(typed, lang = 'ja') {
  const plain = String(typed ?? '').normalize('NFKC').trim().replace(/\s*cm$/i, '');
  if (plain === '') return '';
  const value = parseDecimal(plain, lang);
  if (value === null || value > PREDICTION_MAX) return null;
  // "040" and "40.0" are both kept as "40".
  return String(value);
}
