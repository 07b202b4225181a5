// Puts the class's record on the page under the learner's, with the
// browser's local storage where there is one.
import { mountClassRecord } from './class_controller.js';

function localStore() {
  try {
    return window.localStorage;
  } catch {
    return null; // a locked-down browser: the class's record lives in memory only
  }
}

/**
 * The class's record on the page, just after `after` (the learner's record).
 * @param {Element} after
 * @param {import('./class_check.js').ResultFor} resultFor
 */
export function keepClassRecord(after, resultFor) {
  const host = document.createElement('div');
  after.after(host);
  return mountClassRecord({ host, storage: localStore(), resultFor });
}
