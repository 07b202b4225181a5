// The record under the window: one row per finished run, the chart of the
// result against one setting, the CSV for the class's spreadsheet, and the
// browser's local storage so that a reload or a closed tab loses nothing.
//
// The page hands over each finished run with the texts the window's labels
// show; nothing here recomputes a value the core produced.

const FORMAT = 'shoutotsu-record';
// Rows now carry an id and the time their run ended, and the record the time
// it was last cleared; a page that knows neither reads the rows as before, so
// the version stays.
const VERSION = 1;
export const MAX_ROWS = 1000;
// Run numbers beyond this are taken for damage, not for a class's work.
const MAX_RUN = 1e9;
const MAX_TIME = 8.64e15; // the latest time a Date can hold

// The settings in the order of the table's columns, with the names the
// window's scroll bars carry for a screen reader.
const SETTINGS = [
  { key: 'm1', name: '当てるぴるての重さ', unit: 'g', min: 10, max: 50, step: 10 },
  { key: 'm2', name: '当てられるぴるての重さ', unit: 'g', min: 10, max: 50, step: 10 },
  { key: 'r1', name: '当てるぴるての半径', unit: 'mm', min: 8, max: 14, step: 2 },
  { key: 'r2', name: '当てられるぴるての半径', unit: 'mm', min: 8, max: 14, step: 2 },
  { key: 'height', name: 'レールの高さ', unit: 'cm', min: 10, max: 40, step: 10 },
  { key: 'length', name: 'ななめの長さ', unit: 'cm', min: 50, max: 80, step: 10 },
  { key: 'speed', name: '速さ', unit: '', categories: ['遅', '中', '速'] },
];
const NUMERIC = SETTINGS.filter((s) => !s.categories);
const SPEEDS = ['速', '中', '遅'];
// When several settings differ, the chart starts with the one the lesson
// asks about first: the striking bob's weight, then the rail's height (the
// bob's speed), then the rest.
const PREFERRED_AXIS = ['m1', 'height', 'length', 'm2', 'r1', 'r2', 'speed'];

const RESULT_NAME = '当てられるぴるての動いた距離';
const label = (s) => (s.unit ? `${s.name} (${s.unit})` : s.name);
export const HEADER = ['回', ...SETTINGS.map(label), `結果（${RESULT_NAME}）`];

const NOTICES = {
  memory: 'この端末では記録を保存できません。記録は、このページを閉じるまでのあいだだけ残ります。',
  'set-aside':
    '前に保存されていた記録が読み取れなかったので、消さずに別の場所に取っておきました。新しい記録を始めます。',
  'other-version':
    '前に保存されていた記録は、このページの別の版で作られたものなので、消さずに別の場所に取っておきました。新しい記録を始めます。',
  'set-aside-failed':
    '前に保存されていた記録が読み取れません。その記録を消さないように、今の記録は保存しません（このページを閉じると消えます）。保存したいときは、「記録を消す」で前の記録を消してください。',
  cap: `記録は ${MAX_ROWS.toLocaleString('en-US')} 回分までです。それより多くなったので、古いものから消して新しい記録を残しています。`,
};

