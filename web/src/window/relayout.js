// The window laid out afresh when the screen turns or the browser's window
// is resized: the form fits itself to the viewport as it loads, so a window
// laid out for a landscape iPad and scaled down to a portrait one would
// draw its readings and captions below their smallest sizes. Once the size
// has settled and no run is going (a run's end is waited for), a new form
// is loaded for the new size, and the conditions, the speed and the locks
// of the one before are set in it through the core, as a teacher's link
// sets them. The record, the typed prediction and the lesson's tools stand
// outside the window and stay as they are.
import { readLesson } from '../lesson/lesson_link.js';
import { PARAMETER_TABLE } from '../runs/parameter_table.js';

// How long the size must stay put before the window is laid out again.
const kSettleMs = 300;

/**
 * Whether a viewport of `now` wants a window laid out afresh, when the
 * window was laid out for `laidOutFor` and is now drawn at `scale`. A new
 * width (a turn, a resized browser) does; a new height alone only where
 * the window no longer fits it (a tablet's bars coming and going leave it).
 * @param {{ width: number, height: number }} laidOutFor
 * @param {{ width: number, height: number }} now
 * @param {number} scale
 */
export function wantsFreshLayout(laidOutFor, now, scale) {
  return now.width !== laidOutFor.width || (now.height !== laidOutFor.height && scale < 1);
}

/**
 * What a window laid out afresh is given of the one before: the values and
 * speed as the core holds them, and the locks of the teacher's link.
 * @param {{ api: { settings: () => Record<string, number | string> } }} page
 * @param {string} search the address's query
 */
export function keptSettings(page, search) {
  return { settings: page.api.settings(), locks: readLesson(search).locks };
}

/**
 * Sets `kept` in the freshly started `page`, each value as its own event in
 * the core's order, then the speed, then the locks (a locked bar takes no
 * value).
 * @param {import('./page.js').FormPage} page
 * @param {ReturnType<typeof keptSettings>} kept
 */
export function restoreSettings(page, { settings, locks }) {
  const { api } = page;
  PARAMETER_TABLE.parameters.forEach(({ key }, parameter) => {
    if (typeof settings[key] === 'number') page.event(() => api.setParameter(parameter, /** @type {number} */ (settings[key])));
  });
  const speed = PARAMETER_TABLE.speeds.findIndex((s) => s.key === settings.speed);
  if (speed >= 0) page.event(() => api.selectSpeed(speed));
  for (const key of locks) {
    page.event(() => {
      if (api.lockParameter(PARAMETER_TABLE.parameters.findIndex((p) => p.key === key))) page.state.locked(key);
    });
  }
}

const viewport = () => ({
  width: document.documentElement.clientWidth || innerWidth,
  height: document.documentElement.clientHeight || innerHeight,
});

/**
 * Lays the window out afresh whenever the screen asks for it. `current()`
 * is the page shown now; `startAfresh()` loads and shows a new one for the
 * viewport as it is; `desk` hears each run's end.
 * @param {() => import('./page.js').FormPage} current
 * @param {() => Promise<void>} startAfresh
 * @param {HTMLElement} desk
 */
export function followScreen(current, startAfresh, desk) {
  let laidOutFor = viewport();
  let settle = 0;
  let busy = false;
  let waiting = false;
  const check = async () => {
    const page = current();
    const now = viewport();
    if (busy || page.finished || !wantsFreshLayout(laidOutFor, now, page.scale)) return;
    if (page.ticker.timers.size > 0) {
      if (waiting) return;
      // A run is going: its end is waited for, and the size looked at then.
      waiting = true;
      desk.addEventListener('shoutotsu:run', () => {
        waiting = false;
        setTimeout(check, 0);
      }, { once: true });
      return;
    }
    busy = true;
    laidOutFor = now;
    try {
      await startAfresh();
    } catch (error) {
      // The window as it was stays: scaled, but whole.
      console.warn('The window could not be laid out afresh:', error);
    } finally {
      busy = false;
    }
    check(); // the size may have changed again meanwhile
  };
  addEventListener('resize', () => {
    clearTimeout(settle);
    settle = window.setTimeout(check, kSettleMs);
  });
}
