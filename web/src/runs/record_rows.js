// The record's rows as data: the conditions of a run as the window showed
// them, checked; the stored record read and written; copies from several
// tabs put together; the CSV. No page element is touched here.
//
// The page hands over each finished run with the texts the window's labels
// show; nothing here recomputes a value the core produced.
import { PARAMETER_TABLE } from './parameter_table.js';
import { predictionFrom } from '../lesson/prediction.js';
import { text } from '../i18n/text.js';

const FORMAT = 'shoutotsu-record';
// Version 2 added the prediction to rows and the learner's conclusions to
// the record. A version-1 record is read as it is (no predictions); a page
// that knows only version 1 sets a version-2 record aside instead of
// writing it back without them.
const VERSION = 2;
const READABLE = [1, 2];
export const MAX_ROWS = 1000;
export const MAX_NOTES = 4000; // characters of the learner's conclusions
// Run numbers beyond this are taken for damage, not for a class's work.
const MAX_RUN = 1e9;
const MAX_TIME = 8.64e15; // the latest time a Date can hold

// The speeds by the names their options carry: 速, 中, 遅.
const SPEEDS = PARAMETER_TABLE.speeds.map((speed) => speed.name);

// The conditions of the experiment in the order of the table's columns
// (the window's frames, left to right), each with its unit and range from
// the core's table, and its name in the page's language. The animation's
// speed follows them: it is kept with each run, but it changes only how
// fast the run is shown, never its result, so it is not a condition.
const COLUMNS = ['m1', 'm2', 'r1', 'r2', 'height', 'length'];
/**
 * @typedef {{ key: string, readonly name: string, unit: string, min?: number, max?: number, step?: number,
 *   categories?: string[] }} Setting
 * @type {Setting[]}
 */
export const CONDITIONS = COLUMNS.map((key) => {
  const p = PARAMETER_TABLE.parameters.find((parameter) => parameter.key === key);
  return {
    key, unit: p.unit, min: p.minimum, max: p.maximum, step: p.step,
    get name() { return text(`setting_${key}`); },
  };
});
/** @type {Setting} */
export const SPEED = { key: 'speed', unit: '', categories: [...SPEEDS].reverse(), get name() { return text('speedColumn'); } };
export const SETTINGS = [...CONDITIONS, SPEED];

export const label = (s) => (s.unit ? `${s.name} (${s.unit})` : s.name);
// The table's and the CSV's columns: the run, its settings, the prediction
// and the result.
export const header = () => [
  text('runColumn'), ...SETTINGS.map(label), `${text('predictionColumn')} (cm)`, text('resultColumn', { result: text('resultName') }),
];

