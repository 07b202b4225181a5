// The lesson's tools beside the window: a slim bar in the room the fitted
// window leaves free on the screen (below it, above it, or at one side),
// so that a learner types a prediction and presses "スタート" without
// scrolling. A row too wide for the screen wraps to two. Where no margin
// is wide enough (a phone on its side), the bar keeps an edge of the
// screen for itself and the window fits the rest, shrunk as little as
// the edges allow; where not even that holds it, the bar stands below the
// screen, above the record.
import { html } from '../dom.js';
import { onTableChange, text } from '../i18n/text.js';
import { fitWindow } from '../window/window_fit.js';
import { lastPlacing } from '../window/window_place.js';

const kGap = 4; // CSS px between the bar, the window and the screen's edge

/**
 * Where the bar goes: `win` is the window's box on the screen, `screen` the
 * viewport's size, `row` and `column` the bar's size laid out in a row and
 * in a column, `rows` its size wrapped to the screen's width (a narrow
 * phone). Returns { side, left, top, wrap } in screen pixels, or { side:
 * 'below' } when it fits nowhere beside the window.
 * @param {{ left: number, top: number, width: number, height: number }} win
 * @param {{ width: number, height: number }} screen
 * @param {{ width: number, height: number }} row
 * @param {{ width: number, height: number }} column
 * @param {{ width: number, height: number }} [rows]
 */
export function barPlace(win, screen, row, column, rows = row) {
  const room = {
    bottom: screen.height - (win.top + win.height),
    top: win.top,
    right: screen.width - (win.left + win.width),
    left: win.left,
  };
  const wrap = row.width + 2 * kGap > screen.width;
  const line = wrap ? rows : row;
  const rowLeft = Math.max(kGap, Math.min(win.left, screen.width - line.width - kGap));
  const fitsRow = line.width + 2 * kGap <= screen.width;
  if (fitsRow && room.bottom >= line.height + 2 * kGap) {
    return { side: 'bottom', left: rowLeft, top: win.top + win.height + (room.bottom - line.height) / 2, wrap };
  }
  if (fitsRow && room.top >= line.height + 2 * kGap) {
    return { side: 'top', left: rowLeft, top: (room.top - line.height) / 2, wrap };
  }
  const columnTop = Math.max(kGap, Math.min(win.top, screen.height - column.height - kGap));
  const fitsColumn = column.height + 2 * kGap <= screen.height;
  if (fitsColumn && room.right >= column.width + 2 * kGap) {
    return { side: 'right', left: win.left + win.width + (room.right - column.width) / 2, top: columnTop };
  }
  if (fitsColumn && room.left >= column.width + 2 * kGap) {
    return { side: 'left', left: (room.left - column.width) / 2, top: columnTop };
  }
  return { side: 'below' };
}

const kNoEdges = { top: 0, right: 0, bottom: 0, left: 0 };

/**
 * The edges of the screen the bar keeps for itself: none where a margin
 * beside the window, fitted to the whole screen, holds it; else the one
 * edge (a row's height at the bottom or top, a column's width at a side)
 * that leaves the window largest, and none where no edge holds the bar
 * either. `natural` is the window's box unscaled; the rest as barPlace's.
 * @param {{ left: number, top: number, width: number, height: number }} natural
 * @param {{ width: number, height: number }} screen
 * @param {{ width: number, height: number }} row
 * @param {{ width: number, height: number }} column
 * @param {{ width: number, height: number }} [rows]
 */
export function barEdges(natural, screen, row, column, rows = row) {
  const box = (/** @type {typeof kNoEdges} */ kept) => {
    const { left, top, scale } = fitWindow(natural, screen, kept);
    return { left, top, width: natural.width * scale, height: natural.height * scale, scale };
  };
  if (barPlace(box(kNoEdges), screen, row, column, rows).side !== 'below') return kNoEdges;
  const line = row.width + 2 * kGap > screen.width ? rows : row;
  // Whole pixels, so that the margin left is never a rounding short.
  const across = Math.ceil(line.height) + 2 * kGap;
  const aside = Math.ceil(column.width) + 2 * kGap;
  const candidates = [
    { ...kNoEdges, bottom: across },
    { ...kNoEdges, top: across },
    { ...kNoEdges, right: aside },
    { ...kNoEdges, left: aside },
  ].map((kept) => ({ kept, win: box(kept) }))
    .filter(({ win }) => barPlace(win, screen, row, column, rows).side !== 'below');
  // The first of the largest: below the window rather than beside it.
  const best = candidates.reduce((a, b) => (b.win.scale > a.win.scale ? b : a), candidates[0]);
  return best ? best.kept : kNoEdges;
}

