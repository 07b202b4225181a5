// Room in the window for the readings of its labels. A reading stands
// above its word, and the word stays where the window puts it: its text is
// moved back up by as much as the reading pushed it down, so the label's
// box grows upward. Where that reading would cover something else (the
// caption of the frame above, the question's first line, a button), the
// label moves down into free space below it; where there is none, the
// text above moves up into free space above it; failing both, each moves
// as far as its free space allows.

const kTexts = '.label, legend, .button';
const kPasses = 12;
const kStep = 0.5;
// Less than this is the browser's rounding, not a clash.
const kTolerance = 0.25;

/** @typedef {{ left: number, top: number, right: number, bottom: number }} Box */

/** @param {Box} a @param {Box} b */
const overlaps = (a, b) => a.left < b.right - kTolerance && b.left < a.right - kTolerance &&
  a.top < b.bottom - kTolerance && b.top < a.bottom - kTolerance;
/** @param {Box} r @param {number} dy @returns {Box} */
const moved = (r, dy) => ({ left: r.left, right: r.right, top: r.top + dy, bottom: r.bottom + dy });
/** @param {Element} e @returns {Box} */
const boxOf = (e) => {
  const r = e.getBoundingClientRect();
  return { left: r.left, top: r.top, right: r.right, bottom: r.bottom };
};

/**
 * The rectangles of `holder`'s own text, its readings left out.
 * @param {Element} holder
 * @returns {Box[]}
 */
function glyphBoxes(holder) {
  const boxes = [];
  const walker = document.createTreeWalker(holder, NodeFilter.SHOW_TEXT);
  for (let node = walker.nextNode(); node; node = walker.nextNode()) {
    if (node.parentElement?.closest('rt, .furigana-plain') || !node.textContent?.trim()) continue;
    const range = document.createRange();
    range.selectNodeContents(node);
    for (const r of range.getClientRects()) boxes.push({ left: r.left, top: r.top, right: r.right, bottom: r.bottom });
  }
  return boxes;
}

/** @param {Element} holder */
const readingBoxes = (holder) => [...holder.querySelectorAll('.furigana-text rt')].map(boxOf);

/** @param {HTMLElement} holder @param {number} by */
function shift(holder, by) {
  const now = Number(holder.dataset.furiganaShift ?? 0) + by;
  holder.dataset.furiganaShift = String(now);
  // A transform, not the translate property (Chrome 104): the page runs in
  // Chrome 92.
  holder.style.transform = `translateY(${now}px)`;
}

/** Puts every text of `win` back where the window has it. @param {HTMLElement} win */
export function undoRoom(win) {
  win.classList.remove('furigana-shown');
  for (const holder of win.querySelectorAll('[data-furigana-shift]')) {
    /** @type {HTMLElement} */ (holder).style.transform = '';
    delete (/** @type {HTMLElement} */ (holder).dataset.furiganaShift);
  }
}

