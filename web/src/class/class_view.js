// The class's record on the page, drawn from its store: a section the
// teacher opens, with the help, the file chooser, what became of each file,
// the groups' names, one table of every row (each checked against the
// experiment) and one chart with a series per group. Nothing is drawn until
// the section is opened, and a long table is drawn a slice at a time, so
// that a full class costs the page's start nothing.
import { html } from '../dom.js';
import { defaultAxis, differingConditions, valueOf } from '../runs/chart_data.js';
import { drawChart, legend } from '../runs/chart_view.js';
import { COLUMNS, conditionLabel, conditionOf } from '../runs/columns.js';
import { cmText } from '../runs/distance.js';
import { sheetView } from '../runs/sheet_view.js';
import { cellsOf, columnName, TABLE_KEYS } from '../runs/table_text.js';
import { text } from '../i18n/text.js';
import { languageCode } from '../i18n/language.js';
import { setText, textElement } from '../furigana/furigana_text.js';

/**
 * @typedef {import('./class_store.js').Group} Group
 * @typedef {import('./class_store.js').ClassRow} ClassRow
 */

const SLICE_MS = 8; // the time the table takes per turn of the window

/** @param {string} id */
export function classView(id) {
  // A landmark of its own, so that everything in it is found by region.
  const region = html('section', { class: 'class-record-host', 'aria-labelledby': `${id}-title` });
  const section = html('details', { class: 'class-record', 'data-control': 'class-record', 'data-print': 'hide' });
  const summary = html('summary');
  const heading = html('h2', { id: `${id}-title` });
  summary.append(heading);
  const help = html('p', { class: 'class-help' });
  const chooseLabel = html('label', { class: 'class-choose' });
  const chooseWords = html('span');
  const input = html('input', { type: 'file', multiple: '', accept: '.csv,.tsv,.txt,text/csv,text/plain', 'data-control': 'class-files' });
  chooseLabel.append(chooseWords, input);
  const notices = html('div', { class: 'record-notices', role: 'status' });
  // The list inside the live region keeps its own list semantics.
  const said = html('div', { role: 'status' });
  const messages = html('ul', { class: 'class-messages' });
  said.append(messages);
  const namesBox = html('fieldset', { class: 'class-groups' });
  const namesLegend = html('legend');
  const names = html('ul');
  namesBox.append(namesLegend, names);
  const csv = html('button', { type: 'button', 'data-control': 'class-csv' }, 'CSV');
  const clear = html('button', { type: 'button', 'data-control': 'class-clear' });
  const actions = html('p', { class: 'record-actions' });
  actions.append(csv, clear);
  const empty = html('p', { class: 'record-empty' });
  const mismatchNote = html('p', { class: 'class-mismatch-note' });
  const sheet = sheetView(id, 'class-axis');
  const sheetBox = html('div', { class: 'class-sheet' });
  sheetBox.append(sheet.table, sheet.chart);
  section.append(summary, help, chooseLabel, notices, said, actions, namesBox, empty, mismatchNote, sheetBox);
  region.append(section);
  return {
    region, section, heading, help, chooseWords, input, notices, messages, namesBox, namesLegend, names,
    csv, clear, empty, mismatchNote, sheet, sheetBox, drawn: 0,
  };
}

/** @typedef {ReturnType<typeof classView>} ClassParts */

/** @param {ClassParts} parts */
export function drawTexts(parts) {
  setText(parts.help, text('classHelp'));
  setText(parts.chooseWords, text('classChoose'));
  setText(parts.namesLegend, text('classGroups'));
  setText(parts.clear, text('classClear'));
  parts.csv.title = text('classCsvTitle');
  setText(parts.empty, text('classEmpty'));
  setText(parts.sheet.caption, text('classCaption'));
  setText(parts.sheet.choiceLabel, text('classAxis'));
  parts.sheet.setHeader([columnName(text, 'group'), ...TABLE_KEYS.map((key) => columnName(text, key)), text('classColumnCheck')]);
}

