// One group's file of the class's record, read: its bytes decoded (UTF-8 as
// the page saves it, or Shift_JIS as a spreadsheet on a Japanese Windows
// saves it again), its CSV cells split, its header found in any of the
// page's languages, and every row checked. A file that is not a record is
// refused with one message that names the file, the line and what belongs
// there. No page element is touched here.
import { LANGUAGES } from '../i18n/lang/all.js';
import ja from '../i18n/lang/ja.js';
import { PARAMETER_TABLE } from '../runs/parameter_table.js';
import { text } from '../i18n/text.js';

export const MAX_FILE_BYTES = 1024 * 1024;
const MAX_NAME = 40;

const SETTING_KEYS = ['m1', 'm2', 'r1', 'r2', 'height', 'length'];
// Every column of a row, in the order the page writes them.
export const ROW_KEYS = ['n', ...SETTING_KEYS, 'speed', 'prediction', 'result'];
const TEXT_KEY = {
  n: 'classColumnRun', m1: 'classColumnM1', m2: 'classColumnM2', r1: 'classColumnR1', r2: 'classColumnR2',
  height: 'classColumnHeight', length: 'classColumnLength', speed: 'classColumnSpeed',
  prediction: 'classColumnPrediction', result: 'classColumnResult',
};
// The names a column has had: older files call the speed 速さ.
const FORMER_KEYS = { speed: ['classColumnSpeedBefore'] };
export const columnName = (key) => text(TEXT_KEY[key]);

const RANGES = Object.fromEntries(PARAMETER_TABLE.parameters.map((p) => [p.key, p]));
export const SPEEDS = PARAMETER_TABLE.speeds.map((speed) => speed.name);

// Header cells compared as a spreadsheet may have left them: spaces around,
// and full- or half-width brackets.
const normal = (cell) => cell.normalize('NFKC').trim();

// A header cell in any language's words, to its column. A language added to
// lang/all.js is read from then on; a name it lacks is the Japanese one.
function headerColumns() {
  const columns = new Map();
  for (const { table } of Object.values(LANGUAGES)) {
    for (const [key, name] of Object.entries(TEXT_KEY)) {
      for (const textKey of [name, ...(FORMER_KEYS[key] ?? [])]) {
        columns.set(normal(table[textKey] ?? ja[textKey]), key);
      }
    }
  }
  return columns;
}

/**
 * The file's text, or what keeps it from being one.
 * @param {Uint8Array} bytes
 * @returns {{ text: string } | { problem: 'empty' | 'not-text' }}
 */
export function decodeCsv(bytes) {
  if (bytes.length === 0) return { problem: 'empty' };
  let decoded;
  // UTF-8 first: a Shift_JIS file almost never reads as UTF-8 without a
  // fault, while the other way round it often would. The decoder drops a
  // byte-order mark.
  for (const encoding of ['utf-8', 'shift_jis']) {
    try {
      decoded = new TextDecoder(encoding, { fatal: true }).decode(bytes);
      break;
    } catch {
      decoded = undefined;
    }
  }
  // Control characters other than tabs and line ends mean a picture, a
  // spreadsheet's own file or a text in UTF-16.
  // eslint-disable-next-line no-control-regex -- control characters are what is looked for
  if (decoded === undefined || /[\0-\x08\x0b\x0c\x0e-\x1f\x7f]/.test(decoded)) return { problem: 'not-text' };
  if (decoded.trim() === '') return { problem: 'empty' };
  return { text: decoded };
}

/**
 * The CSV's records with the line each starts on; a quote left open is
 * reported as { open: line }.
 * @param {string} csv
 * @returns {{ records: { line: number, cells: string[] }[] } | { open: number }}
 */
export function splitCsv(csv) {
  const records = [];
  let cells = [];
  let cell = '';
  let quoted = false;
  let line = 1;
  let start = 1;
  let quoteLine = 0;
  for (let i = 0; i < csv.length; i++) {
    const c = csv[i];
    if (quoted) {
      if (c === '"' && csv[i + 1] === '"') {
        cell += '"';
        i++;
      } else if (c === '"') {
        quoted = false;
      } else {
        if (c === '\n') line++;
        cell += c;
      }
    } else if (c === '"') {
      quoted = true;
      quoteLine = line;
    } else if (c === ',') {
      cells.push(cell);
      cell = '';
    } else if (c === '\n' || c === '\r') {
      if (c === '\r' && csv[i + 1] === '\n') i++;
      cells.push(cell);
      records.push({ line: start, cells });
      cells = [];
      cell = '';
      start = ++line;
    } else {
      cell += c;
    }
  }
  if (quoted) return { open: quoteLine };
  if (cell !== '' || cells.length) records.push({ line: start, cells: [...cells, cell] });
  // Lines with nothing in any cell are left out, as a spreadsheet leaves them.
  return { records: records.filter((record) => record.cells.some((one) => one.trim() !== '')) };
}

