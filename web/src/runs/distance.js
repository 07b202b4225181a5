// Distances as the record keeps them: whole millimetres, the distance the
// window's result shows cut to whole mm ("37.9cm" is 379). Texts are read as
// numbers, so that "37.90cm", "037.9cm", "37.9 cm", "３７.９cm", "37.9CM" and
// the "37,9" of a Portuguese or Spanish spreadsheet are all 379.

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
 * Millimetres as the window writes centimetres, without the unit: 379 as
 * "37.9", 470 as "47".
 * To be replaced by the page's number formatting (i18n/numbers.js) once it
 * is there.
 * @param {number} mm
 */
export function cmText(mm) {
  const whole = Math.floor(mm / 10);
  return mm % 10 === 0 ? String(whole) : `${whole}.${mm % 10}`;
}
