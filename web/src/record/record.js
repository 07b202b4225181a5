// The record under the window: one row per finished run with its
// prediction, the conditions each run changed, the chart of the result
// against one condition, what the learner found out, and the ways to hand
// the record on. The rows live in record_store.js, the table in
// record_table.js, the chart in record_chart.js; this is the section that
// shows them and the learner's buttons.
import { html } from '../dom.js';
import { drawChart } from './record_chart.js';
import { defaultAxis, differingSettings } from '../runs/record_chart_data.js';
import { CONDITIONS, csvText, label, MAX_NOTES, MAX_ROWS, tsvText } from '../runs/record_rows.js';
import { chartPng, copyText, download } from './record_share.js';
import { RecordStore } from './record_store.js';
import { drawHeader, drawRows } from './record_table.js';
import { onTableChange, text } from '../i18n/text.js';

// 1000 as "1,000". Not toLocaleString: a browser's first number formatting
// costs tens of milliseconds before the window's first frame.
const withThousands = (n) => String(n).replace(/\B(?=(\d{3})+$)/g, ',');

const NOTICES = {
  memory: () => text('noticeMemory'),
  'set-aside': () => text('noticeSetAside'),
  'other-version': () => text('noticeOtherVersion'),
  'set-aside-failed': () => text('noticeSetAsideFailed'),
  cap: () => text('noticeCap', { max: withThousands(MAX_ROWS) }),
};

let idCounter = 0;

// Builds the record in `host` and returns { addRun(run), rows() }.
//   storage    a Storage (window.localStorage), or null where there is none
//   announce   told each short text the record says through its own live
//              region
//   storageKey where this page's record is kept, whatever its address
//   address    the page's path, whose record of old is carried over first
/**
 * @param {{ host?: HTMLElement, storage?: Storage | null, announce?: (text: string) => void,
 *   storageKey?: string, address?: string | null }} options
 */