/**
 * What is wrong with one cell, as its message's key and values; null if it
 * holds what its column takes.
 * @param {string} key
 * @param {string} value
 * @returns {[string, Record<string, string | number>] | null}
 */
function cellProblem(key, value) {
  if (key === 'n') return /^\d{1,9}$/.test(value) && Number(value) >= 1 ? null : ['classBadRun', {}];
  if (key === 'speed') return SPEEDS.includes(value) ? null : ['classBadSpeed', { speeds: SPEEDS.join('」「') }];
  if (key === 'prediction') {
    return value === '' || (/^\d{1,3}(\.\d)?$/.test(value) && Number(value) <= 200) ? null : ['classBadPrediction', {}];
  }
  if (key === 'result') return /^\d{1,6}(\.\d{1,6})?cm$/.test(value) ? null : ['classBadResult', {}];
  // Any whole value in range is a real run: a dragged thumb stops between
  // the arrows' steps.
  const { minimum: min, maximum: max } = RANGES[key];
  return /^\d{1,4}$/.test(value) && Number(value) >= min && Number(value) <= max ? null : ['classBadSetting', { min, max }];
}

/**
 * One row as stored, or null if a cell is not what its column takes (a
 * stored record read back).
 * @param {Record<string, string>} row
 */
export function checkedRow(row) {
  if (!row || typeof row !== 'object') return null;
  const out = {};
  for (const key of ROW_KEYS) {
    const value = row[key] ?? (key === 'prediction' ? '' : undefined);
    if (typeof value !== 'string' || cellProblem(key, value)) return null;
    out[key] = value;
  }
  return out;
}

// The group's name from its file's name, without ".csv".
export function groupName(fileName) {
  return String(fileName).replace(/\.csv$/i, '').trim().slice(0, MAX_NAME);
}

/**
 * A group's file read: its rows, or the one message that refuses it.
 * @param {string} fileName
 * @param {Uint8Array} bytes
 * @returns {{ group: { name: string, source: string, rows: Record<string, string>[] } } | { error: string }}
 */
export function readGroupFile(fileName, bytes) {
  const file = String(fileName);
  if (bytes.length > MAX_FILE_BYTES) return { error: text('classFileTooBig', { file }) };
  const decoded = decodeCsv(bytes);
  if ('problem' in decoded) return { error: text(decoded.problem === 'empty' ? 'classFileEmpty' : 'classFileNotText', { file }) };
  const split = splitCsv(decoded.text);
  if ('open' in split) return { error: text('classBadQuote', { file, line: split.open }) };
  const [header, ...records] = split.records;
  // Empty cells after the last name are a spreadsheet's leftovers.
  const names = header.cells.map(normal);
  while (names.length && names[names.length - 1] === '') names.pop();
  const known = headerColumns();
  const keys = names.map((name) => known.get(name));
  const wanted = ROW_KEYS.filter((key) => key !== 'prediction');
  if (keys.includes(undefined) || new Set(keys).size !== keys.length || !wanted.every((key) => keys.includes(key))) {
    return {
      error: text('classBadHeader', { file, line: header.line, header: ROW_KEYS.map(columnName).join(',') }),
    };
  }
  if (records.length === 0) return { error: text('classNoRows', { file }) };
  const rows = [];
  for (const { line, cells } of records) {
    const extra = cells.slice(keys.length);
    if (cells.length < keys.length || extra.some((cell) => cell.trim() !== '')) {
      return { error: text('classBadCount', { file, line, count: cells.length, expected: keys.length }) };
    }
    const row = { prediction: '' };
    for (const [i, key] of keys.entries()) {
      const value = cells[i].trim();
      const problem = cellProblem(key, value);
      if (problem) {
        const shown = value.length > 24 ? `${value.slice(0, 24)}…` : value;
        return { error: text(problem[0], { file, line, column: columnName(key), value: shown, ...problem[1] }) };
      }
      row[key] = value;
    }
    rows.push(row);
  }
  return { group: { name: groupName(file), source: sourceTag(decoded.text.replace(/\r\n?/g, '\n')), rows } };
}

// Tells a file added again from one not seen before: the same text gives
// the same tag (two 32-bit FNV-1a hashes and the length).
export function sourceTag(csv) {
  let a = 0x811c9dc5;
  let b = 0x01000193;
  for (let i = 0; i < csv.length; i++) {
    const c = csv.charCodeAt(i);
    a = Math.imul(a ^ c, 0x01000193) >>> 0;
    b = Math.imul(b ^ c, 0x5bd1e995) >>> 0;
  }
  return `${csv.length.toString(36)}-${a.toString(36)}-${b.toString(36)}`;
}
