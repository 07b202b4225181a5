// The choice of the page's language: a list of the languages, each by the
// name its speakers know it by, and the note that says why the page is in
// Japanese when the address asked for a language it does not have.
import { LANGUAGES } from './lang/all.js';
import { languageCode, setLanguage } from './language.js';
import { onTableChange, text } from './text.js';
import { setText } from '../furigana/furigana_text.js';

/**
 * The element that changes the page's language; `problem` is what
 * startLanguage() said of the language the address asked for.
 * @param {string} problem
 * @returns {HTMLElement}
 */
export function languagePicker(problem) {
  const holder = document.createElement('span');
  holder.className = 'lesson-tool';
  const label = document.createElement('label');
  const caption = document.createElement('span');
  const select = document.createElement('select');
  select.dataset.control = 'language';
  for (const [code, language] of Object.entries(LANGUAGES)) {
    const option = document.createElement('option');
    option.value = code;
    option.textContent = language.name;
    option.lang = language.tag;
    select.append(option);
  }
  select.value = languageCode();
  label.append(caption, select);
  const note = document.createElement('span');
  note.className = 'lesson-problem';
  note.id = 'language-problem';
  select.setAttribute('aria-describedby', note.id);
  note.setAttribute('role', 'status');
  setText(note, problem);
  note.hidden = !problem;
  holder.append(label, note);
  const showCaption = () => setText(caption, text('language'));
  showCaption();
  onTableChange(showCaption);
  select.addEventListener('change', () => {
    note.hidden = true;
    setLanguage(select.value);
  });
  return holder;
}
