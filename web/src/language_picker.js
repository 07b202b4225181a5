// The choice of the page's language: a list of the languages, each by the
// name its speakers know it by, and the note that says why the page is in
// Japanese when the address asked for a language it does not have.
import { LANGUAGES } from './lang/all.js';
import { languageCode, setLanguage, startLanguage } from './language.js';
import { onTableChange, text } from './text.js';

/**
 * Starts the page in its language and returns the element that changes it.
 * @returns {HTMLElement}
 */
export function languagePicker() {
  const problem = startLanguage();
  const holder = document.createElement('span');
  holder.className = 'language-picker';
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
  note.className = 'language-problem';
  note.setAttribute('role', 'status');
  note.textContent = problem;
  note.hidden = !problem;
  holder.append(label, note);
  const showCaption = () => (caption.textContent = text('language'));
  showCaption();
  onTableChange(showCaption);
  select.addEventListener('change', () => {
    note.hidden = true;
    setLanguage(select.value);
  });
  return holder;
}
