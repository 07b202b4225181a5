// The class's record as data: every group's rows checked against the
// experiment, the settings its chart can show along the horizontal axis,
// the combined CSV, and the record as it is stored. No page element is
// touched here; the experiment itself is the core's (resultFor).
import { checkedRow, columnName, ROW_KEYS, SPEEDS } from './class_files.js';
import { PARAMETER_TABLE } from '../runs/parameter_table.js';
import { text } from '../i18n/text.js';

const FORMAT = 'shoutotsu-class';
const VERSION = 1;
const MAX_NAME = 40;

/**
 * @typedef {Record<string, string>} ClassRow
 * @typedef {{ name: string, source: string, rows: ClassRow[] }} Group
 */

// The settings a chart can take along its horizontal axis, in the table's
// order, each under its column's name; the speed slowest first.
export function chartSettings() {
  const ranges = Object.fromEntries(PARAMETER_TABLE.parameters.map((p) => [p.key, p]));
  return [
    ...['m1', 'm2', 'r1', 'r2', 'height', 'length'].map((key) => ({
      key, label: columnName(key), min: ranges[key].minimum, max: ranges[key].maximum, step: ranges[key].step,
    })),
    { key: 'speed', label: columnName('speed'), categories: [...SPEEDS].reverse() },
  ];
}

/**
 * The rows whose result is not what the experiment gives for their
 * settings. The speed only sets how fast a run is shown, so it is not asked.
 * @param {Group[]} groups
 * @param {(height: number, length: number, m1: number, m2: number, r1: number, r2: number) => string} resultFor
 * @returns {Set<ClassRow>}
 */
export function mismatchedRows(groups, resultFor) {
  const known = new Map();
  const mismatched = new Set();
  for (const group of groups) {
    for (const row of group.rows) {
      const [height, length, m1, m2, r1, r2] = [row.height, row.length, row.m1, row.m2, row.r1, row.r2].map(Number);
      const key = [height, length, m1, m2, r1, r2].join(',');
      if (!known.has(key)) known.set(key, resultFor(height, length, m1, m2, r1, r2));
      const expected = known.get(key);
      if (expected && expected !== row.result) mismatched.add(row);
    }
  }
  return mismatched;
}

// A cell as a spreadsheet reads it back: quoted where it holds a comma, a
// quote or a line end, and never the start of a formula (a leading =, +, -,
// @, tab or CR gets a ' before it).
function cell(value) {
  let out = String(value);
  if (/^[=+\-@\t\r]/.test(out)) out = `'${out}`;
  return /[",\r\n]/.test(out) ? `"${out.replace(/"/g, '""')}"` : out;
}

/**
 * The combined CSV: the group first, then the page's own columns with the
 * prediction; UTF-8 with a byte-order mark and CRLF, as the page saves a
 * learner's record.
 * @param {Group[]} groups
 */
export function classCsv(groups) {
  const header = [text('classColumnGroup'), ...ROW_KEYS.map(columnName)];
  const lines = [header, ...groups.flatMap((group) => group.rows.map((row) => [group.name, ...ROW_KEYS.map((key) => row[key])]))];
  return '\uFEFF' + lines.map((line) => line.map(cell).join(',')).join('\r\n') + '\r\n';
}

/**
 * The record with a group's file added, and what the teacher is told: a
 * file whose text is already in the record is not added again, and a name
 * already taken gets a number after it.
 * @param {Group[]} groups
 * @param {Group} group
 * @param {string} file
 * @returns {{ groups: Group[], said: [string, string] }}
 */
export function joinGroup(groups, group, file) {
  const same = groups.find((one) => one.source === group.source);
  if (same) return { groups, said: ['same', text('classSameFile', { file, group: same.name })] };
  const taken = new Set(groups.map((one) => one.name));
  const base = group.name || text('classColumnGroup');
  let name = base;
  for (let i = 2; taken.has(name) || !name; i++) name = `${base} (${i})`;
  return { groups: [...groups, { ...group, name }], said: ['added', text('classAdded', { file, rows: group.rows.length })] };
}

// A name the teacher typed, or the old one if nothing is left of it.
export const editedName = (typed, old) => String(typed).trim().slice(0, MAX_NAME) || old;

/** @param {Group[]} groups */
export const serialiseClass = (groups) => JSON.stringify({
  kind: FORMAT,
  version: VERSION,
  groups: groups.map(({ name, source, rows }) => ({ name, source, rows: rows.map((row) => ROW_KEYS.map((key) => row[key])) })),
});

/**
 * The stored class's record read back: { groups }, or { problem } when it
 * cannot be read and must be set aside.
 * @param {string} stored
 * @returns {{ groups: Group[] } | { problem: string }}
 */
export function parseClass(stored) {
  let data;
  try {
    data = JSON.parse(stored);
  } catch {
    return { problem: 'unreadable' };
  }
  if (!data || data.kind !== FORMAT || data.version !== VERSION || !Array.isArray(data.groups)) return { problem: 'unreadable' };
  const groups = [];
  for (const group of data.groups) {
    if (!group || typeof group.name !== 'string' || !group.name || typeof group.source !== 'string' || !Array.isArray(group.rows)) {
      return { problem: 'unreadable' };
    }
    const rows = group.rows.map((cells) => Array.isArray(cells) ? checkedRow(Object.fromEntries(ROW_KEYS.map((key, i) => [key, cells[i]]))) : null);
    if (rows.length === 0 || rows.includes(null)) return { problem: 'unreadable' };
    groups.push({ name: group.name.slice(0, MAX_NAME), source: group.source, rows });
  }
  return { groups };
}
