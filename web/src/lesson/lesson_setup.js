// The lesson a teacher's link asks for, set up once the form has started:
// each condition set through the core as a learner's drag would set it, the
// speed chosen, the fixed conditions locked; then, just above the record,
// a line that says which conditions the teacher fixed and one notice of
// whatever in the link was ignored. The teacher's own panel, which makes
// such links, goes below the record. A page opened without a query is set
// up as it always was.
import { html } from '../dom.js';
import { isEmptyLesson, LINK_ORDER, problemTexts, readLesson } from './lesson_link.js';
import { PARAMETER_TABLE } from '../runs/parameter_table.js';
import { mountTeacherPanel } from './teacher_panel.js';
import { onTableChange, text } from '../i18n/text.js';
import { setAid } from '../aids/aids_store.js';

const indexOf = (key) => PARAMETER_TABLE.parameters.findIndex((p) => p.key === key);

/**
 * Sets the window as the link asks; returns what makes the teacher's
 * panel, which no first view needs (it stands below the record, closed),
 * so the page makes it after its first frame.
 * @param {import('../window/page.js').FormPage} page the started page
 * @param {string} [search] the address's query
 * @returns {() => void}
 */
export function setUpLesson(page, search = location.search) {
  const lesson = readLesson(search);
  if (!isEmptyLesson(lesson)) {
    applyLesson(page, lesson);
    showLesson(page, lesson);
  }
  return () => mountTeacherPanel(page, lesson.locks, { tools: lesson.tools });
}

/**
 * In the core's order of the parameters, each as its own event, so the
 * window shows each step as it would after a learner's input; the locks
 * last, as a locked bar takes no value.
 * @param {import('../window/page.js').FormPage} page
 * @param {import('./lesson_link.js').Lesson} lesson
 */
function applyLesson(page, { values, speed, locks, tools }) {
  const { api } = page;
  PARAMETER_TABLE.parameters.forEach(({ key }, parameter) => {
    if (key in values) page.event(() => api.setParameter(parameter, values[key]));
  });
  if (speed !== null) {
    page.event(() => api.selectSpeed(PARAMETER_TABLE.speeds.findIndex((s) => s.key === speed)));
  }
  for (const key of locks) {
    page.event(() => {
      if (api.lockParameter(indexOf(key))) page.state.locked(key);
    });
  }
  // For this page only: what the device keeps stays the learner's choice.
  for (const tool of tools) setAid(/** @type {any} */ (tool), true, { keep: false });
}

/**
 * @param {import('../window/page.js').FormPage} page
 * @param {import('./lesson_link.js').Lesson} lesson
 */
function showLesson(page, { locks, problems }) {
  // A landmark, as it stands outside the window's.
  const box = html('section', { class: 'lesson', 'data-print': 'hide', 'aria-label': text('lessonFromLink') });
  const fixed = html('p', { class: 'lesson-fixed', 'data-control': 'lessonFixed' });
  const notice = html('div', { class: 'lesson-notice', 'data-control': 'lessonNotice', role: 'note' });
  const render = () => {
    // The values as the core now holds them; a locked one cannot move.
    const settings = page.state.now().values;
    const list = LINK_ORDER.filter((key) => locks.includes(key)).map((key) => {
      const p = PARAMETER_TABLE.parameters[indexOf(key)];
      return text('lessonFixedItem', { name: text(`setting_${key}`), value: settings[key], unit: p.unit });
    });
    fixed.textContent = text('lessonFixed', { list: list.join(text('lessonListSeparator')) });
    const items = html('ul');
    for (const line of problemTexts(problems)) items.append(html('li', {}, line));
    notice.replaceChildren(html('p', {}, text('lessonIgnored')), items);
    box.setAttribute('aria-label', text('lessonFromLink'));
  };
  render();
  onTableChange(render);
  fixed.hidden = locks.length === 0;
  notice.hidden = problems.length === 0;
  box.hidden = fixed.hidden && notice.hidden; // a link of values alone says nothing here
  box.append(fixed, notice);
  const record = document.querySelector('.record-host');
  if (record) record.before(box);
  else page.desk.after(box);
}
