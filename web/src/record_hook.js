// Keeps the record of runs below the window: a row each time a run ends,
// taken from what the window shows (the value labels, the chosen speed and
// the result the core wrote), never worked out again here.
import { mountRecord } from './record.js';

function localStore() {
  try {
    return window.localStorage;
  } catch {
    return null; // a locked-down browser: the record lives in memory only
  }
}

export function keepRecord(desk) {
  const host = document.createElement('div');
  host.className = 'record-host';
  desk.after(host);
  // One record for the page however it is reached ("/" or "/index.html")
  // or whatever its saved copy is called; local storage is the origin's
  // already. The record announces its rows in a live region of its own, so
  // the window's result sentence is heard as well.
  const record = mountRecord({ host, storage: localStore(), address: location.pathname });
  const shown = (name) => desk.querySelector(`[data-control="${name}"]`).textContent.trim();
  const start = desk.querySelector('[data-control="start"]');
  let caption = shown('start');
  // The run has ended the moment the start button turns to "クリア"; a run
  // quit halfway never gets there.
  new MutationObserver(() => {
    const now = shown('start');
    if (now === 'クリア' && caption !== 'クリア') {
      const speed = desk.querySelector('[data-control^="sp("][aria-checked="true"]');
      record.addRun({
        m1: shown('T1m'),
        m2: shown('T2m'),
        r1: shown('T1r'),
        r2: shown('T2r'),
        height: shown('htext'),
        length: shown('ltext'),
        speed: speed.getAttribute('aria-label'),
        result: shown('kekka'),
      });
    }
    caption = now;
  }).observe(start, { childList: true, characterData: true, subtree: true });
  return record;
}
