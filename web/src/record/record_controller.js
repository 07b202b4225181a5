// The learner's record: its store, its view, and the learner's actions
// turned into the store's calls. A run the window finishes comes in through
// addRun; the view is drawn again whenever the store changes.
import { html } from '../dom.js';
import { cmText } from '../runs/distance.js';
import { MAX_ROWS } from '../runs/record_format.js';
import { csvText, tsvText } from '../runs/table_text.js';
import { chartPng, copyText, download } from './record_share.js';
import { RecordStore } from './record_store.js';
import { drawRecordChart, drawRows, drawTexts, recordView } from './record_view.js';
import { onTableChange, text } from '../i18n/text.js';
import { languageCode } from '../i18n/language.js';
import { setText, textElement } from '../furigana/furigana_text.js';

/** @typedef {import('./record_view.js').RecordParts} RecordParts */
/** @typedef {import('./record_store.js').Notice} Notice */

// 1000 as "1,000". Not toLocaleString: a browser's first number formatting
// costs tens of milliseconds before the window's first frame.
const withThousands = (/** @type {number} */ n) => String(n).replace(/\B(?=(\d{3})+$)/g, ',');

/** @type {Record<Notice, () => string>} */
const NOTICES = {
  memory: () => text('noticeMemory'),
  'set-aside': () => text('noticeSetAside'),
  'other-version': () => text('noticeOtherVersion'),
  'set-aside-failed': () => text('noticeSetAsideFailed'),
  cap: () => text('noticeCap', { max: withThousands(MAX_ROWS) }),
  'notes-joined': () => text('noticeNotesJoined'),
};

let idCounter = 0;

/**
 * Notices shown once each, in the page's language.
 * @param {HTMLElement} host
 */
function noticeBoard(host) {
  /** @type {Map<Notice, HTMLElement>} */
  const shown = new Map();
  return {
    /** @param {Notice} kind */
    notice(kind) {
      if (shown.has(kind)) return;
      const element = textElement('p', { class: 'record-notice', 'data-notice': kind }, NOTICES[kind]());
      shown.set(kind, element);
      host.append(element);
    },
    /** @param {Notice} kind */
    withdraw(kind) {
      shown.get(kind)?.remove();
      shown.delete(kind);
    },
    redraw() { for (const [kind, element] of shown) setText(element, NOTICES[kind]()); },
  };
}

/**
 * Draws the store's state into the view.
 * @param {RecordParts} parts
 * @param {RecordStore} store
 * @param {{ axis: string | null }} choice
 */
function render(parts, store, choice) {
  const rows = store.rows;
  drawRows(parts.sheet.body, rows);
  parts.empty.hidden = rows.length > 0;
  for (const button of [parts.buttons.csv, parts.buttons.copy, parts.buttons.png]) button.disabled = rows.length === 0;
  parts.buttons.clear.disabled = rows.length === 0 && !store.blocked && !store.notes.text;
  // Another tab's notes are shown at once, even while the learner types
  // (where the caret was).
  if (parts.notes.value !== store.notes.text) {
    const { selectionStart, selectionEnd } = parts.notes;
    parts.notes.value = store.notes.text;
    parts.notes.setSelectionRange(selectionStart, selectionEnd);
  }
  setText(parts.notesPrint, store.notes.text);
  const drawn = drawRecordChart(parts, rows, choice.axis);
  if (choice.axis !== drawn) choice.axis = null;
}

/**
 * Builds the record in `host` and returns { addRun(run), rows() }.
 *   storage    a Storage (window.localStorage), or null where there is none
 *   announce   told each short text the record says in its live region
 *   storageKey where this page's record is kept, whatever its address
 *   address    the page's path, whose record of old is carried over first
 * @param {{ host?: HTMLElement, storage?: Storage | null, announce?: (text: string) => void,
 *   storageKey?: string, address?: string | null }} options
 */