/** Gives the readings in window `win` their room (see above). @param {HTMLElement} win */
export function makeRoom(win) {
  win.classList.add('furigana-shown');
  win.dataset.furiganaScale = win.style.transform;
  const scale = win.getBoundingClientRect().width / (win.offsetWidth || 1) || 1;
  // Not checkVisibility: the page runs in Safari 15.
  const visible = (/** @type {Element} */ e) => e.getClientRects().length > 0 && getComputedStyle(e).visibility === 'visible';
  /** @type {HTMLElement[]} */
  const texts = /** @type {HTMLElement[]} */ ([...win.querySelectorAll(kTexts)]).filter((h) => visible(h) && h.textContent?.trim());
  const readers = texts.filter((h) => h.querySelector('.furigana-text rt'));
  // Each word back in its place, its reading above it.
  win.classList.add('furigana-measuring');
  const before = new Map(readers.map((h) => [h, glyphBoxes(h)[0]]));
  win.classList.remove('furigana-measuring');
  for (const h of readers) {
    const was = before.get(h);
    const now = glyphBoxes(h)[0];
    if (was && now && now.top !== was.top) shift(h, (was.top - now.top) / scale);
  }
  // What a text must not cover: the other texts and their readings, and
  // the box of every other control that is not text (buttons, bars, the
  // drawing area) and does not hold it; nor may it leave what clips it.
  const controls = [...win.querySelectorAll('[data-control]')].filter((e) => visible(e) && !e.classList.contains('label'));
  const obstaclesFor = (/** @type {HTMLElement} */ h) => [
    ...texts.filter((t) => t !== h).flatMap((t) => [...glyphBoxes(t), ...readingBoxes(t)]),
    ...controls.filter((c) => c !== h && !c.contains(h) && c.localName !== 'fieldset').map(boxOf),
  ];
  // How far `h` can move (down for sign 1, up for -1), up to `need`, in
  // steps, covering nothing new.
  /** @param {HTMLElement} h @param {number} need @param {number} sign */
  const farthest = (h, need, sign) => {
    const clip = boxOf(h.closest('.picture, .client') ?? win);
    const here = [...glyphBoxes(h), ...readingBoxes(h)];
    // What it covers where it is, it moves away from.
    const others = obstaclesFor(h).filter((o) => !here.some((r) => overlaps(r, o)));
    /** @type {(r: Box) => boolean} */
    const out = sign > 0 ? (r) => r.bottom > clip.bottom + kTolerance : (r) => r.top < clip.top - kTolerance;
    const fits = (/** @type {number} */ dy) => here.every((r) => {
      const there = moved(r, dy);
      return !out(there) && !others.some((o) => overlaps(there, o));
    });
    // In steps, the last one short where need is not a whole number of
    // them: a text that needs 3.8 pixels and has them moves all 3.8.
    let d = 0;
    for (let next = Math.min(need, kStep); d < need && fits(sign * next); next = Math.min(need, next + kStep)) d = next;
    return d;
  };
  /** @type {Set<HTMLElement>} */
  const stuck = new Set();
  for (let pass = 0; pass < kPasses; pass++) {
    const clash = findClash(readers.filter((h) => !stuck.has(h)), obstaclesFor, texts, win);
    if (!clash) break;
    if (!settle(clash, farthest, scale)) stuck.add(clash.reader); // no room: left as it is
  }
}

/**
 * Moves the reader of `clash` down, and the text above it up, as far as
 * their free space allows; false when both together cannot make room.
 * @param {{ reader: HTMLElement, above: HTMLElement | null, need: number }} clash
 * @param {(h: HTMLElement, need: number, sign: number) => number} farthest
 * @param {number} scale
 */
function settle({ reader, above, need }, farthest, scale) {
  const down = farthest(reader, need, 1);
  if (down >= need) {
    shift(reader, need / scale);
    return true;
  }
  const up = above ? farthest(above, need - down, -1) : 0;
  if (down + up < need - kTolerance) return false;
  if (down) shift(reader, down / scale);
  if (up && above) shift(above, -up / scale);
  return true;
}

// The first reading that covers something or leaves what clips it:
// { reader, above (the text it covers, if a text), need (pixels) }.
/**
 * @param {HTMLElement[]} readers
 * @param {(h: HTMLElement) => Box[]} obstaclesFor
 * @param {HTMLElement[]} texts
 * @param {HTMLElement} win
 */
function findClash(readers, obstaclesFor, texts, win) {
  for (const reader of readers) {
    const clip = boxOf(reader.closest('.picture, .client') ?? win);
    const obstacles = obstaclesFor(reader);
    for (const r of readingBoxes(reader)) {
      if (r.top < clip.top - kTolerance) return { reader, above: null, need: clip.top - r.top };
      for (const o of obstacles) {
        if (!overlaps(r, o)) continue;
        const above = texts.find((t) => t !== reader && [...glyphBoxes(t), ...readingBoxes(t)].some((b) => overlaps(b, o)));
        return { reader, above: above ?? null, need: o.bottom - r.top };
      }
    }
  }
  return null;
}
