// The lesson's tools beside the window: a slim bar in the room the fitted
// window leaves free on the screen (below it, above it, or at one side),
// so that a learner types a prediction and presses "スタート" without
// scrolling. The window's place and size are never changed for it; a row
// too wide for the screen wraps to two, and where no margin is wide
// enough, the bar stands below the screen, above the record.
import { html } from '../dom.js';
import { onTableChange, text } from '../i18n/text.js';

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

/** @type {HTMLElement | null} */
let bar = null;
/** @type {HTMLElement | null} */
let desk = null;

function place() {
  const windowElement = desk?.querySelector('.window');
  if (!bar || !desk || !windowElement) return;
  // Measured on the desk, where it stands unless no margin can hold it.
  if (bar.parentElement !== desk) desk.append(bar);
  const measure = (layout) => {
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
