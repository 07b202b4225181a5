// Which measuring aids are on: the ruler on the floor and the strobe of the
// run. Both are off at first, so the window looks as it always has; a
// learner's choice is kept on this device, as the furigana choice is. A
// teacher's link can turn them on for its page without changing what this
// device keeps.

/** @typedef {'ruler' | 'strobe'} Aid */

/** The aids, in the order the lesson bar and a link name them. @type {Aid[]} */
export const AIDS = ['ruler', 'strobe'];

/** @param {Aid} aid */
const storeKey = (aid) => `shoutotsu.${aid}`;

function storage() {
  try {
    return window.localStorage;
  } catch {
    return null;
  }
}

/** @param {Aid} aid */
function kept(aid) {
  try {
    return storage()?.getItem(storeKey(aid)) === '1';
  } catch {
    return false;
  }
}

/** @type {Record<Aid, boolean> | null} */
let state = null;
/** @type {Set<() => void>} */
const listeners = new Set();

function current() {
  state ??= { ruler: kept('ruler'), strobe: kept('strobe') };
  return state;
}

/** @param {Aid} aid */
export const aidOn = (aid) => current()[aid];

/**
 * Turns an aid on or off; `keep` keeps the choice on this device.
 * @param {Aid} aid
 * @param {boolean} on
 * @param {{ keep?: boolean }} [options]
 */
export function setAid(aid, on, { keep = true } = {}) {
  current()[aid] = on;
  if (keep) {
    try {
      storage()?.setItem(storeKey(aid), on ? '1' : '0');
    } catch {
      // A browser that keeps nothing: the choice lasts as long as the page.
    }
  }
  for (const listener of listeners) listener();
}

/** @param {() => void} listener called after each change */
export function onAidChange(listener) {
  listeners.add(listener);
}
