// The record under the window: one row per finished run, the chart of the
// result against one setting, the CSV for the class's spreadsheet, and the
// browser's local storage so that a reload or a closed tab loses nothing.
//
// The page hands over each finished run with the texts the window's labels
// show; nothing here recomputes a value the core produced.

const FORMAT = 'shoutotsu-record';
const VERSION = 1;
export const MAX_ROWS = 1000;

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
const NUMERIC = SETTINGS.filter((s) => !s.categories).map((s) => s.key);
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
    '前に保存されていた記録が読み取れません。その記録を消さないように、今の記録は保存しません。記録は、このページを閉じるまでのあいだだけ残ります。',
  cap: `記録は ${MAX_ROWS.toLocaleString('en-US')} 回分までです。それより多くなったので、古いものから消して新しい記録を残しています。`,
};

const DIGITS = /^\d{1,4}$/;
const RESULT = /^\d{1,6}(?:\.\d{1,6})?cm$/;

// Checks one run as the page hands it over; a wrong field is a fault in the
// page's wiring, named so that it is found at once.
function runFrom(run) {
  if (!run || typeof run !== 'object') throw new TypeError('record: addRun needs a run object');
  const row = {};
  for (const key of NUMERIC) {
    const text = String(run[key] ?? '').trim();
    if (!DIGITS.test(text)) throw new TypeError(`record: ${key} must be the digits its label shows, got ${JSON.stringify(run[key])}`);
    row[key] = text;
  }
  const speed = String(run.speed ?? '').trim();
  if (!SPEEDS.includes(speed)) throw new TypeError(`record: speed must be 速, 中 or 遅, got ${JSON.stringify(run.speed)}`);
  row.speed = speed;
  const result = String(run.result ?? '').trim();
  if (!RESULT.test(result)) throw new TypeError(`record: result must be the text kekka shows (e.g. "37.9cm"), got ${JSON.stringify(run.result)}`);
  row.result = result;
  return row;
}

function storedRow(value) {
  if (!value || typeof value !== 'object' || !Number.isInteger(value.n) || value.n < 1) return null;
  try {
    return { n: value.n, ...runFrom(value) };
  } catch {
    return null;
  }
}

// Reads what was stored: { rows } for a record this page can read,
// { problem } for one it cannot.
export function parseRecord(text) {
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
  const rows = data.rows.map(storedRow);
  if (rows.some((row) => !row)) return { problem: 'set-aside' };
  return { rows };
}

const serialise = (rows) => JSON.stringify({ kind: FORMAT, version: VERSION, rows });

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

// Builds the record in `host` and returns { addRun(run), rows() }.
//   storage    a Storage (window.localStorage), or null where there is none
//   announce   says a short text through the page's live region
//   storageKey where this page's record is kept
export function mountRecord({ host, storage = null, announce = () => {}, storageKey = 'shoutotsu.record.v1' } = {}) {
  if (!host || typeof host.append !== 'function') throw new TypeError('record: mountRecord needs a host element');
  const view = host.ownerDocument.defaultView;
  const id = `record-${++idCounter}`;
  let rows = [];
  let canWrite = Boolean(storage);
  let axisChoice = null; // the learner's own choice of the chart's setting
  const shown = new Set();

  // --- the section ---------------------------------------------------------
  const section = html('section', { class: 'record', 'data-control': 'record', 'aria-labelledby': `${id}-title` });
  const title = html('h2', { id: `${id}-title`, tabindex: '-1' }, '記録');
  const notices = html('div', { class: 'record-notices', role: 'status' });
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

  section.append(title, name, notices, actions, empty, tableBox, chartBox);
  host.replaceChildren(section);

  function notice(kind) {
    if (shown.has(kind)) return;
    shown.add(kind);
    notices.append(html('p', { class: 'record-notice', 'data-notice': kind }, NOTICES[kind]));
  }

  // --- storage ---------------------------------------------------------------
  function save() {
    if (!canWrite) return;
    try {
      storage.setItem(storageKey, serialise(rows));
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
    if (text === null) return;
    const read = parseRecord(text);
    if (read.rows) {
      rows = keepNewest(read.rows);
      if (rows.length !== read.rows.length) save();
      return;
    }
    if (setAside(text)) {
      notice(read.problem);
      save();
    } else {
      canWrite = false;
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
    clearButton.disabled = rows.length === 0;

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
    if (rows.length === 0) return;
    if (!view.confirm(`記録（${rows.length}回分）をすべて消します。消した記録は もどせません。よろしいですか？`)) return;
    rows = [];
    axisChoice = null;
    save();
    render();
    title.focus();
    announce('記録を消しました');
  });

  // Another tab of the same page wrote the record: show what it keeps, so
  // that neither tab later overwrites the other's rows with an old copy.
  view.addEventListener('storage', (event) => {
    if (!canWrite || event.key !== storageKey || event.storageArea !== storage) return;
    if (event.newValue === null) {
      rows = [];
    } else {
      const read = parseRecord(event.newValue);
      if (!read.rows) return;
      rows = read.rows;
    }
    render();
  });

  load();
  render();

  return {
    addRun(run) {
      const row = { n: (rows.length ? rows[rows.length - 1].n : 0) + 1, ...runFrom(run) };
      rows = keepNewest([...rows, row]);
      save();
      render();
      announce(`${row.n}回目: ${row.result}`);
      return row.n;
    },
    rows: () => rows.map((row) => ({ ...row })),
  };
}
