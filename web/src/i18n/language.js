// The page's language: the one the address asks for (?lang=pt), else the
// one this device remembers, else Japanese. Choosing one shows every text
// of the page in it at once: the tables' listeners (text.js) show their
// texts again, and the page's static notes are filled in here.
import { LANGUAGES } from './lang/all.js';
import { text, useTable } from './text.js';

const kStoreKey = 'shoutotsu.language';
// A strange value in the address is quoted back only this far.
const kQuotedLength = 20;

let current = 'ja';

// Not Object.hasOwn: the page runs in Safari 15.0.
/** @param {string} code */
const offered = (code) => Object.prototype.hasOwnProperty.call(LANGUAGES, code);

/** The code of the page's language ("ja", "en" …). */
export const languageCode = () => current;

function storage() {
  try {
    return window.localStorage;
  } catch {
    return null; // a locked-down browser: the choice lasts until the tab closes
  }
}

/**
 * Takes the language from the address or from what this device remembers.
 * Returns '' or, when the one asked for is none of the page's, a message
 * saying so (in Japanese, the language shown instead).
 */
export function startLanguage() {
  const asked = new URLSearchParams(location.search).get('lang');
  let remembered;
  try {
    remembered = storage()?.getItem(kStoreKey) ?? null;
  } catch {
    remembered = null;
  }
  const wanted = asked ?? remembered;
  if (wanted === null) return '';
  if (!offered(wanted)) {
    // Nothing is kept of a bad choice; the one remembered before stays
    // unless it was itself the bad one.
    if (asked === null) forget();
    setLanguage('ja', false);
    return text('badLanguage', {
      asked: wanted.length > kQuotedLength ? `${wanted.slice(0, kQuotedLength)}…` : wanted,
      codes: Object.keys(LANGUAGES).join(', '),
    });
  }
  setLanguage(wanted, asked !== null);
  return '';
}

function forget() {
  try {
    storage()?.removeItem(kStoreKey);
  } catch {
    // nothing to forget where nothing is kept
  }
}

/**
 * Shows the page in language `code` and, when `remember`, keeps the choice
 * on this device (and in the address, where the address names one).
 * @param {string} code
 * @param {boolean} [remember]
 */
export function setLanguage(code, remember = true) {
  const language = LANGUAGES[code] ?? LANGUAGES.ja;
  current = offered(code) ? code : 'ja';
  document.documentElement.lang = language.tag;
  if (remember) {
    try {
      storage()?.setItem(kStoreKey, current);
    } catch {
      // full or refused: the choice lasts until the tab closes
    }
    const address = new URL(location.href);
    if (address.searchParams.has('lang')) {
      address.searchParams.set('lang', current);
      history.replaceState(history.state, '', address);
    }
  }
  useTable(language.table);
  showStaticTexts();
}

// The notes written into index.html (loading, a browser that cannot run
// the program, a failed load) name their texts in data-text, and the
// page's landmark its name in data-text-label.
function showStaticTexts() {
  for (const element of document.querySelectorAll('[data-text]')) {
    element.textContent = text(/** @type {HTMLElement} */ (element).dataset.text ?? '');
  }
  for (const element of document.querySelectorAll('[data-text-label]')) {
    element.setAttribute('aria-label', text(/** @type {HTMLElement} */ (element).dataset.textLabel ?? ''));
  }
}
