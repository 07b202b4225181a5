// The teacher's panel as the learner's page shows it, drawn from the
// panel's state (teacher_panel.js holds it): the conditions with their
// values and lock boxes, the speed, the link and what became of a copy.
import { html } from '../dom.js';
import { LINK_ORDER } from './lesson_link.js';
import { PARAMETER_TABLE } from '../runs/parameter_table.js';
import { text } from '../i18n/text.js';

const parameterOf = (key) => PARAMETER_TABLE.parameters.find((p) => p.key === key);

/**
 * @typedef {{ values: Record<string, number>, speed: string, link: string,
 *   unfit: { key: string, value: number }[], fromDisk: boolean, fixed: boolean,
 *   status: string }} PanelState
 * @typedef {{ input: HTMLInputElement, name: HTMLElement, value: HTMLElement }} LockRow
 */

/**
 * A box for each condition, in the link's order, ticked as `ticked` says.
 * @param {HTMLElement} locks
 * @param {string[]} ticked
 * @returns {Map<string, LockRow>}
 */
function lockRows(locks, ticked) {
  return new Map(LINK_ORDER.map((key) => {
    const input = html('input', { type: 'checkbox', 'data-lock': key });
    input.checked = ticked.includes(key);
    const row = { input, name: html('span'), value: html('span', { class: 'teacher-value' }) };
    const label = html('label');
    label.append(input, row.name, row.value);
    locks.append(label);
    return [key, row];
  }));
}

/**
 * @param {string[]} ticked the conditions ticked at first
 * @param {{ element: HTMLFieldSetElement, ticked(): string[] }} tools the measuring aids' boxes
 */
export function teacherView(ticked, tools) {
  const element = html('details', { class: 'teacher', 'data-control': 'teacher', 'data-print': 'hide' });
  const [summary, intro, legend] = [html('summary'), html('p'), html('legend')];
  const fixedNote = html('p', { class: 'teacher-fixed', 'data-control': 'teacherFixed' });
  const locks = html('fieldset', { 'data-control': 'teacherLocks' });
  locks.append(legend);
  const rows = lockRows(locks, ticked);
  const speed = html('p', { class: 'teacher-speed' });
  const offStep = html('ul', { class: 'teacher-off-step' });
  const disk = html('p', { class: 'teacher-disk' });
  const linkLabel = html('label', { for: 'teacher-link' });
  const field = html('input', { id: 'teacher-link', type: 'text', readonly: '', dir: 'ltr', spellcheck: 'false', 'data-control': 'teacherLink' });
  const copy = html('button', { type: 'button', 'data-control': 'teacherCopy' });
  const linkLine = html('p', { class: 'teacher-link' });
  linkLine.append(linkLabel, field, copy);
  const status = html('p', { class: 'teacher-status', role: 'status', 'aria-live': 'polite' });
  element.append(summary, intro, fixedNote, locks, tools.element, speed, offStep, disk, linkLine, status);
  // The fixed texts, in the page's language.
  const drawWords = () => {
    /** @type {[HTMLElement, string][]} */
    const words = [[summary, 'teacherTitle'], [intro, 'teacherIntro'], [fixedNote, 'teacherFixedHere'], [legend, 'teacherLockLegend'],
      [disk, 'teacherFromDisk'], [linkLabel, 'teacherLinkLabel'], [copy, 'teacherCopy']];
    for (const [e, key] of words) e.textContent = text(key);
    for (const [key, row] of rows) row.name.textContent = text(`setting_${key}`);
  };
  /** @param {PanelState} state */
  const draw = (state) => {
    for (const [key, row] of rows) {
      row.value.textContent = `${state.values[key]} ${parameterOf(key)?.unit ?? ''}`;
      row.input.disabled = state.fixed;
    }
    tools.element.disabled = state.fixed;
    const i = PARAMETER_TABLE.speeds.findIndex((s) => s.key === state.speed);
    speed.textContent = text('teacherSpeed', { name: i < 0 ? state.speed : text(`a11y.sp(${i})`) });
    offStep.replaceChildren(...state.unfit.map(({ key, value }) => {
      const p = parameterOf(key);
      return html('li', {}, text('teacherOffStep', { name: text(`setting_${key}`), value, unit: p?.unit ?? '', step: p?.step ?? 1 }));
    }));
    [offStep.hidden, fixedNote.hidden, disk.hidden, copy.hidden] = [state.unfit.length === 0, !state.fixed, !state.fromDisk, state.fromDisk];
    field.value = state.link;
    // Written only when it changes: a live region says again what is written again.
    if (status.textContent !== state.status) status.textContent = state.status;
  };
  const tickedNow = () => [...rows].filter(([, row]) => row.input.checked).map(([key]) => key);
  return { element, locks, field, tools, ticked: tickedNow, drawWords, draw, copy };
}
