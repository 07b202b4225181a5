// A stored text the page can no longer read is kept under a key of its own
// (`${key}:set-aside:<time>`), so that nothing a learner or a teacher had
// is overwritten. Shared by every record the page keeps.

/**
 * False if even that cannot be written (the storage is full or locked).
 * @param {Storage} storage
 * @param {string} key
 * @param {string} stored
 */
export function setAsideStored(storage, key, stored) {
  try {
    const stamp = new Date().toISOString().replace(/[:.]/g, '-');
    let aside = `${key}:set-aside:${stamp}`;
    for (let i = 2; storage.getItem(aside) !== null; i++) aside = `${key}:set-aside:${stamp}-${i}`;
    storage.setItem(aside, stored);
    return storage.getItem(aside) === stored;
  } catch {
    return false;
  }
}