const DIGITS = /^\d{1,4}$/;
const RESULT = /^\d{1,6}(?:\.\d{1,6})?cm$/;
const ID = /^[\w.:#-]{1,64}$/;

// Checks one run as the page hands it over; a wrong field is a fault in the
// page's wiring, named so that it is found at once. A value the window's
// scroll bars cannot show is refused here too, or the record that kept it
// would be unreadable the next time the page opens.
function runFrom(run) {
  if (!run || typeof run !== 'object') throw new TypeError('record: addRun needs a run object');
  const row = {};
  for (const s of NUMERIC) {
    const text = String(run[s.key] ?? '').trim();
    if (!DIGITS.test(text)) throw new TypeError(`record: ${s.key} must be the digits its label shows, got ${JSON.stringify(run[s.key])}`);
    const value = Number(text);
    if (value < s.min || value > s.max || (value - s.min) % s.step !== 0) {
      throw new TypeError(`record: ${s.key} must be ${s.min} to ${s.max} in steps of ${s.step}, got ${JSON.stringify(run[s.key])}`);
    }
    row[s.key] = text;
  }
  const speed = String(run.speed ?? '').trim();
  if (!SPEEDS.includes(speed)) throw new TypeError(`record: speed must be 速, 中 or 遅, got ${JSON.stringify(run.speed)}`);
  row.speed = speed;
  const result = String(run.result ?? '').trim();
  if (!RESULT.test(result)) throw new TypeError(`record: result must be the text kekka shows (e.g. "37.9cm"), got ${JSON.stringify(run.result)}`);
  row.result = result;
  return row;
}

const isTime = (value) => Number.isInteger(value) && value >= 0 && value <= MAX_TIME;

function storedRow(value) {
  if (!value || typeof value !== 'object' || !Number.isInteger(value.n) || value.n < 1 || value.n > MAX_RUN) return null;
  if (value.id !== undefined && !(typeof value.id === 'string' && ID.test(value.id))) return null;
  if (value.at !== undefined && !isTime(value.at)) return null;
  try {
    // A row from before rows had times counts as older than any clear.
    return { n: value.n, id: value.id, at: value.at ?? 0, ...runFrom(value) };
  } catch {
    return null;
  }
}

const byText = (a, b) => (a < b ? -1 : a > b ? 1 : 0);

// Puts rows from several copies of the record together, the same way in
// every tab: one row per id (the highest number it was given), none from
// before the last clear, in the order of their numbers (a tie by the time
// the run ended, then by id), each number used once. A row keeps its number
// unless a row before it has it already; then it moves up.
function settle(rows, clearedAt) {
  const byId = new Map();
  for (const row of rows) {
    if (clearedAt > 0 && row.at <= clearedAt) continue;
    const seen = byId.get(row.id);
    if (!seen || row.n > seen.n) byId.set(row.id, row);
  }
  const sorted = [...byId.values()].sort((a, b) => a.n - b.n || a.at - b.at || byText(a.id, b.id));
  let last = 0;
  return sorted.map((row) => {
    const n = Math.max(row.n, last + 1);
    last = n;
    return n === row.n ? row : { ...row, n };
  });
}

// Reads what was stored: { rows, clearedAt } for a record this page can
// read, { problem } for one it cannot. Rows written before rows had ids get
// one from their number (and `idPrefix`), so that every tab that reads the
// same text gives the same row the same id.
export function parseRecord(text, idPrefix = 'n') {
  let data;
  try {
    data = JSON.parse(text);
  } catch {
    return { problem: 'set-aside' };
  }
  if (!data || typeof data !== 'object' || data.kind !== FORMAT || !Number.isInteger(data.version)) {
    return { problem: 'set-aside' };
  }
  if (data.version !== VERSION) return { problem: 'other-version' };
  if (!Array.isArray(data.rows)) return { problem: 'set-aside' };
  const clearedAt = data.clearedAt ?? 0;
  if (!isTime(clearedAt)) return { problem: 'set-aside' };
  const rows = data.rows.map(storedRow);
  if (rows.some((row) => !row)) return { problem: 'set-aside' };
  const given = new Map();
  for (const row of rows) {
    if (row.id !== undefined) continue;
    const times = (given.get(row.n) ?? 0) + 1;
    given.set(row.n, times);
    row.id = times === 1 ? `${idPrefix}${row.n}` : `${idPrefix}${row.n}-${times}`;
  }
  return { rows: settle(rows, clearedAt), clearedAt };
}

const serialise = (rows, clearedAt) => JSON.stringify({
  kind: FORMAT,
  version: VERSION,
  ...(clearedAt > 0 ? { clearedAt } : {}),
  rows: rows.map(({ n, id, at, ...run }) => ({ n, ...run, id, ...(at > 0 ? { at } : {}) })),
});

// A short name for a key, to tell apart the ids of rows carried over from
// the records the page once kept per address (FNV-1a).
function keyTag(key) {
  let hash = 0x811c9dc5;
  for (let i = 0; i < key.length; i++) hash = Math.imul(hash ^ key.charCodeAt(i), 0x01000193) >>> 0;
  return hash.toString(36);
}
const SET_ASIDE = /:set-aside:[\dTZ-]+$/;

// The CSV a spreadsheet opens with its Japanese header intact: UTF-8 with a
// byte-order mark (Excel on Windows reads it as Shift_JIS otherwise), CRLF
// line ends, one header row, the cells as the table shows them.
export function csvText(rows) {
  const cell = (value) => {
    const text = String(value);
    return /[",\r\n]/.test(text) ? `"${text.replace(/"/g, '""')}"` : text;
  };
  const lines = [HEADER, ...rows.map((row) => [row.n, ...SETTINGS.map((s) => row[s.key]), row.result])];
  return '\uFEFF' + lines.map((line) => line.map(cell).join(',')).join('\r\n') + '\r\n';
}

const resultCm = (row) => Number.parseFloat(row.result);

// The settings whose value is not the same in every recorded run.
export function differingSettings(rows) {
  return SETTINGS.filter((s) => rows.some((row) => row[s.key] !== rows[0][s.key])).map((s) => s.key);
}

function defaultAxis(differing) {
  return PREFERRED_AXIS.find((key) => differing.includes(key)) ?? 'm1';
}

// The chart's series: runs that share every setting but the one along the
// horizontal axis, in the order their first run was made.
export function seriesOf(rows, axis) {
  const others = SETTINGS.filter((s) => s.key !== axis);
  const byKey = new Map();
  for (const row of rows) {
    const key = others.map((s) => row[s.key]).join('|');
    if (!byKey.has(key)) byKey.set(key, { settings: Object.fromEntries(others.map((s) => [s.key, row[s.key]])), rows: [] });
    byKey.get(key).rows.push(row);
  }
  return [...byKey.values()];
}

// Where a setting's value lies along the horizontal axis, from 0 to 1.
function axisScale(setting, rows) {
  if (setting.categories) {
    const span = setting.categories.length - 1;
    return {
      ticks: setting.categories.map((c, i) => ({ text: c, at: (i + 0.5) / (span + 1) })),
      at: (value) => (setting.categories.indexOf(value) + 0.5) / (span + 1),
    };
  }
  const values = rows.map((row) => Number(row[setting.key]));
  const min = Math.min(setting.min, ...values);
  const max = Math.max(setting.max, ...values);
  const ticks = [];
  for (let v = min; v <= max; v += setting.step) ticks.push(v);
  // A little room at both ends, so that no point sits on the axis line.
  const at = (value) => 0.04 + 0.92 * ((Number(value) - min) / (max - min));
  return { ticks: ticks.map((v) => ({ text: String(v), at: at(v) })), at };
}

function resultScale(rows) {
  const top = Math.max(10, ...rows.map(resultCm).filter(Number.isFinite));
  const step = [5, 10, 20, 50, 100, 200, 500, 1000, 10000, 100000].find((s) => top / s <= 8) ?? 1000000;
  const max = Math.ceil(top / step) * step;
  const ticks = [];
  for (let v = 0; v <= max; v += step) ticks.push(v);
  return { ticks, at: (value) => value / max };
}

const SVG = 'http://www.w3.org/2000/svg';
const COLOURS = ['#1f4fa8', '#c62828', '#2e7d32', '#6a1b9a', '#e65100', '#00838f', '#4e342e', '#ad1457'];
// Shapes as well as colours, so that series part on a black-and-white print.
const MARKS = [
  (x, y) => `M${x - 5} ${y}a5 5 0 1 0 10 0a5 5 0 1 0 -10 0Z`,
  (x, y) => `M${x - 4.5} ${y - 4.5}h9v9h-9Z`,
  (x, y) => `M${x} ${y - 6}l5.5 9.5h-11Z`,
  (x, y) => `M${x} ${y - 6}l6 6l-6 6l-6 -6Z`,
];

function svg(name, attributes = {}, text) {
  const element = document.createElementNS(SVG, name);
  for (const [key, value] of Object.entries(attributes)) element.setAttribute(key, String(value));
  if (text !== undefined) element.textContent = text;
  return element;
}

function html(name, attributes = {}, text) {
  const element = document.createElement(name);
  for (const [key, value] of Object.entries(attributes)) element.setAttribute(key, String(value));
  if (text !== undefined) element.textContent = text;
  return element;
}

const BOX = { width: 640, height: 380, left: 72, right: 20, top: 20, bottom: 64 };

function drawChart(target, rows, axis) {
  const setting = SETTINGS.find((s) => s.key === axis);
  const plotWidth = BOX.width - BOX.left - BOX.right;
  const plotHeight = BOX.height - BOX.top - BOX.bottom;
  const xs = axisScale(setting, rows);
  const ys = resultScale(rows);
  const px = (value) => BOX.left + xs.at(value) * plotWidth;
  const py = (cm) => BOX.top + plotHeight - ys.at(cm) * plotHeight;

  const chart = svg('svg', {
    viewBox: `0 0 ${BOX.width} ${BOX.height}`,
    role: 'img',
    'aria-label': `グラフ：横は${label(setting)}、縦は${RESULT_NAME} (cm)。数は表と同じです。`,
    'data-axis': axis,
  });
  const grid = svg('g', { class: 'record-grid' });
  for (const v of ys.ticks) {
    const y = py(v);
    grid.append(svg('line', { x1: BOX.left, x2: BOX.left + plotWidth, y1: y, y2: y }));
    chart.append(svg('text', { x: BOX.left - 8, y: y + 4, 'text-anchor': 'end', class: 'record-tick' }, String(v)));
  }
  for (const tick of xs.ticks) {
    const x = BOX.left + tick.at * plotWidth;
    grid.append(svg('line', { x1: x, x2: x, y1: BOX.top, y2: BOX.top + plotHeight }));
    chart.append(svg('text', { x, y: BOX.top + plotHeight + 20, 'text-anchor': 'middle', class: 'record-tick' }, tick.text));
  }
  chart.prepend(grid);
  chart.append(svg('path', {
    class: 'record-axes',
    d: `M${BOX.left} ${BOX.top}V${BOX.top + plotHeight}H${BOX.left + plotWidth}`,
  }));
  chart.append(svg('text', {
    x: BOX.left + plotWidth / 2, y: BOX.height - 12, 'text-anchor': 'middle', class: 'record-axis-name',
  }, label(setting)));
  const yMiddle = BOX.top + plotHeight / 2;
  chart.append(svg('text', {
    x: 18, y: yMiddle, 'text-anchor': 'middle', class: 'record-axis-name',
    transform: `rotate(-90 18 ${yMiddle})`,
  }, `${RESULT_NAME} (cm)`));

  const series = seriesOf(rows, axis);
  series.forEach((one, index) => {
    const colour = COLOURS[index % COLOURS.length];
    const mark = MARKS[index % MARKS.length];
    const points = one.rows
      .filter((row) => Number.isFinite(resultCm(row)))
      .sort((a, b) => xs.at(a[axis]) - xs.at(b[axis]) || a.n - b.n);
    const group = svg('g', { class: 'record-series', 'data-series': index + 1 });
    if (points.length > 1) {
      group.append(svg('polyline', {
        points: points.map((row) => `${px(row[axis])},${py(resultCm(row))}`).join(' '),
        fill: 'none', stroke: colour, 'stroke-width': 2,
      }));
    }
    for (const row of points) {
      const point = svg('path', {
        d: mark(px(row[axis]), py(resultCm(row))), fill: colour, stroke: '#ffffff', 'stroke-width': 1,
        'data-run': row.n, class: 'record-point',
      });
      point.append(svg('title', {}, `${row.n}回目: ${setting.name} ${row[axis]}${setting.unit} → ${row.result}`));
      group.append(point);
    }
    chart.append(group);
  });
  target.replaceChildren(chart);

  // The legend says what sets one series apart from the others.
  if (series.length < 2) return null;
  const varying = SETTINGS.filter((s) => s.key !== axis && series.some((x) => x.settings[s.key] !== series[0].settings[s.key]));
  const legend = html('ul', { class: 'record-legend' });
  series.forEach((one, index) => {
    const item = html('li');
    const key = svg('svg', { viewBox: '0 0 16 16', width: 16, height: 16, 'aria-hidden': 'true' });
    key.append(svg('path', { d: MARKS[index % MARKS.length](8, 8), fill: COLOURS[index % COLOURS.length] }));
    item.append(key, document.createTextNode(varying.map((s) => `${s.name} ${one.settings[s.key]}${s.unit}`).join('、')));
    legend.append(item);
  });
  return legend;
}

let idCounter = 0;

// An id no other run in any tab is given.
function newRowId(view, at) {
  const words = new Uint32Array(2);
  if (view.crypto?.getRandomValues) view.crypto.getRandomValues(words);
  else for (let i = 0; i < 2; i++) words[i] = Math.floor(Math.random() * 2 ** 32);
  return `${at.toString(36)}-${[...words].map((w) => w.toString(36)).join('')}`;
}

// Builds the record in `host` and returns { addRun(run), rows() }.
//   storage    a Storage (window.localStorage), or null where there is none
//   announce   told each short text the record says through its own live
//              region
//   storageKey where this page's record is kept, whatever its address
//   address    the page's path: the page once kept a record per address
//              (under `${storageKey}:${path}`), and this one's is carried
//              over first
/**
 * @param {{ host?: HTMLElement, storage?: Storage | null, announce?: (text: string) => void,
 *   storageKey?: string, address?: string | null }} options
 */
export function mountRecord({ host, storage = null, announce = () => {}, storageKey = 'shoutotsu.record.v1', address = null } = {}) {
  if (!host || typeof host.append !== 'function') throw new TypeError('record: mountRecord needs a host element');
  const view = host.ownerDocument.defaultView;
  const id = `record-${++idCounter}`;
  let rows = [];
  let clearedAt = 0; // when the record was last cleared, in any tab
  let canWrite = Boolean(storage);
  let blocked = false; // an unreadable record that could not be set aside
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

  // --- storage ---------------------------------------------------------------
  function save() {
    if (!canWrite) return;
    try {
      storage.setItem(storageKey, serialise(rows, clearedAt));
    } catch {
      notice('memory');
    }
  }

  // Keeps an unreadable record under a key of its own, so that nothing the
  // learner had is overwritten; false if even that cannot be written.
  function setAside(text) {
    try {
      const stamp = new Date().toISOString().replace(/[:.]/g, '-');
      let key = `${storageKey}:set-aside:${stamp}`;
      for (let i = 2; storage.getItem(key) !== null; i++) key = `${storageKey}:set-aside:${stamp}-${i}`;
      storage.setItem(key, text);
      return storage.getItem(key) === text;
    } catch {
      return false;
    }
  }

  function keepNewest(list) {
    if (list.length <= MAX_ROWS) return list;
    notice('cap');
    return list.slice(list.length - MAX_ROWS);
  }

  // The records once kept per address, joined into this one: this address's
  // first, then the others by name, each run after the last one before it.
  // An old record is removed only once the joined one is stored and reads
  // back, and only if all its rows made it in.
  function carryOver() {
    const prefix = `${storageKey}:/`;
    const first = address === null ? null : `${storageKey}:${address}`;
    const sources = [];
    try {
      const keys = [];
      for (let i = 0; i < storage.length; i++) keys.push(storage.key(i));
      const old = keys.filter((key) => key?.startsWith(prefix) && !SET_ASIDE.test(key))
        .sort((a, b) => Number(b === first) - Number(a === first) || byText(a, b));
      for (const key of old) {
        const read = parseRecord(storage.getItem(key), `${keyTag(key)}-`);
        if (read.rows?.length) sources.push({ key, rows: read.rows });
      }
    } catch {
      return;
    }
    if (sources.length === 0) return;
    let last = 0;
    const joined = sources.flatMap((source) => source.rows.map((row) => {
      const n = Math.max(row.n, last + 1);
      last = n;
      return n === row.n ? row : { ...row, n };
    }));
    rows = keepNewest(joined);
    const text = serialise(rows, clearedAt);
    try {
      storage.setItem(storageKey, text);
      if (storage.getItem(storageKey) !== text) return;
      const kept = new Set(rows.map((row) => row.id));
      for (const source of sources) {
        if (source.rows.every((row) => kept.has(row.id))) storage.removeItem(source.key);
      }
    } catch {
      notice('memory');
    }
  }

  function load() {
    if (!storage) {
      notice('memory');
      return;
    }
    let text;
    try {
      text = storage.getItem(storageKey);
    } catch {
      canWrite = false;
      notice('memory');
      return;
    }
    if (text === null) {
      carryOver();
      return;
    }
    const read = parseRecord(text);
    if (read.rows) {
      clearedAt = read.clearedAt;
      rows = keepNewest(read.rows);
      if (rows.length !== read.rows.length) save();
      return;
    }
    if (setAside(text)) {
      notice(read.problem);
      save();
    } else {
      canWrite = false;
      blocked = true;
      notice('set-aside-failed');
    }
  }

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
    for (const row of rows) fragment.append(rowElement(row));
    body.replaceChildren(fragment);
    empty.hidden = rows.length > 0;
    csvButton.disabled = rows.length === 0;
    clearButton.disabled = rows.length === 0 && !blocked;

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
    const blob = new Blob([csvText(rows)], { type: 'text/csv;charset=utf-8' });
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
    // the learner's way to let it go. The runs made since stay, now kept.
    if (blocked) {
      if (!view.confirm('前に保存されていた記録は 読み取れないので、消します。消すと、これからの記録を保存できるようになります。消した記録は もどせません。よろしいですか？')) return;
      try {
        storage.removeItem(storageKey);
      } catch {
        notice('memory');
        return;
      }
      blocked = false;
      canWrite = true;
      withdraw('set-aside-failed');
      save();
      render();
      title.focus();
      say('読み取れない記録を消しました');
      return;
    }
    if (rows.length === 0) return;
    if (!view.confirm(`記録（${rows.length}回分）をすべて消します。消した記録は もどせません。よろしいですか？`)) return;
    // Later than every run this tab shows, so that another tab's copy of
    // them does not bring them back.
    clearedAt = Math.max(Date.now(), clearedAt + 1, ...rows.map((row) => row.at));
    rows = [];
    axisChoice = null;
    save();
    render();
    title.focus();
    say('記録を消しました');
  });

  // Another tab of the same page wrote the record. Its copy and this one's
  // are put together the same way in both tabs, so a run either tab made is
  // kept whichever wrote last; this tab writes back only when it holds
  // something the other copy lacks, so the two do not answer each other
  // forever.
  view.addEventListener('storage', (event) => {
    if (!canWrite || event.storageArea !== storage || (event.key !== storageKey && event.key !== null)) return;
    // Removed, or the whole storage emptied: the learner (or the browser's
    // settings) let the record go, so this copy goes too.
    if (event.key === null || event.newValue === null) {
      rows = [];
    } else {
      const read = parseRecord(event.newValue);
      if (!read.rows) return;
      clearedAt = Math.max(clearedAt, read.clearedAt);
      rows = keepNewest(settle([...rows, ...read.rows], clearedAt));
      if (serialise(rows, clearedAt) !== event.newValue) save();
    }
    render();
  });

  load();
  render();

  return {
    addRun(run) {
      const at = Math.max(Date.now(), clearedAt + 1);
      const row = { n: (rows.length ? rows[rows.length - 1].n : 0) + 1, id: newRowId(view, at), at, ...runFrom(run) };
      rows = keepNewest([...rows, row]);
      save();
      render();
      say(`${row.n}回目: ${row.result}`);
      return row.n;
    },
    rows: () => rows.map((row) => ({ ...row })),
  };
}
