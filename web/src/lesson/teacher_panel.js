// The teacher's panel at the foot of the page: it makes a link that opens
// the window with the conditions it shows now, and fixes the conditions
// the teacher ticks. The values come from the core (the settings entry),
// read again whenever the window may have changed, never from the page's
// elements. The address is the served page's own; the single file opened
// from a disk has none to hand out, so the panel says so and shows only
// the query.
import { html } from '../dom.js';
import { fitsBar, lessonQuery, LINK_ORDER } from './lesson_link.js';
import { PARAMETER_TABLE } from '../runs/parameter_table.js';
import { onTableChange, text } from '../i18n/text.js';
import { speedName } from '../window/window_text.js';
import { teacherToolBoxes } from './teacher_tools.js';

const parameterOf = (key) => PARAMETER_TABLE.parameters.find((p) => p.key === key);

/**
 * @param {import('../window/page.js').FormPage} page the started page
 * @param {string[]} locked the conditions this page's own link fixed: ticked at first
 * @param {{ address?: { protocol: string, origin: string, pathname: string },
 *   clipboard?: { writeText(text: string): Promise<void> }, tools?: string[] }} [options]
 *   tools: the measuring aids this page's own link turned on: ticked at first
 */
export function mountTeacherPanel(page, locked = [], { address = location, clipboard = navigator.clipboard, tools = [] } = {}) {
  const fromDisk = address.protocol === 'file:';
  const panel = html('details', { class: 'teacher', 'data-control': 'teacher', 'data-print': 'hide' });
  const summary = html('summary');
  const intro = html('p');
  const locks = html('fieldset', { 'data-control': 'teacherLocks' });
  const legend = html('legend');
  locks.append(legend);
  /** @type {Map<string, { input: HTMLInputElement, name: HTMLElement, value: HTMLElement }>} */
  const rows = new Map();
  for (const key of LINK_ORDER) {
    const input = html('input', { type: 'checkbox', 'data-lock': key });
    input.checked = locked.includes(key);
    const row = { input, name: html('span'), value: html('span', { class: 'teacher-value' }) };
    const label = html('label');
    label.append(input, row.name, row.value);
    locks.append(label);
    rows.set(key, row);
  }
  const toolBoxes = teacherToolBoxes(tools);
  const speed = html('p', { class: 'teacher-speed' });
  const offStep = html('ul', { class: 'teacher-off-step' });
  const disk = html('p', { class: 'teacher-disk' });
  disk.hidden = !fromDisk;
  const linkLabel = html('label', { for: 'teacher-link' });
  const field = html('input', { id: 'teacher-link', type: 'text', readonly: '', dir: 'ltr', spellcheck: 'false', 'data-control': 'teacherLink' });
  const copy = html('button', { type: 'button', 'data-control': 'teacherCopy' });
  copy.hidden = fromDisk;
  const linkLine = html('p', { class: 'teacher-link' });
  linkLine.append(linkLabel, field, copy);
  const status = html('p', { class: 'teacher-status', role: 'status', 'aria-live': 'polite' });
  panel.append(summary, intro, locks, toolBoxes.element, speed, offStep, disk, linkLine, status);

  const words = () => {
    summary.textContent = text('teacherTitle');
    intro.textContent = text('teacherIntro');
    legend.textContent = text('teacherLockLegend');
    for (const [key, row] of rows) row.name.textContent = text(`setting_${key}`);
    disk.textContent = text('teacherFromDisk');
    linkLabel.textContent = text('teacherLinkLabel');
    copy.textContent = text('teacherCopy');
  };

  // The link for the window as the core holds it now. A value a dragged
  // thumb left between two steps cannot go in a link: it is named instead.
  const refresh = () => {
    const settings = page.api.settings();
    /** @type {Record<string, number>} */
    const values = {};
    const unfit = [];
    for (const [key, row] of rows) {
      const p = parameterOf(key);
      row.value.textContent = `${settings[key]} ${p.unit}`;
      if (fitsBar(p, settings[key])) values[key] = settings[key];
      else unfit.push(html('li', {}, text('teacherOffStep', { name: text(`setting_${key}`), value: settings[key], unit: p.unit, step: p.step })));
    }
    speed.textContent = text('teacherSpeed', { name: speedName(PARAMETER_TABLE.speeds.find((s) => s.key === settings.speed)?.name ?? '') });
    offStep.replaceChildren(...unfit);
    offStep.hidden = unfit.length === 0;
    const ticked = [...rows].filter(([, row]) => row.input.checked).map(([key]) => key);
    const query = lessonQuery({ values, speed: settings.speed, locks: ticked, tools: toolBoxes.ticked() });
    field.value = fromDisk ? query : `${address.origin}${address.pathname}${query}`;
  };

  panel.addEventListener('toggle', () => {
    if (panel.open) refresh();
  });
  locks.addEventListener('change', refresh);
  toolBoxes.element.addEventListener('change', refresh);
  // Whatever the learner or the teacher did in the window; each runs after
  // the window's own handler of the same input.
  for (const type of ['pointerup', 'keyup', 'wheel', 'click', 'shoutotsu:run']) {
    page.desk.addEventListener(type, () => {
      if (panel.open) refresh();
    }, { passive: true });
  }
  field.addEventListener('focus', () => field.select());
  copy.addEventListener('click', async () => {
    refresh();
    status.textContent = '';
    try {
      if (!clipboard) throw new Error('no clipboard here');
      await clipboard.writeText(field.value);
      status.textContent = text('teacherCopied');
    } catch {
      // Refused (an address without https, a locked-down browser): the
      // link stands selected for the keyboard's copy.
      field.focus();
      field.select();
      status.textContent = text('teacherCopyByHand');
    }
  });

  words();
  onTableChange(() => {
    words();
    refresh();
  });
  refresh();
  document.body.append(panel);
  return panel;
}
