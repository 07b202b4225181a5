// The class's record as state: every group's rows (the learner's rows with
// a group), kept in local storage under a key of its own and shared by the
// tabs of the page: a group added, renamed or taken out in one tab reaches
// the others, and none is lost to the tab that wrote last. No page element
// is touched here: the view listens to `onChange`, and what the teacher
// must be told goes out through `notice`.
import { mergeClass, parseClass, serialiseClass } from '../runs/class_format.js';
import { MAX_NAME } from '../runs/table_read.js';
import { StoredPart } from '../runs/stored_part.js';

/**
 * @typedef {import('../runs/class_format.js').Group} Group
 * @typedef {import('../runs/class_format.js').ClassRow} ClassRow
 * @typedef {import('../runs/class_format.js').ClassRecord} ClassRecord
 * @typedef {import('../runs/stored_part.js').NoticeKind} NoticeKind
 */

export const CLASS_KEY = 'shoutotsu.class.v1';
// A class is about 40 learners: at most 40 groups' files of 100 runs each
// (a lesson of 45 minutes gives a group a few dozen runs). That many rows
// are checked, drawn and stored in well under a frame's worth of work per
// slice; beyond it the page refuses, naming the limit.
export const MAX_CLASS_ROWS = 4000;

/** @param {Group[]} groups */
export const rowCount = (groups) => groups.reduce((sum, group) => sum + group.rows.length, 0);

export class ClassStore {
  /**
   * @param {{ storage: Storage | null, notice: (kind: NoticeKind) => void, key?: string }} options
   */
  constructor({ storage, notice, key = CLASS_KEY }) {
    this.part = new StoredPart({ storage, key, notice });
    /** @type {ClassRecord} */
    this.record = { groups: [], removed: {}, clearedAt: 0 };
    /** @type {Set<() => void>} */
    this.listeners = new Set();
  }

  get groups() { return this.record.groups; }

  get blocked() { return this.part.blocked; }

  get room() { return MAX_CLASS_ROWS - rowCount(this.groups); }

  /** @param {() => void} listener */
  onChange(listener) { this.listeners.add(listener); }

  changed() { for (const listener of this.listeners) listener(); }

  // What is stored, put together with anything added before it was read.
  load() {
    const read = this.part.read(parseClass);
    if (read) this.record = mergeClass(read, this.record);
    this.changed();
  }

  save() {
    if (this.groups.length || this.record.clearedAt || Object.keys(this.record.removed).length) {
      this.part.write(serialiseClass(this.record));
    } else if (this.part.canWrite) {
      this.part.remove();
    }
  }

  // After a batch of groups is added: kept, and shown.
  commit() {
    this.save();
    this.changed();
  }

  /**
   * A group's rows added; what the teacher is told, as [kind, name]: a file
   * whose text is already in the record is not added again, and a name
   * already taken gets a number after it.
   * @param {{ name: string, source: string, rows: ClassRow[] }} group
   * @returns {['added' | 'same', string]}
   */
  add(group) {
    const same = this.groups.find((one) => one.source === group.source);
    if (same) return ['same', same.name];
    const taken = new Set(this.groups.map((one) => one.name));
    let name = group.name;
    for (let i = 2; taken.has(name); i++) name = `${group.name} (${i})`;
    const at = Math.max(Date.now(), this.record.clearedAt + 1, ...this.groups.map((one) => one.at + 1));
    this.record = { ...this.record, groups: [...this.groups, { ...group, name, at, named: at }] };
    delete this.record.removed[group.source];
    return ['added', name];
  }

  /**
   * The name a teacher typed, or the old one if nothing is left of it.
   * @param {Group} group
   * @param {string} typed
   */
  rename(group, typed) {
    const name = String(typed).replace(/[\t\r\n]/g, ' ').trim().slice(0, MAX_NAME) || group.name;
    this.record.groups = this.groups.map((one) => (one === group ? { ...one, name, named: Math.max(Date.now(), one.named + 1) } : one));
    this.save();
    this.changed();
    return name;
  }

  /** @param {Group} group */
  remove(group) {
    this.record.removed[group.source] = Math.max(Date.now(), group.at);
    this.record.groups = this.groups.filter((one) => one !== group);
    this.save();
    this.changed();
  }

  // Everything goes, the unreadable record that stopped every save too.
  // False if it cannot be removed.
  clear() {
    if (this.part.blocked && !this.part.freeBlocked()) return false;
    const latest = Math.max(Date.now(), this.record.clearedAt + 1, ...this.groups.map((one) => one.at));
    this.record = { groups: [], removed: {}, clearedAt: latest };
    this.save();
    this.changed();
    return true;
  }

  /**
   * Another tab wrote the class's record: the two copies put together.
   * @param {StorageEvent} event
   */
  heard(event) {
    if (!this.part.concerns(event)) return;
    if (event.key === null || event.newValue === null) {
      this.record = { groups: [], removed: {}, clearedAt: this.record.clearedAt };
      this.changed();
      return;
    }
    let read;
    try {
      read = parseClass(event.newValue);
    } catch {
      return;
    }
    if (!('value' in read)) return;
    this.record = mergeClass(this.record, read.value);
    if (serialiseClass(this.record) !== event.newValue) this.save();
    this.changed();
  }
}
