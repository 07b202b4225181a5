// Distances as the record keeps them: whole millimetres, the distance the
// window's result shows cut to whole mm ("37.9cm" is 379). Texts are read as
// numbers, so that "37.90cm", "037.9cm", "37.9 cm", "３７.９cm", "37.9CM" and
// the "37,9" of a Portuguese or Spanish spreadsheet are all 379.

import { formatDecimal } from '../i18n/numbers.js';

/**
 * The millimetres in a distance written in centimetres, or null.
 * @param {unknown} written
 * @returns {number | null}
 */
export function mmFromText(written) {
  const plain = String(written ?? '').normalize('NFKC').trim().replace(/\s*cm$/i, '').replace(',', '.');
  const parts = /^(\d{1,7})(?:\.(\d{1,9}))?$/.exec(plain);
  if (!parts) return null;
  return Number(parts[1]) * 10 + Number((parts[2] ?? '0')[0]);
}

/**
 * Millimetres as the window writes centimetres, without the unit, with the
 * decimal mark of language `lang`: 379 as "37.9" ("37,9" in pt), 470 as
 * "47". Files give no language and keep the point.
 * @param {number} mm
 * @param {string} [lang]
 */
export const cmText = (mm, lang = '') => formatDecimal(mm / 10, lang);
