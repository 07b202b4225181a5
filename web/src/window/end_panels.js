// The program's end on the page: after おわる (a tab cannot close itself, so
// the page says so and offers to start afresh), and after a run-time error
// (the desktop's message box, then the same).
import { text } from '../i18n/text.js';

function element(name, className, content) {
  const made = document.createElement(name);
  if (className) made.className = className;
  if (content !== undefined) made.textContent = content;
  return made;
}

// The program has ended: a panel saying so, with a button to start again.
export function showEnded(desk) {
  const panel = element('section', 'ended');
  panel.setAttribute('aria-labelledby', 'ended-title');
  const title = element('h2', '', text('endedTitle'));
  title.id = 'ended-title';
  const again = element('button', 'button restart', text('restart'));
  again.type = 'button';
  again.addEventListener('click', () => location.reload());
  panel.append(title, element('p', '', text('endedText')), again);
  desk.append(panel);
  again.focus();
}

/**
 * The run-time error's message box ({ title, text }), as the desktop shows
 * it; `onOk` runs when it is closed.
 */
export function showErrorBox(desk, report, onOk) {
  const box = element('div', 'message-box');
  box.setAttribute('role', 'alertdialog');
  box.setAttribute('aria-modal', 'true');
  box.setAttribute('aria-labelledby', 'message-title');
  box.setAttribute('aria-describedby', 'message-text');
  const title = element('div', 'message-title', report.title);
  title.id = 'message-title';
  const body = element('div', 'message-body');
  const sign = element('span', 'message-sign', '×');
  sign.setAttribute('aria-hidden', 'true');
  const message = element('p', '', report.text);
  message.id = 'message-text';
  body.append(sign, message);
  const ok = element('button', 'button', text('errorOk'));
  ok.type = 'button';
  ok.addEventListener('click', () => {
    box.remove();
    onOk();
  });
  box.append(title, body, ok);
  desk.append(box);
  ok.focus();
}

/**
 * おわる: a tab cannot close itself, so the page says the program has ended
 * and offers to start it afresh.
 * @param {any} page the FormPage
 */
export function endProgram(page) {
  if (page.finished) return;
  page.finished = true;
  page.ticker.stop();
  page.windowElement.hidden = true;
  showEnded(page.desk);
}

/**
 * A run-time error in the form: it has stopped its timers and takes no more
 * events; the page stops ticking and shows the desktop's message, once, and
 * after it the program has ended.
 * @param {any} page the FormPage
 */
export function haltProgram(page) {
  if (page.finished) return;
  page.finished = true;
  page.ticker.stop();
  const report = page.api.error() ?? { title: page.window.caption, text: '' };
  const { windowElement, desk } = page;
  // An error while the form loaded ends the program before its window is
  // ever shown, as on the desktop.
  if (page.opening) windowElement.hidden = true;
  windowElement.inert = true;
  windowElement.setAttribute('aria-hidden', 'true');
  showErrorBox(desk, report, () => {
    windowElement.hidden = true;
    showEnded(desk);
  });
}
