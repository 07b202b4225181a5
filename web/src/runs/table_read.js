// A table of runs read back from a file: its bytes decoded (UTF-8 as the
// page saves it, Shift_JIS as a spreadsheet on a Japanese Windows saves it
// again, UTF-16 as "Unicode text"), its cells split by commas, semicolons
// or tabs, its header found in any of the page's languages, and every row
// checked and read as numbers. A file that is not a record is refused with
// one message that names the file, the line and what belongs there.
import { LANGUAGES } from '../i18n/lang/all.js';
import ja from '../i18n/lang/ja.js';
import { CONDITIONS, conditionOf, SPEED_KEYS, speedName } from './columns.js';
import { mmFromText } from './distance.js';
import { once } from '../once.js';
import { MAX_PREDICTION_MM, speedKeyOf } from './row.js';
import { COLUMN_TEXT, TABLE_KEYS } from './table_text.js';
import { splitTable } from './table_split.js';

/** @typedef {import('./columns.js').Words} Words */
/** @typedef {import('./row.js').Run & { run: number, group?: string }} ReadRow */

export const MAX_FILE_BYTES = 1024 * 1024;
export const MAX_NAME = 40;

const normal = (/** @type {string} */ cell) => cell.normalize('NFKC').trim().replace(/\s+/g, ' ').toLowerCase();

// A header cell in any language's words, to its column: the names the
// page writes now, the result's without its unit, and the names older
// pages wrote (速さ; the learner's record's own column names; the names
// of every language before its words were corrected).
const FORMER = {
  formerRun: 'run', formerM1: 'm1', formerM2: 'm2', formerSpeed: 'speed', formerPrediction: 'prediction', formerResult: 'result',
};
// Every header name of every language, to its key; made when a file is
// first read, which reads every language's table.
const knownHeaders = once(() => {
  /** @type {Map<string, string>} */
  const known = new Map();
  /** @param {string | undefined} name @param {string} key */
  const add = (name, key) => name && known.set(normal(name), key);
  for (const { table } of Object.values(LANGUAGES)) {
    /** @param {string} key */
    const t = (key) => table[key] ?? /** @type {Record<string, string>} */ (ja)[key];
    for (const [key, textKey] of Object.entries(COLUMN_TEXT)) add(t(textKey), key);
    add(`${t(COLUMN_TEXT.result)} (cm)`, 'result');
    add(t('classColumnSpeedBefore'), 'speed');
    for (const [former, key] of Object.entries(FORMER)) add(t(former), key);
    add(`${t('formerResult')} (cm)`, 'result');
    add(t('runColumn'), 'run');
    add(t('speedColumn'), 'speed');
    add(`${t('predictionColumn')} (cm)`, 'prediction');
    add(t('resultColumn')?.replace('{result}', t('resultName')), 'result');
    for (const c of CONDITIONS) add(`${t(`setting_${c.key}`)} (${c.unit})`, c.key);
  }
  return known;
});

/**
 * The file's text, or what keeps it from being one.
 * @param {Uint8Array} bytes
 * @returns {{ text: string } | { problem: 'empty' | 'not-text' }}
 */
export function decodeTable(bytes) {
  if (bytes.length === 0) return { problem: 'empty' };
  const utf16 = bytes[0] === 0xff && bytes[1] === 0xfe ? 'utf-16le' : bytes[0] === 0xfe && bytes[1] === 0xff ? 'utf-16be' : null;
  // UTF-8 before Shift_JIS: a Shift_JIS file almost never reads as UTF-8
  // without a fault, while the other way round it often would.
  let decoded;
  for (const encoding of utf16 ? [utf16] : ['utf-8', 'shift_jis']) {
    try {
      decoded = new TextDecoder(encoding, { fatal: true }).decode(bytes);
      break;
    } catch {
      decoded = undefined;
    }
  }
  // Control characters other than tabs and line ends mean a picture or a
  // spreadsheet's own file.
  // eslint-disable-next-line no-control-regex -- control characters are what is looked for
  if (decoded === undefined || /[\0-\x08\x0b\x0c\x0e-\x1f\x7f]/.test(decoded)) return { problem: 'not-text' };
  if (decoded.trim() === '') return { problem: 'empty' };
  return { text: decoded };
}

/** @typedef {{ problem: [string, Record<string, string | number>] } | { value: any }} CellValue */

