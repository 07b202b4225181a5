// The record under the window: one row per finished run, the chart of the
// result against one condition, the CSV for the class's spreadsheet, and
// the learner's buttons. The rows live in record_store.js, the chart in
// record_chart.js; this is the section that shows them.
import { html } from './dom.js';
import { drawChart } from './record_chart.js';
import { defaultAxis, differingSettings } from './record_chart_data.js';
import { csvText, HEADER, label, MAX_ROWS, RESULT_NAME, SETTINGS } from './record_rows.js';
import { RecordStore } from './record_store.js';

// 1000 as "1,000". Not toLocaleString: a browser's first number formatting
// costs tens of milliseconds before the window's first frame.
const withThousands = (n) => String(n).replace(/\B(?=(\d{3})+$)/g, ',');

const NOTICES = {
  memory: 'この端末では記録を保存できません。記録は、このページを閉じるまでのあいだだけ残ります。',
  'set-aside':
    '前に保存されていた記録が読み取れなかったので、消さずに別の場所に取っておきました。新しい記録を始めます。',
  'other-version':
    '前に保存されていた記録は、このページの別の版で作られたものなので、消さずに別の場所に取っておきました。新しい記録を始めます。',
  'set-aside-failed':
    '前に保存されていた記録が読み取れません。その記録を消さないように、今の記録は保存しません（このページを閉じると消えます）。保存したいときは、「記録を消す」で前の記録を消してください。',
  cap: `記録は ${withThousands(MAX_ROWS)} 回分までです。それより多くなったので、古いものから消して新しい記録を残しています。`,
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
  const shown = new Map();
  // --- the section ---------------------------------------------------------
  const section = html('section', { class: 'record', 'data-control': 'record', 'aria-labelledby': `${id}-title` });
  const title = html('h2', { id: `${id}-title`, tabindex: '-1' }, '記録');
  const notices = html('div', { class: 'record-notices', role: 'status' });
  // Heard, not seen: each run as it is written, apart from the window's own
  // result sentence, so that a screen reader says both.
  const live = html('div', { class: 'record-live', role: 'status', 'aria-live': 'polite', 'data-print': 'hide' });
  // On paper only: the learner writes their name on the printed record.
  const name = html('p', { class: 'record-name', 'aria-hidden': 'true' }, 'なまえ（　　　　　　　　　　　　）');
  const empty = html('p', { class: 'record-empty' }, 'まだ記録がありません。「スタート」で実験すると、ここに1回ずつ記録されます。');
  const tableBox = html('div', { class: 'record-table', role: 'region', 'aria-labelledby': `${id}-caption`, tabindex: '0' });
  const table = html('table');
  const caption = html('caption', { id: `${id}-caption` }, '実験の記録');
  const head = html('thead');
  const headRow = html('tr');
  for (const text of HEADER) headRow.append(html('th', { scope: 'col' }, text));
  head.append(headRow);
  const body = html('tbody');
  table.append(caption, head, body);
  tableBox.append(table);

  const chartBox = html('figure', { class: 'record-chart' });
  const choice = html('p', { class: 'record-axis-choice', 'data-print': 'hide' });
  const choiceLabel = html('label', { for: `${id}-axis` }, 'グラフの横のじく：');
  const select = html('select', { id: `${id}-axis`, 'data-control': 'recordAxis' });
  choice.append(choiceLabel, select);
  const drawing = html('div', { class: 'record-drawing' });
  const chartCaption = html('figcaption');
  chartBox.append(choice, drawing, chartCaption);

  const actions = html('p', { class: 'record-actions', 'data-print': 'hide' });
  const csvButton = html('button', { type: 'button', 'data-control': 'recordCsv' }, 'CSV');
  csvButton.title = '記録を表計算ソフトで開けるファイルにして保存します';
  const clearButton = html('button', { type: 'button', 'data-control': 'recordClear' }, '記録を消す');
  actions.append(csvButton, clearButton);

  section.append(title, name, notices, live, actions, empty, tableBox, chartBox);
  host.replaceChildren(section);

  function notice(kind) {
    if (shown.has(kind)) return;
    const element = html('p', { class: 'record-notice', 'data-notice': kind }, NOTICES[kind]);
    shown.set(kind, element);
    notices.append(element);
  }

  function withdraw(kind) {
    shown.get(kind)?.remove();
    shown.delete(kind);
  }

  function say(text) {
    live.textContent = text;
    announce(text);
  }

  const store = new RecordStore({ storage, storageKey, address, notice, withdraw });

  // --- drawing ---------------------------------------------------------------
  function rowElement(row) {
    const tr = html('tr', { 'data-run': row.n });
    tr.append(html('th', { scope: 'row' }, String(row.n)));
    for (const s of SETTINGS) tr.append(html('td', {}, row[s.key]));
    tr.append(html('td', {}, row.result));
    return tr;
  }

  function render() {
    const fragment = document.createDocumentFragment();
    const rows = store.rows;
    for (const row of rows) fragment.append(rowElement(row));
    body.replaceChildren(fragment);
    empty.hidden = rows.length > 0;
    csvButton.disabled = rows.length === 0;
    clearButton.disabled = rows.length === 0 && !store.blocked;

    const differing = differingSettings(rows);
    if (!differing.includes(axisChoice)) axisChoice = null;
    const axis = axisChoice ?? defaultAxis(differing);
    choice.hidden = differing.length < 2;
    select.replaceChildren(...SETTINGS.filter((s) => differing.includes(s.key)).map((s) => {
      const option = html('option', { value: s.key }, label(s));
      option.selected = s.key === axis;
      return option;
    }));
    chartBox.hidden = rows.length === 0;
    const legend = drawChart(drawing, rows, axis);
    chartCaption.replaceChildren(`${RESULT_NAME}と${SETTINGS.find((s) => s.key === axis).name}`);
    if (legend) chartCaption.append(legend);
  }

  // --- actions ---------------------------------------------------------------
  select.addEventListener('change', () => {
    axisChoice = select.value;
    render();
    select.focus();
  });

  csvButton.addEventListener('click', () => {
    const blob = new Blob([csvText(store.rows)], { type: 'text/csv;charset=utf-8' });
    const url = URL.createObjectURL(blob);
    const now = new Date();
    const two = (n) => String(n).padStart(2, '0');
    const link = html('a', {
      href: url,
      download: `shoutotsu-record-${now.getFullYear()}${two(now.getMonth() + 1)}${two(now.getDate())}-${two(now.getHours())}${two(now.getMinutes())}.csv`,
    });
    link.hidden = true;
    section.append(link);
    link.click();
    link.remove();
    // Some browsers start reading the file only after the click returns.
    view.setTimeout(() => URL.revokeObjectURL(url), 60000);
  });

  clearButton.addEventListener('click', () => {
    // The old record that could not be set aside stops every save; this is
    // the learner's way to let it go.
    if (store.blocked) {
      if (!view.confirm('前に保存されていた記録は 読み取れないので、消します。消すと、これからの記録を保存できるようになります。消した記録は もどせません。よろしいですか？')) return;
      if (!store.freeBlocked()) return;
      render();
      title.focus();
      say('読み取れない記録を消しました');
      return;
    }
    const count = store.rows.length;
    if (count === 0) return;
    if (!view.confirm(`記録（${count}回分）をすべて消します。消した記録は もどせません。よろしいですか？`)) return;
    store.clear();
    axisChoice = null;
    render();
    title.focus();
    say('記録を消しました');
  });

  view.addEventListener('storage', (event) => {
    if (store.heard(event)) render();
  });

  store.load();
  render();

  return {
    addRun(run) {
      const row = store.add(run);
      render();
      say(`${row.n}回目: ${row.result}`);
      return row.n;
    },
    rows: () => store.rows.map((row) => ({ ...row })),
  };
}
