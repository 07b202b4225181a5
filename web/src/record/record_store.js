// The learner's record as state: its rows, when it was last cleared and
// what the learner found out, kept in the browser's storage so that a
// reload or a closed tab loses nothing, and shared by the tabs of the page
// without losing a run or a note to each other. No page element is
// touched here: the view listens to `onChange`, and what the learner must
// be told goes out through `notice` and `withdraw`.
import { MAX_NOTES, MAX_ROWS, mergeNotes, parseRecord, serialise, settle } from '../runs/record_format.js';
import { StoredPart } from '../runs/stored_part.js';
import { runFrom } from '../runs/row.js';
import { oldRecords } from './record_carry.js';

/**
 * @typedef {import('../runs/row.js').Row} Row
 * @typedef {import('../runs/row.js').Run} Run
 * @typedef {import('../runs/record_format.js').Notes} Notes
 * @typedef {'memory' | 'set-aside' | 'other-version' | 'set-aside-failed' | 'cap' | 'notes-joined'} Notice
 */

// An id no other run in any tab is given.
/** @param {number} at */
function newRowId(at) {
  const words = new Uint32Array(2);
  if (globalThis.crypto?.getRandomValues) globalThis.crypto.getRandomValues(words);
  else for (let i = 0; i < 2; i++) words[i] = Math.floor(Math.random() * 2 ** 32);
  return `${at.toString(36)}-${[...words].map((w) => w.toString(36)).join('')}`;
}

export class RecordStore {
  /**
   * @param {{ storage: Storage | null, storageKey: string, address: string | null,
   *   notice: (kind: Notice) => void, withdraw: (kind: Notice) => void }} options
   *   address the page's path: the page once kept a record per address,
   *           and this one's is carried over first
   */
  constructor({ storage, storageKey, address, notice, withdraw }) {
    this.part = new StoredPart({ storage, key: storageKey, notice });
    this.address = address;
    this.notice = notice;
    this.withdraw = withdraw;
    /** @type {Row[]} */
    this.rows = [];
    this.clearedAt = 0; // when the record was last cleared, in any tab
    /** @type {Notes} */
    this.notes = { text: '', at: 0, from: 0 };
    /** @type {Set<(why: string) => void>} */
    this.listeners = new Set();
  }

  get blocked() { return this.part.blocked; }

  /** @param {(why: string) => void} listener told 'rows', 'notes' or 'all' */
  onChange(listener) { this.listeners.add(listener); }

  /** @param {string} why */
  changed(why) { for (const listener of this.listeners) listener(why); }

  text() { return serialise({ rows: this.rows, clearedAt: this.clearedAt, notes: this.notes }); }

  save() { return this.part.write(this.text()); }

  /** @param {Row[]} list */
  keepNewest(list) {
    if (list.length <= MAX_ROWS) return list;
    this.notice('cap');
    return list.slice(list.length - MAX_ROWS);
  }

  load() {
    const read = this.part.read(parseRecord);
    if (read) {
      this.clearedAt = read.clearedAt;
      this.notes = read.notes;
      this.rows = this.keepNewest(read.rows);
      if (this.rows.length !== read.rows.length) this.save();
    } else if (this.part.empty && this.part.storage && this.part.canWrite) {
      this.carryOver(this.part.storage);
    }
    this.changed('all');
  }

  // The old per-address records joined into this one. An old record is
  // removed only once the joined one is stored and reads back, and only if
  // all its rows made it in.
  /** @param {Storage} storage */
  carryOver(storage) {
    const old = oldRecords(storage, this.part.key, this.address);
    if (!old) return;
    this.rows = this.keepNewest(old.rows);
    const text = this.text();
    try {
      if (!this.part.write(text) || storage.getItem(this.part.key) !== text) return;
      const kept = new Set(this.rows.map((row) => row.id));
      for (const source of old.sources) if (source.rows.every((row) => kept.has(row.id))) storage.removeItem(source.key);
    } catch {
      this.notice('memory');
    }
  }

  /**
   * One finished run, checked; the new row.
   * @param {Run} run
   */
  add(run) {
    const at = Math.max(Date.now(), this.clearedAt + 1);
    const last = this.rows.length ? this.rows[this.rows.length - 1].run : 0;
    const row = { run: last + 1, id: newRowId(at), at, ...runFrom(run) };
    this.rows = this.keepNewest([...this.rows, row]);
    this.save();
    this.changed('rows');
    return row;
  }

  // Every run goes. The time of the clear is later than every run this tab
  // shows, so that another tab's copy of them does not bring them back.
  clear() {
    let latest = Math.max(Date.now(), this.clearedAt + 1, this.notes.at);
    for (const row of this.rows) if (row.at > latest) latest = row.at;
    this.clearedAt = latest;
    this.rows = [];
    this.notes = { text: '', at: latest, from: this.notes.at };
    this.save();
    this.changed('all');
  }

  /**
   * The learner's conclusions as written so far, cut to what is kept.
   * @param {string} text
   */
  setNotes(text) {
    const at = Math.max(Date.now(), this.notes.at + 1);
    this.notes = { text: text.slice(0, MAX_NOTES), at, from: this.notes.at };
    this.save();
  }

  // The old record that could not be set aside stops every save; this lets
  // it go. The runs made since stay, now kept. False if it cannot go.
  freeBlocked() {
    if (!this.part.freeBlocked()) return false;
    this.withdraw('set-aside-failed');
    this.save();
    this.changed('all');
    return true;
  }

  /**
   * Another tab wrote the record. Its copy and this one's are put together
   * the same way in both tabs, so a run or a note either tab made is kept
   * whichever wrote last; this tab writes back only when it holds something
   * the other copy lacks, so the two do not answer each other forever.
   * @param {StorageEvent} event
   */
  heard(event) {
    if (!this.part.concerns(event)) return;
    // Removed, or the whole storage emptied: the learner (or the browser's
    // settings) let the record go, so this copy goes too.
    if (event.key === null || event.newValue === null) {
      this.rows = [];
      this.notes = { text: '', at: 0, from: 0 };
      this.changed('all');
      return;
    }
    let read;
    try {
      read = parseRecord(event.newValue);
    } catch {
      return;
    }
    if (!('value' in read)) return;
    this.clearedAt = Math.max(this.clearedAt, read.value.clearedAt);
    const notes = mergeNotes(this.notes, read.value.notes);
    if (notes.joined) this.notice('notes-joined');
    this.notes = notes.notes;
    this.rows = this.keepNewest(settle([...this.rows, ...read.value.rows], this.clearedAt));
    if (this.text() !== event.newValue) this.save();
    this.changed('all');
  }
}
