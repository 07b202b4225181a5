// A caption in another language than the window was drawn for can be wider
// than its control's box. That one text is then drawn smaller, never below
// kSmallestPx, and where its box holds two lines it may wrap; every other
// text keeps the window's size. Texts are written through setText, which
// adds their readings while furigana are shown.
import { setText } from '../furigana/furigana_text.js';

export const kSmallestPx = 9;
// A line may pass its box up and down by this (and its font's leading); a
// translated text never passes it sideways, not even by a pixel.
const kSlackPx = 1;

// The width the text of `element` may take: a legend's is its frame's
// less the frame's edges, anything else's is its own box.
function roomFor(element) {
  if (element.localName === 'legend') {
    const frame = /** @type {HTMLElement} */ (element.parentElement);
    return frame.offsetWidth - 2 * (element.offsetLeft + parseFloat(getComputedStyle(element).paddingLeft));
  }
  return element.clientWidth;
}

// The width and height the text takes, in the element's own (unscaled)
// pixels.
function textSize(element) {
  const range = document.createRange();
  range.selectNodeContents(element);
  const scale = element.getBoundingClientRect().width / (element.offsetWidth || 1) || 1;
  const { width, height } = range.getBoundingClientRect();
  return { width: width / scale, height: height / scale };
}

// How much smaller the text must be to fit (1: it fits). A line may pass
// its box up and down by its font's leading, a tenth of its size.
function shrinkNeeded(element, room, size) {
  const { width, height } = textSize(element);
  const tall = element.clientHeight + kSlackPx + 0.1 * size;
  return Math.min(1, room / width, element.classList.contains('wrapped') ? 1 : tall / height);
}

/**
 * Shows `shown` in `element`: as words spread over the box when `wordRow`
 * (a row of words each standing over a control below), else as it is;
 * drawn smaller where `fit` and it is wider than its box.
 * @param {HTMLElement} element
 * @param {string} shown
 * @param {{ fit?: boolean, wordRow?: boolean }} [how]
 */
export function showText(element, shown, { fit = false, wordRow = false } = {}) {
  if (element.dataset.fontSize === undefined) element.dataset.fontSize = element.style.fontSize;
  element.style.fontSize = element.dataset.fontSize;
  element.classList.remove('word-row', 'wrapped');
  element.classList.toggle('translated', fit);
  if (wordRow && fit) {
    element.classList.add('word-row');
    element.replaceChildren(...shown.split(/\s+/).map((word) => {
      const span = document.createElement('span');
      setText(span, word);
      return span;
    }));
  } else {
    setText(element, shown);
  }
  if (fit && element.offsetWidth !== 0) shrinkToFit(element); // not laid out: fitted when shown
}

/**
 * Draws the text of `element` smaller until it fits its box, down to the
 * smallest size; then on two lines, where the box holds them.
 * @param {HTMLElement} element
 */
function shrinkToFit(element) {
  const room = roomFor(element);
  let size = parseFloat(getComputedStyle(element).fontSize);
  for (let by = shrinkNeeded(element, room, size); by < 1 && size > kSmallestPx; by = shrinkNeeded(element, room, size)) {
    size = Math.max(kSmallestPx, Math.min(size - 0.25, Math.floor(size * by * 4) / 4));
    element.style.fontSize = `${size}px`;
  }
  if (shrinkNeeded(element, room, size) < 1 && element.clientHeight >= 2.4 * size) element.classList.add('wrapped');
}