export function mountRecord({ host, storage = null, announce = () => {}, storageKey = 'shoutotsu.record.v1', address = null } = {}) {
  if (!host || typeof host.append !== 'function') throw new TypeError('record: mountRecord needs a host element');
  const view = host.ownerDocument.defaultView;
  const id = `record-${++idCounter}`;
  let axisChoice = null; // the learner's own choice of the chart's setting
  const shown = new Map(); // notice kind -> its element
  // --- the section ---------------------------------------------------------
  const section = html('section', { class: 'record', 'data-control': 'record', 'aria-labelledby': `${id}-title` });
  const title = html('h2', { id: `${id}-title`, tabindex: '-1' });
  const notices = html('div', { class: 'record-notices', role: 'status' });
  // Heard, not seen: each run as it is written, apart from the window's own
  // result sentence, so that a screen reader says both.
  const live = html('div', { class: 'record-live', role: 'status', 'aria-live': 'polite', 'data-print': 'hide' });
  // On paper only: the learner writes their name on the printed record.
  const name = html('p', { class: 'record-name', 'aria-hidden': 'true' });
  const empty = html('p', { class: 'record-empty' });
  const tableBox = html('div', { class: 'record-table', role: 'region', 'aria-labelledby': `${id}-caption`, tabindex: '0' });
  const caption = html('caption', { id: `${id}-caption` });
  const head = html('thead');
  const body = html('tbody');
  const table = html('table');
  table.append(caption, head, body);
  tableBox.append(table);

  const chartBox = html('figure', { class: 'record-chart' });
  const choice = html('p', { class: 'record-axis-choice', 'data-print': 'hide' });
  const choiceLabel = html('label', { for: `${id}-axis` });
  const select = html('select', { id: `${id}-axis`, 'data-control': 'recordAxis' });
  choice.append(choiceLabel, select);
  const drawing = html('div', { class: 'record-drawing' });
  const chartCaption = html('figcaption');
  chartBox.append(choice, drawing, chartCaption);

  // What the learner found out, kept with the record and printed under the
  // chart.
  const notesBox = html('div', { class: 'record-notes' });
  const notesLabel = html('label', { for: `${id}-notes` });
  const notes = html('textarea', { id: `${id}-notes`, 'data-control': 'record-notes', rows: 4, maxlength: MAX_NOTES });
  const notesPrint = html('p', { class: 'record-notes-print', 'aria-hidden': 'true' });
  notesBox.append(notesLabel, notes, notesPrint);

  const actions = html('p', { class: 'record-actions', 'data-print': 'hide' });
  const csvButton = html('button', { type: 'button', 'data-control': 'recordCsv' });
  const copyButton = html('button', { type: 'button', 'data-control': 'record-copy' });
  const pngButton = html('button', { type: 'button', 'data-control': 'chart-png' });
  const clearButton = html('button', { type: 'button', 'data-control': 'recordClear' });
  actions.append(csvButton, copyButton, pngButton, clearButton);
  // Where the browser refuses the clipboard: the table's text, selected.
  const byHand = html('div', { class: 'record-by-hand', 'data-print': 'hide' });
  byHand.hidden = true;

  section.append(title, name, notices, live, actions, byHand, empty, tableBox, chartBox, notesBox);
  host.replaceChildren(section);

  function notice(kind) {
    if (shown.has(kind)) return;
    const element = html('p', { class: 'record-notice', 'data-notice': kind }, NOTICES[kind]());
    shown.set(kind, element);
    notices.append(element);
  }

  function withdraw(kind) {
    shown.get(kind)?.remove();
    shown.delete(kind);
  }

  function say(words) {
    live.textContent = words;
    announce(words);
  }

  const store = new RecordStore({ storage, storageKey, address, notice, withdraw });

  // --- drawing ---------------------------------------------------------------
  // The fixed texts, in the page's language.
  function drawTexts() {
    title.textContent = text('recordTitle');
    name.textContent = text('recordName');
    empty.textContent = text('recordEmpty');
    caption.textContent = text('recordCaption');
    choiceLabel.textContent = text('axisChoice');
    notesLabel.textContent = text('notesTitle');
    csvButton.textContent = text('csvButton');
    csvButton.title = text('csvHint');
    copyButton.textContent = text('copyButton');
    copyButton.title = text('copyHint');
    pngButton.textContent = text('pngButton');
    clearButton.textContent = text('clearButton');
    for (const [kind, element] of shown) element.textContent = NOTICES[kind]();
    drawHeader(head);
  }

  function render() {
    const rows = store.rows;
    drawRows(body, rows);
    empty.hidden = rows.length > 0;
    csvButton.disabled = rows.length === 0;
    copyButton.disabled = rows.length === 0;
    pngButton.disabled = rows.length === 0;
    clearButton.disabled = rows.length === 0 && !store.blocked && !store.notes.text;
    if (notes.value !== store.notes.text && view.document.activeElement !== notes) notes.value = store.notes.text;
    notesPrint.textContent = store.notes.text;

    const differing = differingSettings(rows);
    if (!differing.includes(axisChoice)) axisChoice = null;
    const axis = axisChoice ?? defaultAxis(differing);
    choice.hidden = differing.length < 2;
    select.replaceChildren(...CONDITIONS.filter((s) => differing.includes(s.key)).map((s) => {
      const option = html('option', { value: s.key }, label(s));
      option.selected = s.key === axis;
      return option;
    }));
    chartBox.hidden = rows.length === 0;
    const legend = drawChart(drawing, rows, axis);
    chartCaption.replaceChildren(text('chartCaption', {
      result: text('resultName'), setting: CONDITIONS.find((s) => s.key === axis).name,
    }));
    if (legend) chartCaption.append(legend);
  }

  // --- actions ---------------------------------------------------------------
  select.addEventListener('change', () => {
    axisChoice = select.value;
    render();
    select.focus();
  });

  notes.addEventListener('input', () => {
    store.setNotes(notes.value);
    notesPrint.textContent = store.notes.text;
    clearButton.disabled = store.rows.length === 0 && !store.blocked && !store.notes.text;
  });

  csvButton.addEventListener('click', () => {
    download(new Blob([csvText(store.rows)], { type: 'text/csv;charset=utf-8' }), 'shoutotsu-record', 'csv', section);
  });

  copyButton.addEventListener('click', async () => {
    const table = tsvText(store.rows);
    byHand.hidden = true;
    if (await copyText(table)) {
      say(text('copyDone'));
      return;
    }
    const note = html('p', {}, text('copyByHand'));
    const area = html('textarea', { readonly: '', rows: 6, 'aria-label': text('copyButton') });
    area.value = table;
    const close = html('button', { type: 'button' }, text('copyClose'));
    close.addEventListener('click', () => {
      byHand.hidden = true;
      copyButton.focus();
    });
    byHand.replaceChildren(note, area, close);
    byHand.hidden = false;
    area.focus();
    area.select();
  });

  pngButton.addEventListener('click', async () => {
    const chart = drawing.querySelector('svg');
    if (!chart) return;
    try {
      download(await chartPng(chart, 2), 'shoutotsu-chart', 'png', section);
    } catch {
      say(text('pngFailed'));
    }
  });

  clearButton.addEventListener('click', () => {
    // The old record that could not be set aside stops every save; this is
    // the learner's way to let it go.
    if (store.blocked) {
      if (!view.confirm(text('clearBlockedAsk'))) return;
      if (!store.freeBlocked()) return;
      render();
      title.focus();
      say(text('clearedBlockedSaid'));
      return;
    }
    if (store.rows.length === 0 && !store.notes.text) return;
    if (!view.confirm(text('clearAsk', { count: store.rows.length }))) return;
    store.clear();
    notes.value = '';
    axisChoice = null;
    render();
    title.focus();
    say(text('clearedSaid'));
  });

  view.addEventListener('storage', (event) => {
    if (store.heard(event)) render();
  });
  onTableChange(() => {
    drawTexts();
    render();
  });

  store.load();
  drawTexts();
  render();

  return {
    addRun(run) {
      const row = store.add(run);
      render();
      say(row.prediction
        ? text('runSaidWithPrediction', { n: row.n, prediction: row.prediction, result: row.result })
        : text('runSaid', { n: row.n, result: row.result }));
      return row.n;
    },
    rows: () => store.rows.map((row) => ({ ...row })),
  };
}