export function mountRecord({ host, storage = null, announce = () => {}, storageKey = 'shoutotsu.record.v1', address = null } = {}) {
  if (!host || typeof host.append !== 'function') throw new TypeError('record: mountRecord needs a host element');
  const parts = recordView(`record-${++idCounter}`);
  host.replaceChildren(parts.section);
  const board = noticeBoard(parts.notices);
  const store = new RecordStore({ storage, storageKey, address, notice: board.notice, withdraw: board.withdraw });
  const choice = { axis: /** @type {string | null} */ (null) };
  /** @param {string} words */
  const say = (words) => {
    parts.live.textContent = words;
    announce(words);
  };
  store.onChange(() => render(parts, store, choice));
  listen(parts, store, choice, say);
  onTableChange(() => {
    drawTexts(parts);
    board.redraw();
    render(parts, store, choice);
  });
  drawTexts(parts);
  store.load();
  return {
    /** @param {import('../runs/row.js').Run} run */
    addRun(run) {
      const row = store.add(run);
      const result = `${cmText(row.resultMm, languageCode())}cm`;
      say(row.predictionMm === null
        ? text('runSaid', { n: row.run, result })
        : text('runSaidWithPrediction', { n: row.run, prediction: cmText(row.predictionMm, languageCode()), result }));
      return row.run;
    },
    rows: () => store.rows.map((row) => ({ ...row })),
  };
}

/**
 * The learner's actions, as the store's calls.
 * @param {RecordParts} parts
 * @param {RecordStore} store
 * @param {{ axis: string | null }} choice
 * @param {(words: string) => void} say
 */
function listen(parts, store, choice, say) {
  const view = /** @type {Window} */ (parts.section.ownerDocument.defaultView);
  const { csv, copy, png, clear } = parts.buttons;
  parts.sheet.select.addEventListener('change', () => {
    choice.axis = parts.sheet.select.value;
    render(parts, store, choice);
    parts.sheet.select.focus();
  });
  parts.notes.addEventListener('input', () => {
    store.setNotes(parts.notes.value);
    setText(parts.notesPrint, store.notes.text);
    clear.disabled = store.rows.length === 0 && !store.blocked && !store.notes.text;
  });
  csv.addEventListener('click', () => {
    download(new Blob([csvText(text, store.rows)], { type: 'text/csv;charset=utf-8' }), 'shoutotsu-record', 'csv', parts.section);
  });
  copy.addEventListener('click', () => copyTable(parts, tsvText(text, store.rows, { lang: languageCode() }), say));
  png.addEventListener('click', async () => {
    const chart = parts.sheet.drawing.querySelector('svg');
    if (!chart) return;
    try {
      download(await chartPng(chart, 2), 'shoutotsu-chart', 'png', parts.section);
    } catch {
      say(text('pngFailed'));
    }
  });
  clear.addEventListener('click', () => {
    if (!askToClear(view, store)) return;
    const blocked = store.blocked;
    if (!blocked) store.clear();
    else if (!store.freeBlocked()) return;
    choice.axis = null;
    parts.title.focus();
    say(text(blocked ? 'clearedBlockedSaid' : 'clearedSaid'));
  });
  view.addEventListener('storage', (event) => store.heard(event));
}

/**
 * Asks before anything goes. The old record that could not be set aside
 * stops every save; letting it go is asked on its own.
 * @param {Window} view
 * @param {RecordStore} store
 */
function askToClear(view, store) {
  if (store.blocked) return view.confirm(text('clearBlockedAsk'));
  if (store.rows.length === 0 && !store.notes.text) return false;
  return view.confirm(text('clearAsk', { count: store.rows.length }));
}

/**
 * Puts the table on the clipboard; where the browser refuses, shows it
 * selected for the learner to copy.
 * @param {RecordParts} parts
 * @param {string} table
 * @param {(words: string) => void} say
 */
async function copyTable(parts, table, say) {
  parts.byHand.hidden = true;
  if (await copyText(table)) {
    say(text('copyDone'));
    return;
  }
  const area = html('textarea', { readonly: '', rows: 6, 'aria-label': text('copyButton') });
  area.value = table;
  const close = textElement('button', { type: 'button' }, text('copyClose'));
  close.addEventListener('click', () => {
    parts.byHand.hidden = true;
    parts.buttons.copy.focus();
  });
  parts.byHand.replaceChildren(textElement('p', {}, text('copyByHand')), area, close);
  parts.byHand.hidden = false;
  area.focus();
  area.select();
}
