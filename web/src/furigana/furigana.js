// Furigana over every kanji word the window and the record show, when the
// learner turns them on (off at first, so the window looks as it always
// has; the choice is kept on this device). Each kanji word of a watched
// element's text becomes <ruby>衝突<rt>しょうとつ</rt></ruby>; a screen
// reader hears the text once, whole, from a plain copy that is not seen,
// the readings and the words they split being hidden from it. Text
// the page writes later (a new caption, a row of the record) is read as it
// comes, and the window's labels are given room for their readings
// (furigana_room.js). Only Japanese has furigana.
import { makeRoom, undoRoom } from './furigana_room.js';
import { hasKanji, rubyParts } from './furigana_readings.js';
import { languageCode } from '../i18n/language.js';
import { onTableChange, showTextsAgain } from '../i18n/text.js';

const kStoreKey = 'shoutotsu.furigana';
// Text never given readings: what has them already, what is heard but not
// seen (live regions, the drawing area's description), controls whose text
// cannot hold markup, the caption bar (the title below it says the same,
// with its reading), and drawings, whose texts carry their readings as
// drawn texts (svg_ruby.js).
const kSkipped = '.furigana-text, .furigana-plain, script, style, select, option, textarea, [aria-live], .description, .caption-bar, svg';

/** @type {Set<HTMLElement>} */
const roots = new Set();
let applying = false;

const observer = new MutationObserver(() => {
  if (!applying) queueMicrotask(apply);
});

function shown() {
  return wanted && languageCode() === 'ja';
}

/** Whether the page shows furigana now (turned on, and in Japanese). */
export const furiganaShown = () => shown();

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
  // Every part of the page shows its texts again, with readings or without.
  showTextsAgain();
  apply();
}

/**
 * Gives readings to the kanji of `root` and of what is written into it
 * later, while furigana are on.
 * @param {HTMLElement} root
 */
export function watchForFurigana(root) {
  if (roots.size === 0) onTableChange(apply);
  roots.add(root);
  observer.observe(root, { childList: true, characterData: true, subtree: true });
  apply();
}

function apply() {
  applying = true;
  try {
    for (const root of roots) {
      const window = root.classList.contains('window');
      if (window) undoRoom(root);
      if (!shown()) {
        unwrap(root);
        continue;
      }
      wrap(root);
      if (window) makeRoom(root);
    }
  } finally {
    observer.takeRecords();
    applying = false;
  }
}

function wrap(root) {
  const walker = document.createTreeWalker(root, NodeFilter.SHOW_TEXT);
  const found = [];
  for (let node = /** @type {Text | null} */ (walker.nextNode()); node; node = /** @type {Text | null} */ (walker.nextNode())) {
    if (hasKanji(node.data) && !node.parentElement?.closest(kSkipped)) found.push(node);
  }
  for (const node of found) {
    // One inline element for the whole text, so that a label laid out as
    // a flex box keeps its words on one line with their readings.
    const line = document.createElement('span');
    line.className = 'furigana-text';
    line.setAttribute('aria-hidden', 'true');
    const plain = document.createElement('span');
    plain.className = 'furigana-plain';
    plain.textContent = node.data;
    for (const part of rubyParts(node.data)) {
      if (!part.reading) {
        line.append(part.text);
        continue;
      }
      const ruby = document.createElement('ruby');
      const rt = document.createElement('rt');
      rt.textContent = part.reading;
      ruby.append(part.text, rt);
      line.append(ruby);
    }
    node.replaceWith(line, plain);
  }
}

function unwrap(root) {
  const parents = new Set();
  for (const plain of root.querySelectorAll('.furigana-plain')) plain.remove();
  for (const line of root.querySelectorAll('.furigana-text')) {
    parents.add(line.parentNode);
    for (const rt of line.querySelectorAll('rt')) rt.remove();
    line.replaceWith(line.textContent ?? '');
  }
  for (const parent of parents) parent?.normalize();
}
