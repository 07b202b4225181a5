// Every language the page offers, by its code, with the name a speaker of
// it knows it by and the code the browser knows it by (for <html lang>,
// its fonts and its voices). Japanese is the page's own; another language's
// table is made the first time it is read, so a page shown in Japanese
// never builds the other six before its first frame.
import { once } from '../../once.js';
import en from './en.js';
import es from './es.js';
import fil from './fil.js';
import ja from './ja.js';
import pt from './pt.js';
import vi from './vi.js';
import zh from './zh.js';

/**
 * @param {string} name
 * @param {string} tag
 * @param {() => Record<string, string>} make
 */
function later(name, tag, make) {
  const table = once(make);
  return { name, tag, get table() { return table(); } };
}

/** @type {Record<string, { name: string, tag: string, readonly table: Record<string, string> }>} */
export const LANGUAGES = {
  ja: { name: '日本語', tag: 'ja', table: ja },
  en: later('English', 'en', en),
  pt: later('Português', 'pt-BR', pt),
  zh: later('中文（简体）', 'zh-Hans', zh),
  fil: later('Filipino', 'fil', fil),
  vi: later('Tiếng Việt', 'vi', vi),
  es: later('Español', 'es', es),
};
