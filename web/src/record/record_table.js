// The record's table: one row per run, with its prediction before its
// result, and the conditions it changed from the run before marked in a way
// that is seen without colour and heard ("変えた条件"). A run that changed
// two or more conditions says that its result cannot show which one made
// the difference.
import { html } from '../dom.js';
import { changedConditions } from '../runs/record_changes.js';
import { CONDITIONS, header, SETTINGS } from '../runs/record_rows.js';
import { text } from '../i18n/text.js';
import { speedName } from '../window/window_text.js';

/** @param {HTMLTableSectionElement} head */
export function drawHeader(head) {
  const row = html('tr');
  for (const name of [...header(), text('changedColumn')]) row.append(html('th', { scope: 'col' }, name));
  head.replaceChildren(row);
}

function changeNote(changed) {
  if (changed.length === 0) return html('td', { class: 'record-change' }, text('changedNone'));
  const names = changed.map((key) => CONDITIONS.find((s) => s.key === key).name).join('、');
  const cell = html('td', { class: 'record-change' }, names);
  if (changed.length > 1) {
    cell.dataset.many = 'true';
    cell.append(html('span', { class: 'record-change-many' }, text('changedMany')));
  }
  return cell;
}

/**
 * @param {HTMLTableSectionElement} body
 * @param {Array<Record<string, any>>} rows
 */
export function drawRows(body, rows) {
  const changes = changedConditions(rows);
  const fragment = document.createDocumentFragment();
  rows.forEach((row, i) => {
    const changed = changes[i];
    const tr = html('tr', { 'data-run': row.n });
    tr.append(html('th', { scope: 'row' }, String(row.n)));
    for (const s of SETTINGS) {
      const cell = html('td', { 'data-key': s.key }, s.key === 'speed' ? speedName(row.speed) : row[s.key]);
      if (changed.includes(s.key)) {
        cell.dataset.changed = 'true';
        cell.append(html('span', { class: 'record-hidden' }, text('changedMark')));
      }
      tr.append(cell);
    }
    tr.append(html('td', { 'data-key': 'prediction' }, row.prediction ? `${row.prediction}` : ''));
    tr.append(html('td', { 'data-key': 'result' }, row.result));
    tr.append(i === 0 ? html('td', { class: 'record-change' }) : changeNote(changed));
    fragment.append(tr);
  });
  body.replaceChildren(fragment);
}
