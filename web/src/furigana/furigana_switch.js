// The switch that turns furigana on and off: a toggle button, pressed
// while they are on. Only Japanese has furigana, so in another language
// the switch is not shown.
import { furiganaWanted, setFurigana } from './furigana.js';
import { followWindowScale } from './furigana_text.js';
import { languageCode } from '../i18n/language.js';
import { onTableChange, text } from '../i18n/text.js';

/** @returns {HTMLButtonElement} */
export function furiganaSwitch() {
  const button = document.createElement('button');
  button.type = 'button';
  button.className = 'lesson-toggle';
  button.dataset.control = 'furigana';
  const show = () => {
    button.textContent = text('furigana');
    button.setAttribute('aria-pressed', String(furiganaWanted()));
    button.hidden = languageCode() !== 'ja';
  };
  button.addEventListener('click', () => {
    setFurigana(!furiganaWanted());
    show();
  });
  onTableChange(show);
  show();
  const desk = document.getElementById('desk');
  if (desk) followWindowScale(desk);
  return button;
}
