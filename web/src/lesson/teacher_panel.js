// The teacher's panel at the foot of the page: it makes a link that opens
// the window with the conditions it shows now, and fixes the conditions
// the teacher ticks. The values come from the form's state events
// (form_state.js), never from the page's elements. The address is the
// served page's own; the single file opened from a disk has none to hand
// out, so the panel says so and shows only the query. A page opened from
// a link that fixed conditions hands on that link as it came: a learner
// cannot make a link that lifts the teacher's locks.
import { onFormState } from '../window/form_state.js';
import { languageCode } from '../i18n/language.js';
import { onTableChange, text } from '../i18n/text.js';
import { panelLink } from './teacher_link.js';
import { teacherToolBoxes } from './teacher_tools.js';
import { teacherView } from './teacher_view.js';

/**
 * @typedef {{ protocol: string, origin: string, pathname: string, search: string }} Address
 */

/**
 * @param {import('../window/page.js').FormPage} page the started page
 * @param {string[]} locked the conditions this page's own link fixed
 * @param {{ address?: Address, clipboard?: { writeText(text: string): Promise<void> }, tools?: string[] }} [options]
 *   tools: the measuring aids this page's own link turned on: ticked at first
 */
export function mountTeacherPanel(page, locked = [], { address = location, clipboard = navigator.clipboard, tools = [] } = {}) {
  const fromDisk = address.protocol === 'file:';
  const fixed = locked.length > 0;
  const here = fromDisk ? '' : `${address.origin}${address.pathname}`;
  const cameWith = `${here}${address.search}`;
  const view = teacherView(locked, teacherToolBoxes(tools));
  /** @type {import('../window/form_state.js').FormState} */
  let form = page.state.now();
  let status = '';

  // The address's language goes with the link, and so does one chosen that
  // is not the page's first; otherwise each learner's device chooses.
  const lang = () => (languageCode() !== 'ja' || new URLSearchParams(location.search).has('lang') ? languageCode() : '');
  const draw = () => {
    const { query, unfit } = panelLink(form, view.ticked(), view.tools.ticked(), lang());
    view.draw({
      values: form.values, speed: form.speed, fromDisk, fixed, status,
      link: fixed ? cameWith : `${here}${query}`,
      unfit: fixed ? [] : unfit,
    });
  };

  onFormState(page, (state) => {
    form = state;
    if (view.element.open) draw();
  });
  view.element.addEventListener('toggle', () => view.element.open && draw());
  view.locks.addEventListener('change', draw);
  view.tools.element.addEventListener('change', draw);
  view.field.addEventListener('focus', () => view.field.select());
  view.copy.addEventListener('click', () => copyLink(view, clipboard, (said) => {
    status = said;
    draw();
  }));
  view.drawWords();
  onTableChange(() => {
    view.drawWords();
    draw();
  });
  draw();
  document.body.append(view.element);
  return view.element;
}

/**
 * Copies the link; `say` is told what became of it (first '', so the same
 * words after a second copy are heard again).
 * @param {ReturnType<typeof teacherView>} view
 * @param {{ writeText(text: string): Promise<void> } | undefined} clipboard
 * @param {(status: string) => void} say
 */
async function copyLink(view, clipboard, say) {
  say('');
  try {
    if (!clipboard) throw new Error('no clipboard here');
    await clipboard.writeText(view.field.value);
    say(text('teacherCopied'));
  } catch {
    // Refused (an address without https, a locked-down browser): the link
    // stands selected for the keyboard's copy.
    view.field.focus();
    view.field.select();
    say(text('teacherCopyByHand'));
  }
}
