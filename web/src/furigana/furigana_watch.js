// FOR REMOVAL once the record's and the class's modules set their texts
// through setText (furigana_text.js): until then their texts are given
// readings here, after they are written, as they come.
import { furiganaShown, onFuriganaChange } from './furigana.js';
import { hasKanji } from './furigana_readings.js';
import { rubyNodes } from './furigana_text.js';
import { onTableChange } from '../i18n/text.js';

// Never given readings: what has them already, what is heard but not seen,
// controls whose text cannot hold markup, and drawings (svg_ruby.js).
const kSkipped = '.furigana-text, .furigana-plain, script, style, select, option, textarea, [aria-live], svg';

/** @type {Set<HTMLElement>} */
const roots = new Set();
let applying = false;
const observer = new MutationObserver(() => {
  if (!applying) queueMicrotask(apply);
});

/**
 * Gives readings to the kanji of `root` and of what is written into it
 * later, while furigana are shown.
 * @param {HTMLElement} root
 */
export function watchForFurigana(root) {
  if (roots.size === 0) {
    onTableChange(apply);
    onFuriganaChange(apply);
  }
  roots.add(root);
  observer.observe(root, { childList: true, characterData: true, subtree: true });
  apply();
}

function apply() {
  applying = true;
  try {
    for (const root of roots) {
      if (furiganaShown()) wrap(root);
      else unwrap(root);
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
  for (const node of found) node.replaceWith(...rubyNodes(node.data));
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