/**
 * What the teacher is told of the last batch of files.
 * @param {ClassParts} parts
 * @param {[string, string][]} said
 */
export function drawMessages(parts, said) {
  parts.messages.replaceChildren(...said.map(([kind, words]) => textElement('li', { 'data-message': kind }, words)));
}

/**
 * @param {Group} group
 * @param {ClassRow} row
 * @param {boolean} wrong
 */
function rowElement(group, row, wrong) {
  const tr = html('tr', wrong ? { 'data-mismatch': 'true' } : {});
  const [name, ...cells] = cellsOf(text, { ...row, group: group.name, id: '', at: 0 }, ['group', ...TABLE_KEYS], languageCode());
  tr.append(textElement('th', { scope: 'row' }, name));
  for (const cell of cells) tr.append(textElement('td', {}, cell));
  tr.append(textElement('td', {}, wrong ? text('classMismatch') : ''));
  return tr;
}

/**
 * The table: each row put to the core a slice at a time (a slice is as
 * much as fits a few milliseconds), then every row drawn at once, so that
 * the table is laid out once; a newer drawing stops an older one. `done`
 * is told how many rows were marked.
 * @param {ClassParts} parts
 * @param {Group[]} groups
 * @param {(row: ClassRow) => boolean} wrong
 * @param {(marked: number) => void} done
 */
export function drawTable(parts, groups, wrong, done) {
  const pairs = groups.flatMap((group) => group.rows.map((row) => /** @type {const} */ ([group, row])));
  const drawing = ++parts.drawn;
  /** @type {boolean[]} */
  const marks = [];
  const slice = () => {
    if (drawing !== parts.drawn) return;
    const until = performance.now() + SLICE_MS;
    while (marks.length < pairs.length && performance.now() < until) marks.push(wrong(pairs[marks.length][1]));
    if (marks.length < pairs.length) {
      setTimeout(slice, 0);
      return;
    }
    const fragment = document.createDocumentFragment();
    pairs.forEach(([group, row], i) => fragment.append(rowElement(group, row, marks[i])));
    parts.sheet.body.replaceChildren(fragment);
    done(marks.filter(Boolean).length);
  };
  slice();
}

/**
 * The chart: every group's results along `choice` (or the lesson's first
 * condition that differs), one series per group, a line only where the
 * group changed nothing but the axis's condition. Returns the axis drawn.
 * @param {ClassParts} parts
 * @param {Group[]} groups
 * @param {string | null} choice
 */
export function drawClassChart(parts, groups, choice) {
  const rows = groups.flatMap((group) => group.rows);
  const differing = differingConditions(rows);
  const key = choice && differing.includes(choice) ? choice : defaultAxis(differing);
  const axis = conditionOf(key);
  const others = COLUMNS.filter((k) => k !== key);
  parts.sheet.setAxes(text, differing, key);
  const groupOf = new Map(groups.flatMap((group) => group.rows.map((row) => [row, group.name])));
  drawChart(parts.sheet.drawing, {
    axis, rows, offset: 0, xName: conditionLabel(text, axis), yName: text('classChartName'),
    label: text('classChartLabel', { axis: conditionLabel(text, axis) }),
    series: groups.map((group) => ({
      rows: group.rows, line: group.rows.every((row) => others.every((k) => valueOf(row, k) === valueOf(group.rows[0], k))),
    })),
    pointTitle: (row) => text('classPoint', {
      group: groupOf.get(row) ?? '', n: row.run, axis: conditionLabel(text, axis), value: valueOf(row, key), result: `${cmText(row.resultMm, languageCode())}cm`,
    }),
    predictionTitle: (row) => text('classPredictionPoint', { group: groupOf.get(row) ?? '', n: row.run, prediction: cmText(row.predictionMm ?? 0, languageCode()) }),
  });
  const predicted = rows.some((row) => row.predictionMm !== null);
  parts.sheet.chartCaption.replaceChildren(legend(groups.map((group) => group.name), predicted ? text('classPredictionKey') : null));
  return key;
}
