// Whether the page shows furigana: when the learner turns them on (off at
// first, so the window looks as it always has; the choice is kept on this
// device), and only in Japanese. Turning them on or off has every part of
// the page show its texts again, each through setText (furigana_text.js),
// which gives each kanji word its reading.
import { languageCode } from '../i18n/language.js';
import { showTextsAgain } from '../i18n/text.js';

const kStoreKey = 'shoutotsu.furigana';

/** @type {Set<() => void>} */
const listeners = new Set();

function storage() {
  try {
    return window.localStorage;
  } catch {
    return null;
  }
}

let wanted = (() => {
  try {
    return storage()?.getItem(kStoreKey) === '1';
  } catch {
    return false;
  }
})();

/** Whether furigana are on (whatever the language). */
export const furiganaWanted = () => wanted;

/** Whether the page shows furigana now (turned on, and in Japanese). */
export const furiganaShown = () => wanted && languageCode() === 'ja';

/**
 * Turns furigana on or off and keeps the choice on this device.
 * @param {boolean} value
 */
export function setFurigana(value) {
  wanted = value;
  try {
    storage()?.setItem(kStoreKey, value ? '1' : '0');
  } catch {
    // the choice lasts until the tab closes
  }
  showTextsAgain();
  for (const listener of listeners) listener();
}

/**
 * Calls `listener` each time furigana are turned on or off, after every
 * text was shown again.
 * @param {() => void} listener
 */
export function onFuriganaChange(listener) {
  listeners.add(listener);
}
