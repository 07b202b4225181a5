// Numbers as a learner of each language writes them: 37,9 in Brazil, Latin
// America and Vietnam, 37.9 in Japan, the United States, China and the
// Philippines. Shown and spoken numbers use the page's mark; a typed one is
// read with it (or with a point, which no one types for thousands below
// 200), and full-width digits from a Japanese keyboard are digits. Files
// keep the point (a CSV reads the same everywhere); only the table copied
// for a spreadsheet takes the language's mark.

// Languages that write a decimal comma.
const kCommaLanguages = new Set(['pt', 'es', 'vi']);

/**
 * The decimal mark of language `lang` ("ja", "pt" …).
 * @param {string} lang
 * @returns {',' | '.'}
 */
export const decimalMark = (lang) => (kCommaLanguages.has(lang) ? ',' : '.');

/**
 * A count of tenths written as a decimal with one place: 379 (mm, a
 * result) is "37.9" or "37,9"; 400 is "40.0" or "40,0".
 * @param {number} tenths an integer
 * @param {string} lang
 */
export function formatTenths(tenths, lang) {
  const sign = tenths < 0 ? '-' : '';
  const whole = Math.abs(Math.trunc(tenths));
  return `${sign}${Math.floor(whole / 10)}${decimalMark(lang)}${whole % 10}`;
}

/**
 * A number as written in JavaScript ("37.5", 40) with the language's mark:
 * "37,5", "40".
 * @param {number | string} value
 * @param {string} lang
 */
export const formatDecimal = (value, lang) => String(value).replace('.', decimalMark(lang));

/**
 * The points between digits in `text` replaced by the language's mark, for
 * a sentence that carries a number ("37.9cm" -> "37,9cm").
 * @param {string} text
 * @param {string} lang
 */
export const withDecimalMark = (text, lang) => text.replace(/(\d)\.(\d)/g, `$1${decimalMark(lang)}$2`);

/**
 * The number a learner typed, with at most `places` decimal places, or
 * null when it is not one: digits (full-width too), then the language's
 * mark or a point and the decimals. No sign, no grouping.
 * @param {unknown} typed
 * @param {string} lang
 * @param {number} [places]
 * @returns {number | null}
 */
export function parseDecimal(typed, lang, places = 1) {
  const plain = String(typed ?? '').normalize('NFKC').trim();
  const marks = decimalMark(lang) === ',' ? '[.,]' : '\\.';
  const match = new RegExp(`^(\\d+)(?:${marks}(\\d{1,${places}}))?$`).exec(plain);
  if (!match) return null;
  return Number(`${match[1]}.${match[2] ?? '0'}`);
}