// How each column that is not a condition reads its cell.
/** @type {Record<string, (words: Words, value: string) => CellValue>} */
const CELL_READERS = {
  group: (_words, value) => ({ value: value.slice(0, MAX_NAME) }),
  run: (_words, value) => (/^\d{1,9}$/.test(value) && Number(value) >= 1 ? { value: Number(value) } : { problem: ['classBadRun', {}] }),
  speed: (words, value) => {
    const speed = speedKeyOf(value);
    const speeds = SPEED_KEYS.map((k) => speedName(words, k)).join(words('classSpeedsJoin'));
    return speed ? { value: speed } : { problem: ['classBadSpeed', { speeds }] };
  },
  prediction: (_words, value) => {
    const mm = value === '' ? null : mmFromText(value);
    return value === '' || (mm !== null && mm <= MAX_PREDICTION_MM) ? { value: mm } : { problem: ['classBadPrediction', {}] };
  },
  result: (_words, value) => {
    const mm = mmFromText(value);
    return mm === null ? { problem: ['classBadResult', {}] } : { value: mm };
  },
};

/**
 * What is wrong with one cell, as its message's key and values, or the
 * value it holds.
 * @param {Words} words
 * @param {string} key
 * @param {string} value
 * @returns {CellValue}
 */
function cellValue(words, key, value) {
  const reader = CELL_READERS[key];
  if (reader) return reader(words, value);
  const { min, max } = conditionOf(key);
  const number = Number(value.normalize('NFKC'));
  return /^\d{1,4}$/.test(value.normalize('NFKC')) && number >= min && number <= max
    ? { value: number } : { problem: ['classBadSetting', { min, max }] };
}

/**
 * The columns of a header line, or null if it is not the record's.
 * @param {string[]} cells
 */
function headerKeys(cells) {
  const names = cells.map(normal);
  // Empty cells after the last name are a spreadsheet's leftovers.
  while (names.length && names[names.length - 1] === '') names.pop();
  const known = knownHeaders();
  const keys = names.map((name) => known.get(name));
  const wanted = TABLE_KEYS.filter((key) => key !== 'prediction');
  if (keys.includes(undefined) || new Set(keys).size !== keys.length || !wanted.every((key) => keys.includes(key))) return null;
  return /** @type {string[]} */ (keys);
}

/**
 * One line's row, or the message that refuses it.
 * @param {Words} words
 * @param {{ file: string, line: number, cells: string[] }} where
 * @param {string[]} keys
 * @returns {{ row: ReadRow } | { error: string }}
 */
function rowOf(words, { file, line, cells }, keys) {
  if (cells.length < keys.length || cells.slice(keys.length).some((cell) => cell.trim() !== '')) {
    return { error: words('classBadCount', { file, line, count: cells.length, expected: keys.length }) };
  }
  /** @type {Record<string, any>} */
  const row = { predictionMm: null };
  for (const [i, key] of keys.entries()) {
    const value = cells[i].trim();
    const read = cellValue(words, key, value);
    if ('problem' in read) {
      const shown = value.length > 24 ? `${value.slice(0, 24)}…` : value;
      const column = words(COLUMN_TEXT[key]);
      return { error: words(read.problem[0], { file, line, column, value: shown, ...read.problem[1] }) };
    }
    row[key === 'result' ? 'resultMm' : key === 'prediction' ? 'predictionMm' : key] = read.value;
  }
  return { row: /** @type {ReadRow} */ (row) };
}

/**
 * A file of runs read: its rows (with their group where the file has a
 * group column) and its text, or the one message that refuses it.
 * @param {Words} words
 * @param {string} fileName
 * @param {Uint8Array} bytes
 * @param {number} maxRows the most rows a file may hold
 * @param {number} [total] the most rows of the record it is read into, as the refusal names it
 * @returns {{ rows: ReadRow[], text: string } | { error: string }}
 */
export function readTable(words, fileName, bytes, maxRows, total = maxRows) {
  const file = String(fileName);
  if (bytes.length > MAX_FILE_BYTES) return { error: words('classFileTooBig', { file }) };
  const decoded = decodeTable(bytes);
  if ('problem' in decoded) return { error: words(decoded.problem === 'empty' ? 'classFileEmpty' : 'classFileNotText', { file }) };
  const split = splitTable(decoded.text);
  if ('open' in split) return { error: words('classBadQuote', { file, line: split.open }) };
  // A sheet a spreadsheet saved empty is only separators.
  if (split.records.length === 0) return { error: words('classFileEmpty', { file }) };
  const [header, ...records] = split.records;
  const keys = headerKeys(header.cells);
  if (!keys) {
    const names = ['group', ...TABLE_KEYS].map((key) => words(COLUMN_TEXT[key]));
    return { error: words('classBadHeader', { file, line: header.line, header: names.join(',') }) };
  }
  if (records.length === 0) return { error: words('classNoRows', { file }) };
  if (records.length > maxRows) return { error: words('classTooManyRows', { file, max: total }) };
  const rows = [];
  for (const record of records) {
    const read = rowOf(words, { file, ...record }, keys);
    if ('error' in read) return read;
    rows.push(read.row);
  }
  return { rows, text: decoded.text };
}
