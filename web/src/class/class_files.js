// Group files added to the class's record, one after another in the order
// given: each file read on its own, so that one refused (or one that throws
// on the way) gets its own message and the others load, and the queue of
// batches goes on whatever happened to the one before. Between files the
// window gets its turn, and the teacher sees which file is being read.
import { MAX_FILE_BYTES, MAX_NAME, readTable } from '../runs/table_read.js';
import { MAX_CLASS_ROWS } from './class_store.js';

/**
 * @typedef {import('./class_store.js').ClassStore} ClassStore
 * @typedef {import('../runs/columns.js').Words} Words
 * @typedef {import('../runs/table_read.js').ReadRow} ReadRow
 * @typedef {[kind: string, words: string]} Said
 */

/**
 * Tells a file added again from one not seen before: the same text gives
 * the same tag (two 32-bit FNV-1a hashes and the length).
 * @param {string} text
 */
export function sourceTag(text) {
  let a = 0x811c9dc5;
  let b = 0x01000193;
  for (let i = 0; i < text.length; i++) {
    const c = text.charCodeAt(i);
    a = Math.imul(a ^ c, 0x01000193) >>> 0;
    b = Math.imul(b ^ c, 0x5bd1e995) >>> 0;
  }
  return `${text.length.toString(36)}-${a.toString(36)}-${b.toString(36)}`;
}

/**
 * The group's name from its file's name, without ".csv" or ".txt".
 * @param {string} fileName
 */
export const groupName = (fileName) => String(fileName).replace(/\.(csv|tsv|txt)$/i, '').trim().slice(0, MAX_NAME);

/**
 * A file's groups: one named after the file, or one per name in its group
 * column (the class's own combined file put back).
 * @param {string} file
 * @param {ReadRow[]} rows
 * @param {string} text
 */
export function groupsOf(file, rows, text) {
  const source = sourceTag(text.replace(/\r\n?/g, '\n'));
  /** @type {Map<string, ReadRow[]>} */
  const byName = new Map();
  for (const { group, ...row } of rows) {
    const name = group || groupName(file) || '?';
    const list = byName.get(name);
    if (list) list.push(row);
    else byName.set(name, [row]);
  }
  return [...byName].map(([name, list]) => ({ name, source: byName.size > 1 ? `${source}:${name}` : source, rows: list }));
}

/**
 * One file read into the store; what the teacher is told of it.
 * @param {Words} words
 * @param {ClassStore} store
 * @param {File} file
 * @returns {Promise<Said[]>}
 */
async function addFile(words, store, file) {
  const where = { file: file.name };
  if (file.size > MAX_FILE_BYTES) return [['refused', words('classFileTooBig', where)]];
  if (store.room <= 0) return [['refused', words('classFull', { ...where, max: MAX_CLASS_ROWS })]];
  let bytes;
  try {
    bytes = new Uint8Array(await file.arrayBuffer());
  } catch {
    return [['refused', words('classFileUnread', where)]];
  }
  const read = readTable(words, file.name, bytes, store.room, MAX_CLASS_ROWS);
  if ('error' in read) return [['refused', read.error]];
  return groupsOf(file.name, read.rows, read.text).map((group) => {
    const [kind, name] = store.add(group);
    return kind === 'same'
      ? [kind, words('classSameFile', { ...where, group: name })]
      : [kind, words('classAdded', { ...where, rows: group.rows.length })];
  });
}

/**
 * Reads batches of files into the store, one batch after another.
 * @param {Words} words
 * @param {ClassStore} store
 * @param {{ reading: (file: string, index: number, count: number) => void, done: (said: Said[]) => void }} tell
 */
export function fileQueue(words, store, tell) {
  let queue = Promise.resolve();
  /** @param {File[]} files */
  async function add(files) {
    /** @type {Said[]} */
    const said = [];
    for (const [i, file] of files.entries()) {
      tell.reading(file.name, i + 1, files.length);
      // The window's turn between files, so that it never freezes.
      await new Promise((next) => setTimeout(next, 0));
      try {
        said.push(...await addFile(words, store, file));
      } catch {
        said.push(['refused', words('classFileUnread', { file: file.name })]);
      }
    }
    store.commit();
    tell.done(said);
  }
  /** @param {Iterable<File>} files */
  return (files) => {
    const batch = [...files];
    queue = queue.then(() => add(batch)).catch(() => {});
    return queue;
  };
}
