// One part of what the page keeps in the browser's storage (the learner's
// record, the class's record), under a key of its own. A stored text this
// page cannot read, or that a page of another version wrote, is kept under
// `${key}:set-aside:<time>` and the learner told, never overwritten; where
// not even that can be written, nothing is saved over it until the learner
// lets it go. A full storage or one that refuses every call is told once;
// the page goes on with what it holds in memory. No page element is
// touched here: what must be told goes out through `notice`.

/**
 * @typedef {'memory' | 'set-aside' | 'other-version' | 'set-aside-failed'} NoticeKind
 * @typedef {{ value: any } | { problem: 'set-aside' | 'other-version' }} Parsed
 */

export const SET_ASIDE = /:set-aside:[\dTZ-]+$/;

export class StoredPart {
  /**
   * @param {{ storage: Storage | null, key: string, notice: (kind: NoticeKind) => void }} options
   */
  constructor({ storage, key, notice }) {
    this.storage = storage;
    this.key = key;
    this.notice = notice;
    this.canWrite = Boolean(storage);
    this.blocked = false; // an unreadable text that could not be set aside
    this.empty = true; // nothing was stored when last read
  }

  /**
   * What is stored, read by `parse`: its value, or null where there is
   * none or it was set aside. A parse that throws counts as damage.
   * @param {(text: string) => Parsed} parse
   */
  read(parse) {
    if (!this.storage) {
      this.notice('memory');
      return null;
    }
    let stored;
    try {
      stored = this.storage.getItem(this.key);
    } catch {
      this.canWrite = false;
      this.notice('memory');
      return null;
    }
    this.empty = stored === null;
    if (stored === null) return null;
    /** @type {Parsed} */
    let read;
    try {
      read = parse(stored);
    } catch {
      read = { problem: 'set-aside' };
    }
    if ('value' in read) return read.value;
    if (this.setAside(stored)) {
      this.notice(read.problem);
      this.remove();
    } else {
      this.canWrite = false;
      this.blocked = true;
      this.notice('set-aside-failed');
    }
    return null;
  }

  /** @param {string} text */
  write(text) {
    if (!this.canWrite || !this.storage) return false;
    try {
      this.storage.setItem(this.key, text);
      return true;
    } catch {
      this.notice('memory');
      return false;
    }
  }

  remove() {
    try {
      this.storage?.removeItem(this.key);
      return true;
    } catch {
      this.notice('memory');
      return false;
    }
  }

  /**
   * Keeps `text` under a key of its own; false if even that cannot be
   * written (the storage is full or locked).
   * @param {string} text
   */
  setAside(text) {
    const storage = this.storage;
    if (!storage) return false;
    try {
      const stamp = new Date().toISOString().replace(/[:.]/g, '-');
      let aside = `${this.key}:set-aside:${stamp}`;
      for (let i = 2; storage.getItem(aside) !== null; i++) aside = `${this.key}:set-aside:${stamp}-${i}`;
      storage.setItem(aside, text);
      return storage.getItem(aside) === text;
    } catch {
      return false;
    }
  }

  /** The unreadable text that stopped every save goes; false if it cannot. */
  freeBlocked() {
    if (!this.remove()) return false;
    this.blocked = false;
    this.canWrite = Boolean(this.storage);
    return true;
  }

  /**
   * Whether a storage event is about this part.
   * @param {StorageEvent} event
   */
  concerns(event) {
    return this.canWrite && event.storageArea === this.storage && (event.key === this.key || event.key === null);
  }
}
