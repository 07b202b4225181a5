// The two switches of the measuring aids in the lesson bar: toggle buttons,
// pressed while their aid is on, each described for a screen reader by a
// sentence that says what the aid shows.
import { html } from '../dom.js';
import { aidOn, onAidChange, setAid } from './aids_store.js';
import { onTableChange, text } from '../i18n/text.js';

const kTexts = {
  ruler: { name: 'aidsRuler', said: 'aidsRulerSaid' },
  strobe: { name: 'aidsStrobe', said: 'aidsStrobeSaid' },
};

/**
 * @param {import('./aids_store.js').Aid} aid
 * @returns {HTMLElement} the button with its sentence, to add to the bar
 */
export function aidSwitch(aid) {
  const id = `aid-${aid}-said`;
  const button = html('button', { type: 'button', class: 'lesson-toggle', 'data-control': aid, 'aria-describedby': id });
  // Heard, never seen: furigana leave it alone, as other descriptions.
  const said = html('span', { id, class: 'description', hidden: '' });
  const show = () => {
    button.textContent = text(kTexts[aid].name);
    said.textContent = text(kTexts[aid].said);
    button.setAttribute('aria-pressed', String(aidOn(aid)));
  };
  button.addEventListener('click', () => setAid(aid, !aidOn(aid)));
  onAidChange(show);
  onTableChange(show);
  show();
  const tool = html('span', { class: 'aid-switch' });
  tool.append(button, said);
  return tool;
}
