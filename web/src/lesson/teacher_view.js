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
 */

export class TeacherView {
  /**
   * @param {string[]} ticked the conditions ticked at first
   * @param {{ element: HTMLFieldSetElement, ticked(): string[] }} tools the measuring aids' boxes
   */
  constructor(ticked, tools) {
    this.tools = tools;
    this.element = html('details', { class: 'teacher', 'data-control': 'teacher', 'data-print': 'hide' });
    this.summary = html('summary');
    this.intro = html('p');
    this.fixedNote = html('p', { class: 'teacher-fixed', 'data-control': 'teacherFixed' });
    this.locks = html('fieldset', { 'data-control': 'teacherLocks' });
    this.legend = html('legend');
    this.locks.append(this.legend);
    /** @type {Map<string, { input: HTMLInputElement, name: HTMLElement, value: HTMLElement }>} */
    this.rows = new Map();
    for (const key of LINK_ORDER) this.addRow(key, ticked.includes(key));
    this.speed = html('p', { class: 'teacher-speed' });
    this.offStep = html('ul', { class: 'teacher-off-step' });
    this.disk = html('p', { class: 'teacher-disk' });
    this.linkLabel = html('label', { for: 'teacher-link' });
    this.field = html('input', { id: 'teacher-link', type: 'text', readonly: '', dir: 'ltr', spellcheck: 'false', 'data-control': 'teacherLink' });
    this.copy = html('button', { type: 'button', 'data-control': 'teacherCopy' });
    const linkLine = html('p', { class: 'teacher-link' });
    linkLine.append(this.linkLabel, this.field, this.copy);
    this.status = html('p', { class: 'teacher-status', role: 'status', 'aria-live': 'polite' });
    this.element.append(this.summary, this.intro, this.fixedNote, this.locks, tools.element, this.speed, this.offStep, this.disk, linkLine, this.status);
  }

  /** @param {string} key @param {boolean} ticked */
  addRow(key, ticked) {
    const input = html('input', { type: 'checkbox', 'data-lock': key });
    input.checked = ticked;
    const row = { input, name: html('span'), value: html('span', { class: 'teacher-value' }) };
    const label = html('label');
    label.append(input, row.name, row.value);
    this.locks.append(label);
    this.rows.set(key, row);
  }

  /** The conditions ticked now. */
  ticked() {
    return [...this.rows].filter(([, row]) => row.input.checked).map(([key]) => key);
  }

  /** The fixed texts, in the page's language. */
  drawWords() {
    this.summary.textContent = text('teacherTitle');
    this.intro.textContent = text('teacherIntro');
    this.fixedNote.textContent = text('teacherFixedHere');
    this.legend.textContent = text('teacherLockLegend');
    for (const [key, row] of this.rows) row.name.textContent = text(`setting_${key}`);
    this.disk.textContent = text('teacherFromDisk');
    this.linkLabel.textContent = text('teacherLinkLabel');
    this.copy.textContent = text('teacherCopy');
  }

  /** @param {PanelState} state */
  draw(state) {
    for (const [key, row] of this.rows) {
      row.value.textContent = `${state.values[key]} ${parameterOf(key)?.unit ?? ''}`;
      row.input.disabled = state.fixed;
    }
    this.tools.element.disabled = state.fixed;
    const speed = PARAMETER_TABLE.speeds.findIndex((s) => s.key === state.speed);
    this.speed.textContent = text('teacherSpeed', { name: speed < 0 ? state.speed : text(`a11y.sp(${speed})`) });
    this.offStep.replaceChildren(...state.unfit.map(({ key, value }) => {
      const p = parameterOf(key);
      return html('li', {}, text('teacherOffStep', { name: text(`setting_${key}`), value, unit: p?.unit ?? '', step: p?.step ?? 1 }));
    }));
    this.offStep.hidden = state.unfit.length === 0;
    this.fixedNote.hidden = !state.fixed;
    this.disk.hidden = !state.fromDisk;
    this.copy.hidden = state.fromDisk;
    this.field.value = state.link;
    // Written only when it changes: a live region says again what is
    // written again.
    if (this.status.textContent !== state.status) this.status.textContent = state.status;
  }
}
