// Where the record is kept: the browser's local storage, under one key for
// the page wherever it is opened from, so that a reload or a closed tab
// loses nothing. A record that cannot be read is set aside, never
// overwritten; tabs of the same page share one record and never lose a run
// to each other. No page element is touched here: what the learner must be
// told goes out through `notice` and `withdraw`.
import {
  byText, keyTag, MAX_NOTES, MAX_ROWS, parseRecord, runFrom, serialise, SET_ASIDE, settle,
} from '../runs/record_rows.js';

// An id no other run in any tab is given.
function newRowId(at) {
  const words = new Uint32Array(2);
  if (globalThis.crypto?.getRandomValues) globalThis.crypto.getRandomValues(words);
  else for (let i = 0; i < 2; i++) words[i] = Math.floor(Math.random() * 2 ** 32);
  return `${at.toString(36)}-${[...words].map((w) => w.toString(36)).join('')}`;
}

export class RecordStore {
  /**
   * @param {{ storage: Storage | null, storageKey: string, address: string | null,
   *   notice: (kind: string) => void, withdraw: (kind: string) => void }} options
   *   storage    a Storage (localStorage), or null where there is none
   *   storageKey where this page's record is kept, whatever its address
   *   address    the page's path: the page once kept a record per address
   *              (under `${storageKey}:${path}`), and this one's is carried
   *              over first
   */
  constructor({ storage, storageKey, address, notice, withdraw }) {
    this.storage = storage;
    this.key = storageKey;
    this.address = address;
    this.notice = notice;
    this.withdraw = withdraw;
    this.rows = [];
    this.clearedAt = 0; // when the record was last cleared, in any tab
    this.notes = { text: '', at: 0 }; // the learner's conclusions, and when written
    this.canWrite = Boolean(storage);
    this.blocked = false; // an unreadable record that could not be set aside
  }

  save() {
    if (!this.canWrite) return;
    try {
      this.storage.setItem(this.key, serialise(this.rows, this.clearedAt, this.notes));
    } catch {
      this.notice('memory');
    }
  }

  // Keeps an unreadable record under a key of its own, so that nothing the
  // learner had is overwritten; false if even that cannot be written.
  setAside(text) {
    const storage = this.storage;
    try {
      const stamp = new Date().toISOString().replace(/[:.]/g, '-');
      let key = `${this.key}:set-aside:${stamp}`;
      for (let i = 2; storage.getItem(key) !== null; i++) key = `${this.key}:set-aside:${stamp}-${i}`;
      storage.setItem(key, text);
      return storage.getItem(key) === text;
    } catch {
      return false;
    }
  }

  keepNewest(list) {
    if (list.length <= MAX_ROWS) return list;
    this.notice('cap');
    return list.slice(list.length - MAX_ROWS);
  }

  // The records once kept per address, joined into this one: this address's
  // first, then the others by name, each run after the last one before it.
  // An old record is removed only once the joined one is stored and reads
  // back, and only if all its rows made it in.
  carryOver() {
    const storage = this.storage;
    const prefix = `${this.key}:/`;
    const first = this.address === null ? null : `${this.key}:${this.address}`;
    const sources = [];
    try {
      const keys = [];
      for (let i = 0; i < storage.length; i++) keys.push(storage.key(i));
      const old = keys.filter((key) => key?.startsWith(prefix) && !SET_ASIDE.test(key))
        .sort((a, b) => Number(b === first) - Number(a === first) || byText(a, b));
      for (const key of old) {
        const read = parseRecord(storage.getItem(key), `${keyTag(key)}-`);
        if (read.rows?.length) sources.push({ key, rows: read.rows });
      }
    } catch {
      return;
    }
    if (sources.length === 0) return;
    let last = 0;
    const joined = sources.flatMap((source) => source.rows.map((row) => {
      const n = Math.max(row.n, last + 1);
      last = n;
      return n === row.n ? row : { ...row, n };
    }));
    this.rows = this.keepNewest(joined);
    const text = serialise(this.rows, this.clearedAt, this.notes);
    try {
      storage.setItem(this.key, text);
      if (storage.getItem(this.key) !== text) return;
      const kept = new Set(this.rows.map((row) => row.id));
      for (const source of sources) {
        if (source.rows.every((row) => kept.has(row.id))) storage.removeItem(source.key);
      }
    } catch {
      this.notice('memory');
    }
  }

  load() {
    const storage = this.storage;
    if (!storage) {
      this.notice('memory');
      return;
    }
    let text;
    try {
      text = storage.getItem(this.key);
    } catch {
      this.canWrite = false;
      this.notice('memory');
      return;
    }
    if (text === null) {
      this.carryOver();
      return;
    }
    const read = parseRecord(text);
    if (read.rows) {
      this.clearedAt = read.clearedAt;
      this.notes = read.notes;
      this.rows = this.keepNewest(read.rows);
      if (this.rows.length !== read.rows.length) this.save();
      return;
    }
    if (this.setAside(text)) {
      this.notice(read.problem);
      this.save();
    } else {
      this.canWrite = false;
      this.blocked = true;
      this.notice('set-aside-failed');
    }
  }

  // One finished run as the page hands it over; the new row.
  add(run) {
    const at = Math.max(Date.now(), this.clearedAt + 1);
    const row = { n: (this.rows.length ? this.rows[this.rows.length - 1].n : 0) + 1, id: newRowId(at), at, ...runFrom(run) };
    this.rows = this.keepNewest([...this.rows, row]);
    this.save();
    return row;
  }

  // Every run goes. The time of the clear is later than every run this tab
  // shows, so that another tab's copy of them does not bring them back.
  clear() {
    this.clearedAt = Math.max(Date.now(), this.clearedAt + 1, this.notes.at, ...this.rows.map((row) => row.at));
    this.rows = [];
    this.notes = { text: '', at: this.clearedAt };
    this.save();
  }

  // The learner's conclusions, as written so far (cut to what the record
  // keeps).
  setNotes(text) {
    this.notes = { text: text.slice(0, MAX_NOTES), at: Math.max(Date.now(), this.notes.at + 1) };
    this.save();
  }

  // The old record that could not be set aside stops every save; this lets
  // it go. The runs made since stay, now kept. False if it cannot be removed.
  freeBlocked() {
    try {
      this.storage.removeItem(this.key);
    } catch {
      this.notice('memory');
      return false;
    }
    this.blocked = false;
    this.canWrite = true;
    this.withdraw('set-aside-failed');
    this.save();
    return true;
  }

  // Another tab of the same page wrote the record. Its copy and this one's
  // are put together the same way in both tabs, so a run either tab made is
  // kept whichever wrote last; this tab writes back only when it holds
  // something the other copy lacks, so the two do not answer each other
  // forever. True when the rows may have changed.
  heard(event) {
    if (!this.canWrite || event.storageArea !== this.storage || (event.key !== this.key && event.key !== null)) return false;
    // Removed, or the whole storage emptied: the learner (or the browser's
    // settings) let the record go, so this copy goes too.
    if (event.key === null || event.newValue === null) {
      this.rows = [];
      this.notes = { text: '', at: 0 };
      return true;
    }
    const read = parseRecord(event.newValue);
    if (!read.rows) return false;
    this.clearedAt = Math.max(this.clearedAt, read.clearedAt);
    if (read.notes.at > this.notes.at) this.notes = read.notes;
    this.rows = this.keepNewest(settle([...this.rows, ...read.rows], this.clearedAt));
    if (serialise(this.rows, this.clearedAt, this.notes) !== event.newValue) this.save();
    return true;
  }
}