/** @param {typeof kNoEdges} a @param {typeof kNoEdges} b */
const sameEdges = (a, b) => a.top === b.top && a.right === b.right && a.bottom === b.bottom && a.left === b.left;

/** @type {HTMLElement | null} */
let bar = null;
/** @type {HTMLElement | null} */
let desk = null;

/**
 * The bar's size in a row, in a column and wrapped to the desk's width,
 * measured on the desk, where it stands unless no margin can hold it.
 * @param {HTMLElement} bar
 * @param {HTMLElement} desk
 */
function measureBar(bar, desk) {
  if (bar.parentElement !== desk) desk.append(bar);
  const measure = (/** @type {string} */ layout) => {
    bar.dataset.layout = layout;
    bar.dataset.side = 'measuring';
    const box = bar.getBoundingClientRect();
    // A row wider than the desk is clipped to it; its content is not.
    return { width: Math.max(box.width, bar.scrollWidth), height: box.height };
  };
  const row = measure('row');
  const column = measure('column');
  bar.style.maxWidth = `${desk.clientWidth - 2 * kGap}px`;
  const rows = measure('rows');
  bar.style.maxWidth = '';
  return { row, column, rows };
}

/**
 * Asks the page to fit the window anew where the bar wants other edges
 * than the window was placed with; true when asked: the page's placing
 * calls place() again.
 * @param {HTMLElement} desk
 * @param {{ width: number, height: number }} row
 * @param {{ width: number, height: number }} column
 * @param {{ width: number, height: number }} rows
 */
function askForEdges(desk, row, column, rows) {
  const placed = lastPlacing();
  if (!placed) return false;
  const kept = barEdges(placed.natural, placed.screen, row, column, rows);
  if (sameEdges(kept, placed.kept)) return false;
  desk.dispatchEvent(new CustomEvent('shoutotsu:keep-edges', { detail: kept }));
  return true;
}

function place() {
  const windowElement = desk?.querySelector('.window');
  if (!bar || !desk || !windowElement) return;
  const { row, column, rows } = measureBar(bar, desk);
  if (askForEdges(desk, row, column, rows)) return;
  const deskBox = desk.getBoundingClientRect();
  const winBox = windowElement.getBoundingClientRect();
  const win = { left: winBox.left - deskBox.left, top: winBox.top - deskBox.top, width: winBox.width, height: winBox.height };
  const where = barPlace(win, { width: desk.clientWidth, height: desk.clientHeight }, row, column, rows);
  bar.dataset.layout = where.side === 'left' || where.side === 'right' ? 'column' : where.wrap ? 'rows' : 'row';
  bar.style.maxWidth = where.wrap ? `${desk.clientWidth - 2 * kGap}px` : '';
  bar.dataset.side = where.side;
  if (where.side === 'below') {
    bar.style.left = '';
    bar.style.top = '';
    desk.after(bar);
    return;
  }
  bar.style.left = `${where.left}px`;
  bar.style.top = `${where.top}px`;
}

// Places the bar once the tools added together are all in it: each place()
// lays the page out twice, which a slow device's first frame felt when every
// tool added placed the bar anew.
let placing = false;
function placeSoon() {
  if (placing) return;
  placing = true;
  queueMicrotask(() => {
    placing = false;
    place();
  });
}

/**
 * Adds a tool to the bar, after the ones there already; the bar is made on
 * the window's desk the first time, and placed before the next frame.
 * @param {HTMLElement} tool
 */
export function addLessonTool(tool) {
  if (!bar) {
    desk = document.getElementById('desk');
    if (!desk) throw new Error('lesson bar: the page has no desk');
    // A landmark of its own: it stands on the window's desk, or below it.
    bar = html('div', { class: 'lesson-bar', role: 'region', 'aria-label': text('lessonBar'), 'data-control': 'lesson-bar' });
    onTableChange(() => bar?.setAttribute('aria-label', text('lessonBar')));
    desk.append(bar);
    // The form places the window at start-up and on every resize.
    desk.addEventListener('shoutotsu:placed', place);
    new ResizeObserver(place).observe(bar);
  }
  bar.append(tool);
  placeSoon();
}
