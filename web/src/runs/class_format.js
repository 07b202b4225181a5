// The class's record as it is stored: every group's rows, compactly (a row
// is an array of numbers, so that a full class is read at start-up in
// little time), with when each group was added and last renamed, the
// groups taken out and when the record was last cleared, so that copies
// from two tabs are put together without losing a group or bringing back
// one taken out.
//
// Versions: 1 held rows of texts ("20", "中", "37.9cm"); 2 (written now)
// holds numbers. Version 1 is read with nothing lost; a record of a later
// version is set aside under a key of its own, never overwritten.
import { COLUMNS, SPEED_KEYS } from './columns.js';
import { runFrom, runFromOld } from './row.js';
import { MAX_NAME } from './table_read.js';

const FORMAT = 'shoutotsu-class';
export const VERSION = 2;
const V1_KEYS = ['n', ...COLUMNS, 'speed', 'prediction', 'result'];
const ROW_COLUMNS = ['run', ...COLUMNS, 'speed', 'resultMm', 'predictionMm'];

/**
 * @typedef {import('./row.js').Run & { run: number }} ClassRow
 * @typedef {{ name: string, source: string, at: number, named: number, rows: ClassRow[] }} Group
 * @typedef {{ groups: Group[], removed: Record<string, number>, clearedAt: number }} ClassRecord
 *   removed: each group taken out (by its source) and when
 */

/** @param {ClassRow} row */
const packed = (row) => [row.run, ...COLUMNS.map((key) => /** @type {Record<string, any>} */ (row)[key]),
  SPEED_KEYS.indexOf(row.speed), row.resultMm, row.predictionMm ?? -1];

/** @param {any[]} cells @param {string[]} columns @returns {ClassRow} */
function unpacked(cells, columns) {
  /** @type {Record<string, any>} */
  const row = {};
  columns.forEach((key, i) => { row[key] = cells[i]; });
  const speed = SPEED_KEYS[row.speed];
  const run = runFrom({ ...row, speed, predictionMm: row.predictionMm === -1 ? null : row.predictionMm });
  if (!Number.isInteger(row.run) || row.run < 1) throw new TypeError('class: a row needs its number');
  return { run: row.run, ...run };
}

/** @param {any[]} cells @returns {ClassRow} */
function fromFirstVersion(cells) {
  /** @type {Record<string, any>} */
  const old = {};
  V1_KEYS.forEach((key, i) => { old[key] = cells[i]; });
  if (!/^\d{1,9}$/.test(old.n)) throw new TypeError('class: a row needs its number');
  return { run: Number(old.n), ...runFromOld(old) };
}

/**
 * @param {ClassRecord} record
 */
export const serialiseClass = ({ groups, removed, clearedAt }) => JSON.stringify({
  kind: FORMAT,
  version: VERSION,
  columns: ROW_COLUMNS,
  ...(clearedAt > 0 ? { clearedAt } : {}),
  ...(Object.keys(removed).length ? { removed } : {}),
  groups: groups.map(({ name, source, at, named, rows }) => ({ name, source, at, named, rows: rows.map(packed) })),
});

/** @param {any} data whether it is a class's record of some version */
const isClassData = (data) => Boolean(data) && data.kind === FORMAT && Number.isInteger(data.version) && Array.isArray(data.groups);

/**
 * The stored class's record read back: { value }, or { problem } when it
 * cannot be read and must be set aside. Throws on damage it meets on the
 * way (the storage helper sets such a text aside too).
 * @param {string} stored
 * @returns {{ value: ClassRecord } | { problem: 'set-aside' | 'other-version' }}
 */
export function parseClass(stored) {
  const data = JSON.parse(stored);
  if (!isClassData(data)) return { problem: 'set-aside' };
  if (data.version > VERSION) return { problem: 'other-version' };
  const columns = data.version === 1 ? V1_KEYS : data.columns;
  if (!Array.isArray(columns) || (data.version > 1 && !ROW_COLUMNS.every((key) => columns.includes(key)))) return { problem: 'set-aside' };
  /** @type {Group[]} */
  const groups = data.groups.map((/** @type {any} */ group) => storedGroup(group, data.version, columns));
  /** @type {Record<string, number>} */
  const removed = {};
  for (const [source, at] of Object.entries(data.removed ?? {})) if (Number.isInteger(at)) removed[source] = /** @type {number} */ (at);
  return { value: { groups, removed, clearedAt: Number.isInteger(data.clearedAt) ? data.clearedAt : 0 } };
}

/**
 * One stored group read back; throws where it is damaged.
 * @param {any} group
 * @param {number} version
 * @param {string[]} columns
 * @returns {Group}
 */
function storedGroup(group, version, columns) {
  if (!group || typeof group.name !== 'string' || !group.name || typeof group.source !== 'string' || !Array.isArray(group.rows)) {
    throw new TypeError('class: a group needs its name, its source and its rows');
  }
  const rows = group.rows.map((/** @type {any[]} */ cells) => (version === 1 ? fromFirstVersion(cells) : unpacked(cells, columns)));
  if (rows.length === 0) throw new TypeError('class: a group has rows');
  return { name: group.name.slice(0, MAX_NAME), source: group.source, at: group.at ?? 0, named: group.named ?? 0, rows };
}

/**
 * Two copies of the class's record put together, the same way in every
 * tab: each group once (by its file's text), none taken out in either
 * after it was added nor added before the last clear, each under the name it was given last.
 * @param {ClassRecord} mine
 * @param {ClassRecord} theirs
 * @returns {ClassRecord}
 */
export function mergeClass(mine, theirs) {
  const clearedAt = Math.max(mine.clearedAt, theirs.clearedAt);
  const removed = { ...mine.removed };
  for (const [source, at] of Object.entries(theirs.removed)) removed[source] = Math.max(at, removed[source] ?? 0);
  /** @type {Map<string, Group>} */
  const bySource = new Map();
  for (const group of [...mine.groups, ...theirs.groups]) {
    if (group.at <= (removed[group.source] ?? -1) || (clearedAt > 0 && group.at <= clearedAt)) continue;
    const seen = bySource.get(group.source);
    if (!seen || group.named > seen.named) bySource.set(group.source, seen ? { ...seen, name: group.name, named: group.named } : group);
  }
  const groups = [...bySource.values()].sort((a, b) => a.at - b.at || (a.source < b.source ? -1 : a.source > b.source ? 1 : 0));
  return { groups, removed, clearedAt };
}
