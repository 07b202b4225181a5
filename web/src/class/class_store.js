// Where the class's record is kept: local storage under a key of its own,
// apart from the learner's record. A stored class's record that cannot be
// read is set aside, never overwritten; where it cannot even be set aside,
// nothing is saved until the teacher clears it. What the teacher must be
// told goes out through `notice`.
import { parseClass, serialiseClass } from './class_rows.js';
import { setAsideStored } from '../runs/stored_aside.js';

export const CLASS_KEY = 'shoutotsu.class.v1';

export class ClassStore {
  /**
   * @param {{ storage: Storage | null, notice: (key: string) => void, key?: string }} options
   *   notice is given the text key of what to tell: classStoreMemory,
   *   classStoreSetAside or classStoreBlocked
   */
  constructor({ storage, notice, key = CLASS_KEY }) {
    this.storage = storage;
    this.notice = notice;
    this.key = key;
    this.canWrite = Boolean(storage);
    this.blocked = false;
  }

  /** @returns {import('./class_rows.js').Group[]} */
  load() {
    if (!this.storage) {
      this.notice('classStoreMemory');
      return [];
    }
    let stored;
    try {
      stored = this.storage.getItem(this.key);
    } catch {
      this.canWrite = false;
      this.notice('classStoreMemory');
      return [];
    }
    if (stored === null) return [];
    const read = parseClass(stored);
    if ('groups' in read) return read.groups;
    if (setAsideStored(this.storage, this.key, stored)) {
      this.notice('classStoreSetAside');
      this.save([]);
    } else {
      this.canWrite = false;
      this.blocked = true;
      this.notice('classStoreBlocked');
    }
    return [];
  }

  /** @param {import('./class_rows.js').Group[]} groups */
  save(groups) {
    if (!this.canWrite) return;
    try {
      if (groups.length) this.storage.setItem(this.key, serialiseClass(groups));
      else this.storage.removeItem(this.key);
    } catch {
      this.notice('classStoreMemory');
    }
  }

  // Everything goes, the unreadable record that stopped every save too.
  // False if it cannot be removed.
  clear() {
    if (!this.storage) return true;
    try {
      this.storage.removeItem(this.key);
    } catch {
      this.notice('classStoreMemory');
      return false;
    }
    this.canWrite = true;
    this.blocked = false;
    return true;
  }
}
