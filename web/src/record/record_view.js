// The learner's record on the page, drawn from its store: the title, the
// notices, the buttons, the table of runs with the conditions each changed,
// the chart of the result against one condition, and what the learner
// found out. Nothing here changes the record; record_controller.js turns
// the learner's actions into the store's calls.
import { html } from '../dom.js';
import { changedConditions, defaultAxis, differingConditions, seriesOf, valueOf } from '../runs/chart_data.js';
import { drawChart, legend } from '../runs/chart_view.js';
import { CONDITIONS, conditionLabel, conditionName, conditionOf } from '../runs/columns.js';
import { cmText } from '../runs/distance.js';
import { MAX_NOTES } from '../runs/record_format.js';
import { sheetView } from '../runs/sheet_view.js';
import { cellsOf, columnName, TABLE_KEYS } from '../runs/table_text.js';
import { text } from '../i18n/text.js';
import { languageCode } from '../i18n/language.js';
import { setText, textElement } from '../furigana/furigana_text.js';

/** @typedef {import('../runs/row.js').Row} Row */

/** @param {string} id */
export function recordView(id) {
  const section = html('section', { class: 'record', 'data-control': 'record', 'aria-labelledby': `${id}-title` });
  const title = html('h2', { id: `${id}-title`, tabindex: '-1' });
  const notices = html('div', { class: 'record-notices', role: 'status' });
  // Heard, not seen: each run as it is written, apart from the window's own
  // result sentence, so that a screen reader says both.
  const live = html('div', { class: 'record-live', role: 'status', 'aria-live': 'polite', 'data-print': 'hide' });
  // On paper only: the learner writes their name on the printed record.
  const name = html('p', { class: 'record-name', 'aria-hidden': 'true' });
  const empty = html('p', { class: 'record-empty' });
  const sheet = sheetView(id, 'recordAxis');
  // What the learner found out, kept with the record and printed under the chart.
  const notesBox = html('div', { class: 'record-notes' });
  const notesLabel = html('label', { for: `${id}-notes` });
  const notes = html('textarea', { id: `${id}-notes`, 'data-control': 'record-notes', rows: 4, maxlength: MAX_NOTES });
  const notesPrint = html('p', { class: 'record-notes-print', 'aria-hidden': 'true' });
  notesBox.append(notesLabel, notes, notesPrint);
  const actions = html('p', { class: 'record-actions', 'data-print': 'hide' });
  const buttons = {
    csv: html('button', { type: 'button', 'data-control': 'recordCsv' }),
    copy: html('button', { type: 'button', 'data-control': 'record-copy' }),
    png: html('button', { type: 'button', 'data-control': 'chart-png' }),
    clear: html('button', { type: 'button', 'data-control': 'recordClear' }),
  };
  actions.append(buttons.csv, buttons.copy, buttons.png, buttons.clear);
  // Where the browser refuses the clipboard: the table's text, selected.
  const byHand = html('div', { class: 'record-by-hand', 'data-print': 'hide' });
  byHand.hidden = true;
  section.append(title, name, notices, live, actions, byHand, empty, sheet.table, sheet.chart, notesBox);
  return { section, title, notices, live, name, empty, sheet, notesLabel, notes, notesPrint, buttons, byHand };
}

/** @typedef {ReturnType<typeof recordView>} RecordParts */

/**
 * The fixed texts, in the page's language.
 * @param {RecordParts} parts
 */
export function drawTexts(parts) {
  setText(parts.title, text('recordTitle'));
  setText(parts.name, text('recordName'));
  setText(parts.empty, text('recordEmpty'));
  setText(parts.sheet.caption, text('recordCaption'));
  setText(parts.sheet.choiceLabel, text('axisChoice'));
  setText(parts.notesLabel, text('notesTitle'));
  const { csv, copy, png, clear } = parts.buttons;
  setText(csv, text('csvButton'));
  csv.title = text('csvHint');
  setText(copy, text('copyButton'));
  copy.title = text('copyHint');
  setText(png, text('pngButton'));
  setText(clear, text('clearButton'));
  parts.sheet.setHeader([...TABLE_KEYS.map((key) => columnName(text, key)), text('changedColumn')]);
}