const DIGITS = /^\d{1,4}$/;
const RESULT = /^\d{1,6}(?:\.\d{1,6})?cm$/;
const ID = /^[\w.:#-]{1,64}$/;

// Checks one run as the page hands it over; a wrong field is a fault in the
// page's wiring, named so that it is found at once. A value outside what the
// window's scroll bars can show is refused here too, or the record that kept
// it would be unreadable the next time the page opens. Any whole value in
// the range is a run: the arrows move by the step, but a dragged thumb
// stops on every value between (a radius of 13 mm, a rail 23 cm high).
export function runFrom(run) {
  if (!run || typeof run !== 'object') throw new TypeError('record: addRun needs a run object');
  const row = {};
  for (const s of CONDITIONS) {
    const text = String(run[s.key] ?? '').trim();
    if (!DIGITS.test(text)) throw new TypeError(`record: ${s.key} must be the digits its label shows, got ${JSON.stringify(run[s.key])}`);
    const value = Number(text);
    if (value < s.min || value > s.max) {
      throw new TypeError(`record: ${s.key} must be ${s.min} to ${s.max}, got ${JSON.stringify(run[s.key])}`);
    }
    row[s.key] = text;
  }
  const speed = String(run.speed ?? '').trim();
  if (!SPEEDS.includes(speed)) throw new TypeError(`record: speed must be one of ${SPEEDS.join(', ')}, got ${JSON.stringify(run.speed)}`);
  row.speed = speed;
  const result = String(run.result ?? '').trim();
  if (!RESULT.test(result)) throw new TypeError(`record: result must be the text kekka shows (e.g. "37.9cm"), got ${JSON.stringify(run.result)}`);
  row.result = result;
  const prediction = predictionFrom(run.prediction ?? '');
  if (prediction === null) throw new TypeError(`record: prediction must be 0 to 200 cm, got ${JSON.stringify(run.prediction)}`);
  if (prediction !== '') row.prediction = prediction;
  return row;
}

const isTime = (value) => Number.isInteger(value) && value >= 0 && value <= MAX_TIME;

function storedRow(value) {
  if (!value || typeof value !== 'object' || !Number.isInteger(value.n) || value.n < 1 || value.n > MAX_RUN) return null;
  if (value.id !== undefined && !(typeof value.id === 'string' && ID.test(value.id))) return null;
  if (value.at !== undefined && !isTime(value.at)) return null;
  try {
    // A row from before rows had times counts as older than any clear.
    return { n: value.n, id: value.id, at: value.at ?? 0, ...runFrom(value) };
  } catch {
    return null;
  }
}

export const byText = (a, b) => (a < b ? -1 : a > b ? 1 : 0);

// Puts rows from several copies of the record together, the same way in
// every tab: one row per id (the highest number it was given), none from
// before the last clear, in the order of their numbers (a tie by the time
// the run ended, then by id), each number used once. A row keeps its number
// unless a row before it has it already; then it moves up.
export function settle(rows, clearedAt) {
  const byId = new Map();
  for (const row of rows) {
    if (clearedAt > 0 && row.at <= clearedAt) continue;
    const seen = byId.get(row.id);
    if (!seen || row.n > seen.n) byId.set(row.id, row);
  }
  const sorted = [...byId.values()].sort((a, b) => a.n - b.n || a.at - b.at || byText(a.id, b.id));
  let last = 0;
  return sorted.map((row) => {
    const n = Math.max(row.n, last + 1);
    last = n;
    return n === row.n ? row : { ...row, n };
  });
}

// Reads what was stored: { rows, clearedAt } for a record this page can
// read, { problem } for one it cannot. Rows written before rows had ids get
// one from their number (and `idPrefix`), so that every tab that reads the
// same text gives the same row the same id.
export function parseRecord(text, idPrefix = 'n') {
  let data;
  try {
    data = JSON.parse(text);
  } catch {
    return { problem: 'set-aside' };
  }
  if (!data || typeof data !== 'object' || data.kind !== FORMAT || !Number.isInteger(data.version)) {
    return { problem: 'set-aside' };
  }
  if (!READABLE.includes(data.version)) return { problem: 'other-version' };
  if (!Array.isArray(data.rows)) return { problem: 'set-aside' };
  const clearedAt = data.clearedAt ?? 0;
  if (!isTime(clearedAt)) return { problem: 'set-aside' };
  const notes = data.notes ?? { text: '', at: 0 };
  if (!notes || typeof notes.text !== 'string' || notes.text.length > MAX_NOTES || !isTime(notes.at)) return { problem: 'set-aside' };
  const rows = data.rows.map(storedRow);
  if (rows.some((row) => !row)) return { problem: 'set-aside' };
  const given = new Map();
  for (const row of rows) {
    if (row.id !== undefined) continue;
    const times = (given.get(row.n) ?? 0) + 1;
    given.set(row.n, times);
    row.id = times === 1 ? `${idPrefix}${row.n}` : `${idPrefix}${row.n}-${times}`;
  }
  return { rows: settle(rows, clearedAt), clearedAt, notes: { text: notes.text, at: notes.at } };
}

// `notes` is the learner's conclusions, { text, at } (when last written).
export const serialise = (rows, clearedAt, notes = { text: '', at: 0 }) => JSON.stringify({
  kind: FORMAT,
  version: VERSION,
  ...(clearedAt > 0 ? { clearedAt } : {}),
  ...(notes.text || notes.at ? { notes } : {}),
  rows: rows.map(({ n, id, at, ...run }) => ({ n, ...run, id, ...(at > 0 ? { at } : {}) })),
});

// A short name for a key, to tell apart the ids of rows carried over from
// the records the page once kept per address (FNV-1a).
export function keyTag(key) {
  let hash = 0x811c9dc5;
  for (let i = 0; i < key.length; i++) hash = Math.imul(hash ^ key.charCodeAt(i), 0x01000193) >>> 0;
  return hash.toString(36);
}
export const SET_ASIDE = /:set-aside:[\dTZ-]+$/;

// The table's rows as cells, in the columns of header().
const cellsOf = (row) => [row.n, ...SETTINGS.map((s) => row[s.key]), row.prediction ?? '', row.result];

// The CSV a spreadsheet opens with its Japanese header intact: UTF-8 with a
// byte-order mark (Excel on Windows reads it as Shift_JIS otherwise), CRLF
// line ends, one header row, the cells as the table shows them.
export function csvText(rows) {
  const cell = (value) => {
    const plain = String(value);
    return /[",\r\n]/.test(plain) ? `"${plain.replace(/"/g, '""')}"` : plain;
  };
  const lines = [header(), ...rows.map(cellsOf)];
  return '\uFEFF' + lines.map((line) => line.map(cell).join(',')).join('\r\n') + '\r\n';
}

// The same table as text for the clipboard: cells apart by tabs, so that
// pasting into a spreadsheet fills one cell each. No cell holds a tab or a
// line end (every value is checked when the run is recorded).
export function tsvText(rows) {
  return [header(), ...rows.map(cellsOf)].map((line) => line.join('\t')).join('\r\n') + '\r\n';
}
