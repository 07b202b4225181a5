// The record as a table of text, for a spreadsheet: the CSV file and the
// tab-separated text for the clipboard, written the one way for both
// records. Numbers are written alone, their unit in the column's name; the
// speed by its name in the page's language. A cell a spreadsheet would take
// for a formula is neutralised.
import { COLUMNS, speedName } from './columns.js';
import { cmText } from './distance.js';

/** @typedef {import('./columns.js').Words} Words */
/** @typedef {import('./row.js').Row} Row */

// Every column of a table, in the order written; 'group' first where the
// rows carry one (the class's record).
export const TABLE_KEYS = ['run', ...COLUMNS, 'speed', 'prediction', 'result'];

/** @type {Record<string, string>} */
export const COLUMN_TEXT = {
  group: 'classColumnGroup', run: 'classColumnRun', m1: 'classColumnM1', m2: 'classColumnM2', r1: 'classColumnR1',
  r2: 'classColumnR2', height: 'classColumnHeight', length: 'classColumnLength', speed: 'classColumnSpeed',
  prediction: 'classColumnPrediction', result: 'classColumnResult',
};

/**
 * A column's name in the page's language; the result's carries its unit.
 * @param {Words} words
 * @param {string} key
 */
export const columnName = (words, key) => (key === 'result' ? `${words(COLUMN_TEXT.result)} (cm)` : words(COLUMN_TEXT[key]));

/**
 * One row's cells as text, in the order of `keys`; distances with the
 * decimal mark of `lang` (none: the point, as files keep it).
 * @param {Words} words
 * @param {Row} row
 * @param {string[]} keys
 * @param {string} [lang]
 */
export function cellsOf(words, row, keys, lang = '') {
  return keys.map((key) => {
    if (key === 'speed') return speedName(words, row.speed);
    if (key === 'result') return cmText(row.resultMm, lang);
    if (key === 'prediction') return row.predictionMm === null ? '' : cmText(row.predictionMm, lang);
    if (key === 'group') return row.group ?? '';
    return String(/** @type {Record<string, any>} */ (row)[key]);
  });
}

/**
 * A cell a spreadsheet never runs: one that starts, once invisible and
 * format characters (zero-width spaces, direction marks and overrides, a
 * byte-order mark) are taken out and full-width forms folded, with = + - @
 * | or a tab or line end gets a ' before it.
 * @param {string} value
 */
export function neutralised(value) {
  const seen = value.replace(/\p{Cf}/gu, '').normalize('NFKC').replace(/^[ \u3000]+/, '');
  return /^[=+\-@|\t\r\n]/.test(seen) ? `'${value}` : value;
}

/**
 * @param {Words} words
 * @param {Row[]} rows
 * @param {boolean} group whether the rows' group is the first column
 * @param {string} [lang] the decimal mark's language; none for a file
 */
function lines(words, rows, group, lang) {
  const keys = group ? ['group', ...TABLE_KEYS] : TABLE_KEYS;
  return [keys.map((key) => columnName(words, key)), ...rows.map((row) => cellsOf(words, row, keys, lang))]
    .map((line) => line.map(neutralised));
}

/**
 * The CSV a spreadsheet opens with its header intact: UTF-8 with a
 * byte-order mark (Excel on Windows reads it as Shift_JIS otherwise), CRLF
 * line ends, one header row.
 * @param {Words} words
 * @param {Row[]} rows
 * @param {{ group?: boolean }} [options]
 */
export function csvText(words, rows, { group = false } = {}) {
  const quoted = (/** @type {string} */ cell) => (/[",;\r\n]/.test(cell) ? `"${cell.replace(/"/g, '""')}"` : cell);
  return '\uFEFF' + lines(words, rows, group).map((line) => line.map(quoted).join(',')).join('\r\n') + '\r\n';
}

/**
 * The same table with its cells apart by tabs, so that pasting into a
 * spreadsheet fills one cell each; a tab or line end in a name is a space.
 * Numbers take the decimal mark of `lang`, so that a spreadsheet in that
 * language reads them as numbers.
 * @param {Words} words
 * @param {Row[]} rows
 * @param {{ group?: boolean, lang?: string }} [options]
 */
export function tsvText(words, rows, { group = false, lang = '' } = {}) {
  return lines(words, rows, group, lang).map((line) => line.map((cell) => cell.replace(/[\t\r\n]/g, ' ')).join('\t')).join('\r\n') + '\r\n';
}
