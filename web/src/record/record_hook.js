// Keeps the record of runs below the window: a row each time a run ends,
// taken from the run the form reports (the shoutotsu:run event of the
// window), never read back out of the page or worked out again here.
import { mountPrediction } from '../lesson/prediction_field.js';
import { mmFromText } from '../runs/distance.js';
import { runOfEvent } from '../runs/finished_run.js';
import { mountRecord } from './record_controller.js';

function localStore() {
  try {
    return window.localStorage;
  } catch {
    return null; // a locked-down browser: the record lives in memory only
  }
}

/**
 * Runs `work` once the frame after this task has been drawn, or at once if
 * the page goes away first (a hidden tab draws no frame: a timeout stands in).
 * @param {() => void} work
 */
function afterTheFrame(work) {
  let done = false;
  const once = () => {
    if (done) return;
    done = true;
    removeEventListener('pagehide', once);
    work();
  };
  addEventListener('pagehide', once);
  requestAnimationFrame(() => setTimeout(once, 0));
  setTimeout(once, 250);
}

/** @param {HTMLElement} desk the element the window stands on */
export function keepRecord(desk) {
  const host = document.createElement('div');
  host.className = 'record-host';
  desk.after(host);
  // One record for the page however it is reached ("/" or "/index.html")
  // or whatever its saved copy is called; local storage is the origin's
  // already. The record announces its rows in a live region of its own, so
  // the window's result sentence is heard as well.
  const storage = localStore();
  const record = mountRecord({ host, storage, address: location.pathname });
  const prediction = mountPrediction(storage);
  // A run quit halfway never ends, so it never comes here.
  // The row waits for the frame that shows the run's end: drawing the table
  // and the chart again takes tens of milliseconds on a slow device, and
  // would hold back the result and クリア. The prediction is the run's as it
  // ends; the record says it is busy until the row is in.
  let waiting = 0;
  desk.addEventListener('shoutotsu:run', (event) => {
    const typed = prediction.take();
    const run = runOfEvent(/** @type {CustomEvent} */ (event).detail, typed ? mmFromText(typed) : null);
    waiting += 1;
    host.setAttribute('aria-busy', 'true');
    afterTheFrame(() => {
      try {
        record.addRun(run);
      } finally {
        waiting -= 1;
        if (waiting === 0) host.removeAttribute('aria-busy');
      }
    });
  });
  return record;
}
