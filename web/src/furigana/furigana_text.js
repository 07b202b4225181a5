// Text set through one function: setText writes a text into an element,
// and while furigana are shown each kanji word becomes
// <ruby>衝突<rt>しょうとつ</rt></ruby>. A screen reader hears the text once,
// whole, from a plain copy that is not seen, the readings and the words
// they split being hidden from it. A text of the window gets room for its
// readings (furigana_room.js) once the event that wrote it is over.
import { html } from '../dom.js';
import { makeRoom, undoRoom } from './furigana_room.js';
import { furiganaShown } from './furigana.js';
import { hasKanji, rubyParts } from './furigana_readings.js';

/**
 * The nodes that show `content` with its readings: one inline element for
 * the whole text (so that a label laid out as a flex box keeps its words on
 * one line with their readings) and the plain copy a screen reader hears.
 * @param {string} content
 * @returns {HTMLElement[]}
 */
export function rubyNodes(content) {
  const line = document.createElement('span');
  line.className = 'furigana-text';
  line.setAttribute('aria-hidden', 'true');
  for (const part of rubyParts(content)) {
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
  const plain = document.createElement('span');
  plain.className = 'furigana-plain';
  plain.textContent = content;
  return [line, plain];
}

/** @type {Set<HTMLElement>} */
const roomAgain = new Set();

// Once per event, however many texts it wrote: every reading of the window
// in its place.
/** @param {HTMLElement} win */
function makeRoomSoon(win) {
  if (roomAgain.size === 0) {
    queueMicrotask(() => {
      for (const w of roomAgain) {
        undoRoom(w);
        if (furiganaShown()) makeRoom(w);
      }
      roomAgain.clear();
    });
  }
  roomAgain.add(win);
}

/**
 * Makes the room again whenever a window with readings is drawn at
 * another scale: its readings keep their smallest size as drawn, so they
 * grow in the window as it shrinks. `desk` hears each placing.
 * @param {HTMLElement} desk
 */
export function followWindowScale(desk) {
  desk.addEventListener('shoutotsu:placed', () => {
    for (const win of /** @type {NodeListOf<HTMLElement>} */ (desk.querySelectorAll('.window.furigana-shown'))) {
      if (win.dataset.furiganaScale !== win.style.transform) makeRoomSoon(win);
    }
  });
}

/**
 * Shows `content` in `element`, with readings while furigana are shown.
 * @param {HTMLElement} element
 * @param {string} content
 */
export function setText(element, content) {
  const shown = furiganaShown();
  if (shown && hasKanji(content)) element.replaceChildren(...rubyNodes(content));
  else element.textContent = content;
  const win = /** @type {HTMLElement | null} */ (element.closest('.window'));
  if (win && (shown || win.classList.contains('furigana-shown'))) makeRoomSoon(win);
}

/**
 * A new element showing `content` as setText shows it.
 * @template {keyof HTMLElementTagNameMap} K
 * @param {K} name
 * @param {Record<string, string | number | boolean>} attributes
 * @param {string} content
 * @returns {HTMLElementTagNameMap[K]}
 */
export function textElement(name, attributes, content) {
  const element = html(name, attributes);
  setText(element, content);
  return element;
}
