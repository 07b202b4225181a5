// The learner's record as it is stored: its rows, when it was last
// cleared, and the learner's conclusions. Copies from several tabs are put
// together here the same way in every tab.
//
// Versions: 1 held rows of texts; 2 added the prediction and the notes;
// 3 (written now) holds rows of numbers (see row.js). Versions 1 and 2 are
// read with nothing lost, their texts read as numbers. A record of a later
// version than this page knows is set aside under a key of its own (never
// overwritten, nor written back without what this page cannot read) and
// the learner told; the later page that wrote it reads it there.
import { runFromOld } from './row.js';

const FORMAT = 'shoutotsu-record';
export const VERSION = 3;
export const MAX_ROWS = 1000;
export const MAX_NOTES = 4000; // characters of the learner's conclusions
// Run numbers beyond this are taken for damage, not for a class's work.
const MAX_RUN = 1e9;
const MAX_TIME = 8.64e15; // the latest time a Date can hold
const ID = /^[\w.:#-]{1,64}$/;

/**
 * @typedef {import('./row.js').Row} Row
 * @typedef {{ text: string, at: number, from?: number }} Notes
 *   at when last written, from the `at` of the text it was written over
 * @typedef {{ rows: Row[], clearedAt: number, notes: Notes }} Record
 */

/** @param {unknown} value */
const isTime = (value) => Number.isInteger(value) && /** @type {number} */ (value) >= 0 && /** @type {number} */ (value) <= MAX_TIME;

/** @param {any} data whether it is a record of some version */
const isRecordData = (data) => Boolean(data) && typeof data === 'object' && data.kind === FORMAT && Number.isInteger(data.version);

/** @param {any} value whether its id and time, where it has them, are ones this page writes */
const validIdAndTime = (value) => (value.id === undefined || (typeof value.id === 'string' && ID.test(value.id)))
  && (value.at === undefined || isTime(value.at));

/** @param {any} value @returns {Row | null} */
function storedRow(value) {
  const run = value?.run ?? value?.n;
  if (!Number.isInteger(run) || run < 1 || run > MAX_RUN || !validIdAndTime(value)) return null;
  try {
    // A row from before rows had times counts as older than any clear.
    return { run, id: value.id, at: value.at ?? 0, ...runFromOld(value) };
  } catch {
    return null;
  }
}

/** @param {string} a @param {string} b */
export const byText = (a, b) => (a < b ? -1 : a > b ? 1 : 0);

/**
 * Puts rows from several copies of the record together: one row per id
 * (the highest number it was given), none from before the last clear, in
 * the order of their numbers (a tie by the time the run ended, then by
 * id), each number used once. A row keeps its number unless a row before
 * it has it already; then it moves up.
 * @param {Row[]} rows
 * @param {number} clearedAt
 */
export function settle(rows, clearedAt) {
  const byId = new Map();
  for (const row of rows) {
    if (clearedAt > 0 && row.at <= clearedAt) continue;
    const seen = byId.get(row.id);
    if (!seen || row.run > seen.run) byId.set(row.id, row);
  }
  /** @type {Row[]} */
  const sorted = [...byId.values()].sort((a, b) => a.run - b.run || a.at - b.at || byText(a.id, b.id));
  let last = 0;
  return sorted.map((row) => {
    const run = Math.max(row.run, last + 1);
    last = run;
    return run === row.run ? row : { ...row, run };
  });
}

/**
 * Reads what was stored: { value: record } for a record this page can
 * read, { problem } for one it cannot. Rows written before rows had ids get
 * one from their number (and `idPrefix`), so that every tab that reads the
 * same text gives the same row the same id.
 * @param {string} text
 * @param {string} [idPrefix]
 * @returns {{ value: Record } | { problem: 'set-aside' | 'other-version' }}
 */
export function parseRecord(text, idPrefix = 'n') {
  const data = JSON.parse(text);
  if (!isRecordData(data)) return { problem: 'set-aside' };
  if (data.version > VERSION) return { problem: 'other-version' };
  const clearedAt = data.clearedAt ?? 0;
  const notes = storedNotes(data.notes ?? { text: '', at: 0 });
  if (!Array.isArray(data.rows) || !isTime(clearedAt) || !notes) return { problem: 'set-aside' };
  const rows = data.rows.map(storedRow);
  if (rows.some((/** @type {Row | null} */ row) => !row)) return { problem: 'set-aside' };
  giveIds(/** @type {Row[]} */ (rows), idPrefix);
  return { value: { rows: settle(/** @type {Row[]} */ (rows), clearedAt), clearedAt, notes } };
}

/**
 * The stored notes, or null where they are damaged.
 * @param {any} notes
 * @returns {Notes | null}
 */
function storedNotes(notes) {
  if (!notes || typeof notes.text !== 'string' || notes.text.length > MAX_NOTES || !isTime(notes.at)) return null;
  return { text: notes.text, at: notes.at, from: isTime(notes.from) ? notes.from : 0 };
}

/**
 * Gives each row without an id one made of its number.
 * @param {Row[]} rows
 * @param {string} idPrefix
 */
function giveIds(rows, idPrefix) {
  const given = new Map();
  for (const row of rows) {
    if (row.id !== undefined) continue;
    const times = (given.get(row.run) ?? 0) + 1;
    given.set(row.run, times);
    row.id = times === 1 ? `${idPrefix}${row.run}` : `${idPrefix}${row.run}-${times}`;
  }
}

/** @param {Record} record */
export const serialise = ({ rows, clearedAt, notes }) => JSON.stringify({
  kind: FORMAT,
  version: VERSION,
  ...(clearedAt > 0 ? { clearedAt } : {}),
  ...(notes.text || notes.at ? { notes } : {}),
  rows: rows.map(({ run, id, at, predictionMm, ...values }) => ({
    run, ...values, ...(predictionMm === null ? {} : { predictionMm }), id, ...(at > 0 ? { at } : {}),
  })),
});

/**
 * The learner's notes from two tabs, the same way in both: the one written
 * over the other wins; where each was written over an older text (both
 * tabs typed at once), both are kept, the older first, and `joined` says
 * so, so that the learner is told.
 * @param {Notes} mine
 * @param {Notes} theirs
 * @returns {{ notes: Notes, joined: boolean }}
 */
export function mergeNotes(mine, theirs) {
  if (mine.text === theirs.text || theirs.from === mine.at) return { notes: theirs.at >= mine.at ? theirs : mine, joined: false };
  if (mine.from === theirs.at) return { notes: mine, joined: false };
  const [first, second] = mine.at < theirs.at || (mine.at === theirs.at && mine.text < theirs.text) ? [mine, theirs] : [theirs, mine];
  const at = Math.max(mine.at, theirs.at) + 1;
  if (second.text.includes(first.text)) return { notes: { text: second.text, at, from: at - 1 }, joined: false };
  if (first.text.includes(second.text)) return { notes: { text: first.text, at, from: at - 1 }, joined: false };
  return { notes: { text: `${first.text}\n${second.text}`.slice(0, MAX_NOTES), at, from: at - 1 }, joined: true };
}

/**
 * A short name for a key, to tell apart the ids of rows carried over from
 * the records the page once kept per address (FNV-1a).
 * @param {string} key
 */
export function keyTag(key) {
  let hash = 0x811c9dc5;
  for (let i = 0; i < key.length; i++) hash = Math.imul(hash ^ key.charCodeAt(i), 0x01000193) >>> 0;
  return hash.toString(36);
}