/** @param {string[]} changed */
function changeNote(changed) {
  if (changed.length === 0) return textElement('td', { class: 'record-change' }, text('changedNone'));
  const cell = textElement('td', { class: 'record-change' }, changed.map((key) => conditionName(text, key)).join(text('listJoin')));
  if (changed.length > 1) {
    cell.dataset.many = 'true';
    cell.append(textElement('span', { class: 'record-change-many' }, text('changedMany')));
  }
  return cell;
}

/**
 * The table's rows: each cell as the CSV writes it, the conditions a run
 * changed from the one before marked so that it is seen without colour and
 * heard ("変えた条件").
 * @param {HTMLElement} body
 * @param {Row[]} rows
 */
export function drawRows(body, rows) {
  const changes = changedConditions(rows);
  const fragment = document.createDocumentFragment();
  rows.forEach((row, i) => {
    const tr = html('tr', { 'data-run': row.run });
    const cells = cellsOf(text, row, TABLE_KEYS, languageCode());
    tr.append(textElement('th', { scope: 'row' }, cells[0]));
    TABLE_KEYS.slice(1).forEach((key, k) => {
      const cell = textElement('td', { 'data-key': key }, cells[k + 1]);
      if (changes[i].includes(key)) {
        cell.dataset.changed = 'true';
        cell.append(textElement('span', { class: 'record-hidden' }, text('changedMark')));
      }
      tr.append(cell);
    });
    tr.append(i === 0 ? html('td', { class: 'record-change' }) : changeNote(changes[i]));
    fragment.append(tr);
  });
  body.replaceChildren(fragment);
}

/**
 * The chart of the rows along `axisChoice` (or the lesson's first condition
 * that differs); the axis drawn.
 * @param {RecordParts} parts
 * @param {Row[]} rows
 * @param {string | null} axisChoice
 */
export function drawRecordChart(parts, rows, axisChoice) {
  const differing = differingConditions(rows);
  const key = axisChoice && differing.includes(axisChoice) ? axisChoice : defaultAxis(differing);
  const axis = conditionOf(key);
  parts.sheet.setAxes(text, differing, key);
  parts.sheet.chart.hidden = rows.length === 0;
  if (rows.length === 0) return key;
  const series = seriesOf(rows, key);
  const resultName = text('resultName');
  drawChart(parts.sheet.drawing, {
    axis, rows, series: series.map((one) => ({ rows: one.rows, line: true })), offset: 9,
    xName: conditionLabel(text, axis), yName: `${resultName} (cm)`,
    label: text('chartLabel', { setting: conditionLabel(text, axis), result: resultName }),
    pointTitle: (row) => text('chartPoint', {
      n: row.run, setting: conditionName(text, key), value: valueOf(row, key), unit: axis.unit, result: `${cmText(row.resultMm, languageCode())}cm`,
    }),
    predictionTitle: (row) => text('chartPrediction', { n: row.run, prediction: cmText(row.predictionMm ?? 0, languageCode()) }),
  });
  const varying = CONDITIONS.filter((c) => c.key !== key && series.some((one) => one.settings[c.key] !== series[0].settings[c.key]));
  const names = series.length < 2 ? [] : series.map((one) => varying
    .map((c) => `${conditionName(text, c.key)} ${one.settings[c.key]}${c.unit}`).join(text('listJoin')));
  const predicted = rows.some((row) => row.predictionMm !== null);
  parts.sheet.chartCaption.replaceChildren(text('chartCaption', { result: resultName, setting: conditionName(text, key) }));
  if (predicted || names.length) parts.sheet.chartCaption.append(legend(names, predicted ? text('chartPredictionKey') : null));
  return key;
}
