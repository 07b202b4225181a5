// The class's record under the learner's: the teacher adds every group's
// CSV file at once (chosen or dropped), and sees one table of every row,
// each checked against the experiment, and one chart with a series per
// group. The files are read in class_files.js, the rows put together in
// class_rows.js, the chart drawn in class_chart.js and the record kept in
// class_store.js; this is the section that shows them.
import { differingAxes, drawClassChart } from './class_chart.js';
import { columnName, MAX_FILE_BYTES, readGroupFile, ROW_KEYS } from './class_files.js';
import { chartSettings, classCsv, editedName, joinGroup, mismatchedRows } from './class_rows.js';
import { ClassStore } from './class_store.js';
import { html } from '../dom.js';
import { onTableChange, text } from '../i18n/text.js';

let idCounter = 0;

/**
 * Builds the section in `host` and returns { addFiles(files), groups() }.
 * @param {{ host: HTMLElement, storage?: Storage | null, storageKey?: string,
 *   resultFor: (height: number, length: number, m1: number, m2: number, r1: number, r2: number) => string }} options
 */
export function mountClassRecord({ host, storage = null, storageKey, resultFor }) {
  const view = host.ownerDocument.defaultView;
  const id = `class-record-${++idCounter}`;
  const section = html('details', { class: 'class-record', 'data-control': 'class-record', 'data-print': 'hide' });
  const summary = html('summary');
  const heading = html('h2', { id: `${id}-title` });
  summary.append(heading);
  const help = html('p', { class: 'class-help' });
  const chooseLabel = html('label', { class: 'class-choose' });
  const chooseWords = html('span');
  const input = html('input', { type: 'file', multiple: '', accept: '.csv,text/csv', 'data-control': 'class-files' });
  chooseLabel.append(chooseWords, input);
  const notices = html('div', { class: 'record-notices', role: 'status' });
  const messages = html('ul', { class: 'class-messages', role: 'status' });
  const namesBox = html('fieldset', { class: 'class-groups' });
  const namesLegend = html('legend');
  const names = html('ul');
  namesBox.append(namesLegend, names);
  const csvButton = html('button', { type: 'button', 'data-control': 'class-csv' }, 'CSV');
  const clearButton = html('button', { type: 'button', 'data-control': 'class-clear' });
  const actions = html('p', { class: 'record-actions' });
  actions.append(csvButton, clearButton);
  const empty = html('p', { class: 'record-empty' });
  const mismatchNote = html('p', { class: 'class-mismatch-note' });

  const tableBox = html('div', { class: 'record-table', role: 'region', 'aria-labelledby': `${id}-caption`, tabindex: '0' });
  const table = html('table');
  const caption = html('caption', { id: `${id}-caption` });
  const headRow = html('tr');
  const head = html('thead');
  head.append(headRow);
  const body = html('tbody');
  table.append(caption, head, body);
  tableBox.append(table);
  const chartBox = html('figure', { class: 'record-chart' });
  const choice = html('p', { class: 'record-axis-choice' });
  const choiceLabel = html('label', { for: `${id}-axis` });
  const select = html('select', { id: `${id}-axis`, 'data-control': 'class-axis' });
  choice.append(choiceLabel, select);
  const drawing = html('div', { class: 'record-drawing' });
  const chartCaption = html('figcaption');
  chartBox.append(choice, drawing, chartCaption);
  const sheet = html('div', { class: 'class-sheet' });
  sheet.append(tableBox, chartBox);
  section.append(summary, help, chooseLabel, notices, messages, actions, namesBox, empty, mismatchNote, sheet);
  host.replaceChildren(section);

  const shown = new Set();
  const store = new ClassStore({
    storage,
    ...(storageKey ? { key: storageKey } : {}),
    notice: (key) => {
      if (shown.has(key)) return;
      shown.add(key);
      notices.append(html('p', { class: 'record-notice', 'data-notice': key }, text(key)));
    },
  });
  let groups = store.load();
  let mismatched = mismatchedRows(groups, resultFor);
  let axisChoice = null;

  // --- drawing -----------------------------------------------------------
  function renderNames() {
    names.replaceChildren(...groups.map((group) => {
      const item = html('li');
      const field = html('input', { type: 'text', value: group.name, maxlength: 40, 'aria-label': text('classGroupName', { name: group.name }) });
      field.addEventListener('change', () => {
        group.name = editedName(field.value, group.name);
        field.value = group.name;
        field.setAttribute('aria-label', text('classGroupName', { name: group.name }));
        remove.setAttribute('aria-label', text('classRemoveLabel', { name: group.name }));
        store.save(groups);
        render();
      });
      const remove = html('button', { type: 'button', 'aria-label': text('classRemoveLabel', { name: group.name }) }, text('classRemove'));
      remove.addEventListener('click', () => {
        groups = groups.filter((one) => one !== group);
        store.save(groups);
        renderNames();
        render();
        input.focus();
      });
      item.append(field, remove);
      return item;
    }));
    namesBox.hidden = groups.length === 0;
  }

  function rowElement(group, row) {
    const wrong = mismatched.has(row);
    const tr = html('tr', wrong ? { 'data-mismatch': 'true' } : {});
    tr.append(html('th', { scope: 'row' }, group.name));
    for (const key of ROW_KEYS) tr.append(html('td', {}, row[key]));
    tr.append(html('td', {}, wrong ? text('classMismatch') : ''));
    return tr;
  }

  function render() {
    const rows = groups.flatMap((group) => group.rows);
    heading.textContent = rows.length ? text('classTitleCount', { groups: groups.length, rows: rows.length }) : text('classTitle');
    headRow.replaceChildren(...[text('classColumnGroup'), ...ROW_KEYS.map(columnName), text('classColumnCheck')]
      .map((name) => html('th', { scope: 'col' }, name)));
    const fragment = host.ownerDocument.createDocumentFragment();
    for (const group of groups) for (const row of group.rows) fragment.append(rowElement(group, row));
    body.replaceChildren(fragment);
    const marked = rows.filter((row) => mismatched.has(row)).length;
    mismatchNote.textContent = text('classMismatchCount', { rows: marked, mismatch: text('classMismatch') });
    mismatchNote.hidden = marked === 0;
    empty.hidden = rows.length > 0;
    sheet.hidden = rows.length === 0;
    csvButton.disabled = rows.length === 0;
    clearButton.disabled = rows.length === 0 && !store.blocked;
    if (rows.length === 0) return;

    const settings = chartSettings();
    const { differing, first } = differingAxes(settings, rows);
    if (!differing.includes(axisChoice)) axisChoice = null;
    const axis = settings.find((s) => s.key === (axisChoice ?? first));
    choice.hidden = differing.length < 2;
    select.replaceChildren(...settings.filter((s) => differing.includes(s.key)).map((s) => {
      const option = html('option', { value: s.key }, s.label);
      option.selected = s === axis;
      return option;
    }));
    chartCaption.replaceChildren(drawClassChart(drawing, groups, axis));
  }

  function words() {
    help.textContent = text('classHelp');
    chooseWords.textContent = text('classChoose');
    namesLegend.textContent = text('classGroups');
    clearButton.textContent = text('classClear');
    csvButton.title = text('classCsvTitle');
    empty.textContent = text('classEmpty');
    caption.textContent = text('classCaption');
    choiceLabel.textContent = text('classAxis');
    for (const key of shown) notices.querySelector(`[data-notice="${key}"]`).textContent = text(key);
    renderNames();
    render();
  }

  // --- adding files ------------------------------------------------------
  // One file after another, in the order given; a file that is refused
  // leaves everything else as it was.
  async function add(files) {
    const said = [];
    for (const file of files) {
      const where = { file: file.name };
      if (file.size > MAX_FILE_BYTES) {
        said.push(['refused', text('classFileTooBig', where)]);
        continue;
      }
      let bytes;
      try {
        bytes = new Uint8Array(await file.arrayBuffer());
      } catch {
        said.push(['refused', text('classFileUnread', where)]);
        continue;
      }
      const read = readGroupFile(file.name, bytes);
      if ('error' in read) {
        said.push(['refused', read.error]);
        continue;
      }
      const joined = joinGroup(groups, read.group, file.name);
      groups = joined.groups;
      said.push(joined.said);
    }
    store.save(groups);
    mismatched = mismatchedRows(groups, resultFor);
    messages.replaceChildren(...said.map(([kind, words]) => html('li', { 'data-message': kind }, words)));
    renderNames();
    render();
  }
  let queue = Promise.resolve();
  const addFiles = (files) => (queue = queue.then(() => add([...files])));

  input.addEventListener('change', () => {
    const files = [...(input.files ?? [])];
    input.value = '';
    addFiles(files);
  });
  const carriesFiles = (event) => [...(event.dataTransfer?.types ?? [])].includes('Files');
  section.addEventListener('dragover', (event) => {
    if (!carriesFiles(event)) return;
    event.preventDefault();
    section.classList.add('class-drop');
  });
  section.addEventListener('dragleave', () => section.classList.remove('class-drop'));
  section.addEventListener('drop', (event) => {
    if (!carriesFiles(event)) return;
    event.preventDefault();
    section.classList.remove('class-drop');
    section.open = true;
    addFiles(event.dataTransfer.files);
  });

  // --- the buttons -------------------------------------------------------
  select.addEventListener('change', () => {
    axisChoice = select.value;
    render();
    select.focus();
  });

  csvButton.addEventListener('click', () => {
    const url = URL.createObjectURL(new Blob([classCsv(groups)], { type: 'text/csv;charset=utf-8' }));
    const now = new Date();
    const two = (n) => String(n).padStart(2, '0');
    const link = html('a', {
      href: url,
      download: `shoutotsu-class-${now.getFullYear()}${two(now.getMonth() + 1)}${two(now.getDate())}-${two(now.getHours())}${two(now.getMinutes())}.csv`,
    });
    link.hidden = true;
    section.append(link);
    link.click();
    link.remove();
    // Some browsers start reading the file only after the click returns.
    view.setTimeout(() => URL.revokeObjectURL(url), 60000);
  });

  clearButton.addEventListener('click', () => {
    const rows = groups.reduce((sum, group) => sum + group.rows.length, 0);
    const question = store.blocked && rows === 0
      ? text('classClearBlockedConfirm')
      : text('classClearConfirm', { groups: groups.length, rows });
    if (!view.confirm(question)) return;
    if (!store.clear()) return;
    groups = [];
    mismatched = new Set();
    axisChoice = null;
    messages.replaceChildren(html('li', { 'data-message': 'cleared' }, text('classCleared')));
    notices.querySelector('[data-notice="classStoreBlocked"]')?.remove();
    shown.delete('classStoreBlocked');
    renderNames();
    render();
    input.focus();
  });

  onTableChange(words);
  words();
  return { addFiles, groups: () => groups };
}
