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
  desk.addEventListener('shoutotsu:run', (event) => {
    const typed = prediction.take();
    record.addRun(runOfEvent(/** @type {CustomEvent} */ (event).detail, typed ? mmFromText(typed) : null));
  });
  return record;
}
