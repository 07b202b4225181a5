// The class's record: its store, its view, and the teacher's actions turned
// into the store's calls. The teacher adds every group's file at once
// (chosen or dropped) and sees one table and one chart; another tab's
// changes arrive through the store.
import { html } from '../dom.js';
import { csvText } from '../runs/table_text.js';
import { download } from '../record/record_share.js';
import { checker } from './class_check.js';
import { fileQueue } from './class_files.js';
import { ClassStore, rowCount } from './class_store.js';
import { classView, drawClassChart, drawMessages, drawTable, drawTexts } from './class_view.js';
import { onTableChange, text } from '../i18n/text.js';
import { setText, textElement } from '../furigana/furigana_text.js';

/**
 * @typedef {import('./class_view.js').ClassParts} ClassParts
 * @typedef {import('./class_check.js').ResultFor} ResultFor
 * @typedef {import('../runs/stored_part.js').NoticeKind} NoticeKind
 */

/** @type {Record<NoticeKind, string>} */
const NOTICES = {
  memory: 'classStoreMemory', 'set-aside': 'classStoreSetAside', 'other-version': 'classStoreSetAside',
  'set-aside-failed': 'classStoreBlocked',
};

let idCounter = 0;

/**
 * Draws the store's state; the table and the chart only while the section
 * is open.
 * @param {ClassParts} parts
 * @param {ClassStore} store
 * @param {{ axis: string | null, wrong: (row: import('./class_store.js').ClassRow) => boolean }} state
 */
function render(parts, store, state) {
  const groups = store.groups;
  const count = rowCount(groups);
  setText(parts.heading, count ? text('classTitleCount', { groups: groups.length, rows: count }) : text('classTitle'));
  parts.empty.hidden = count > 0;
  parts.sheetBox.hidden = count === 0;
  parts.namesBox.hidden = groups.length === 0;
  parts.csv.disabled = count === 0;
  parts.clear.disabled = count === 0 && !store.blocked;
  if (!parts.section.open) return;
  drawNames(parts, store);
  parts.mismatchNote.hidden = true;
  drawTable(parts, groups, state.wrong, (marked) => {
    setText(parts.mismatchNote, text('classMismatchCount', { rows: marked, mismatch: text('classMismatch') }));
    parts.mismatchNote.hidden = marked === 0;
  });
  if (count) state.axis = drawClassChart(parts, groups, state.axis);
}

/**
 * The groups' names, each to rename or take out.
 * @param {ClassParts} parts
 * @param {ClassStore} store
 */
function drawNames(parts, store) {
  parts.names.replaceChildren(...store.groups.map((group) => {
    const field = html('input', { type: 'text', value: group.name, maxlength: 40, 'aria-label': text('classGroupName', { name: group.name }) });
    field.addEventListener('change', () => store.rename(group, field.value));
    const remove = textElement('button', { type: 'button', 'aria-label': text('classRemoveLabel', { name: group.name }) }, text('classRemove'));
    remove.addEventListener('click', () => {
      store.remove(group);
      parts.input.focus();
    });
    const item = html('li');
    item.append(field, remove);
    return item;
  }));
}

/**
 * Builds the section in `host` and returns { addFiles(files), groups() }.
 * @param {{ host: HTMLElement, storage?: Storage | null, storageKey?: string, resultFor: ResultFor }} options
 */
export function mountClassRecord({ host, storage = null, storageKey, resultFor }) {
  const parts = classView(`class-record-${++idCounter}`);
  host.replaceChildren(parts.region);
  /** @type {Set<NoticeKind>} */
  const shown = new Set();
  const notice = (/** @type {NoticeKind} */ kind) => {
    if (shown.has(kind)) return;
    shown.add(kind);
    parts.notices.append(textElement('p', { class: 'record-notice', 'data-notice': NOTICES[kind] }, text(NOTICES[kind])));
  };
  const store = new ClassStore({ storage, notice, ...(storageKey ? { key: storageKey } : {}) });
  const state = { axis: /** @type {string | null} */ (null), wrong: checker(resultFor) };
  store.onChange(() => render(parts, store, state));
  const addFiles = fileQueue(text, store, {
    reading: (file, n, count) => drawMessages(parts, [['reading', text('classReading', { file, n, count })]]),
    done: (said) => drawMessages(parts, said),
  });
  listen(parts, store, state, addFiles);
  onTableChange(() => {
    drawTexts(parts);
    for (const element of parts.notices.querySelectorAll('[data-notice]')) setText(/** @type {HTMLElement} */ (element), text(/** @type {HTMLElement} */ (element).dataset.notice ?? ''));
    render(parts, store, state);
  });
  drawTexts(parts);
  // Read after the page's first frame, so that a full class costs the
  // page's start nothing.
  const view = /** @type {Window} */ (host.ownerDocument.defaultView);
  view.requestAnimationFrame(() => view.setTimeout(() => store.load(), 0));
  return { addFiles, groups: () => store.groups };
}

/**
 * The teacher's actions, as the store's calls.
 * @param {ClassParts} parts
 * @param {ClassStore} store
 * @param {{ axis: string | null, wrong: (row: import('./class_store.js').ClassRow) => boolean }} state
 * @param {(files: Iterable<File>) => Promise<void>} addFiles
 */
function listen(parts, store, state, addFiles) {
  const view = /** @type {Window} */ (parts.section.ownerDocument.defaultView);
  const { section, input } = parts;
  section.addEventListener('toggle', () => render(parts, store, state));
  input.addEventListener('change', () => {
    const files = [...(input.files ?? [])];
    input.value = '';
    addFiles(files);
  });
  const carriesFiles = (/** @type {DragEvent} */ event) => [...(event.dataTransfer?.types ?? [])].includes('Files');
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
    addFiles(event.dataTransfer?.files ?? []);
  });
  parts.sheet.select.addEventListener('change', () => {
    state.axis = parts.sheet.select.value;
    render(parts, store, state);
    parts.sheet.select.focus();
  });
  parts.csv.addEventListener('click', () => {
    const rows = store.groups.flatMap((group) => group.rows.map((row) => ({ ...row, group: group.name, id: '', at: 0 })));
    download(new Blob([csvText(text, rows, { group: true })], { type: 'text/csv;charset=utf-8' }), 'shoutotsu-class', 'csv', section);
  });
  parts.clear.addEventListener('click', () => {
    const rows = rowCount(store.groups);
    const question = store.blocked && rows === 0
      ? text('classClearBlockedConfirm') : text('classClearConfirm', { groups: store.groups.length, rows });
    if (!view.confirm(question) || !store.clear()) return;
    state.axis = null;
    drawMessages(parts, [['cleared', text('classCleared')]]);
    parts.notices.querySelector('[data-notice="classStoreBlocked"]')?.remove();
    input.focus();
  });
  view.addEventListener('storage', (event) => store.heard(event));
}
