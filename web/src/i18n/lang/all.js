// Every language the page offers, by its code, with the name a speaker of
// it knows it by and the code the browser knows it by (for <html lang>,
// its fonts and its voices).
import en from './en.js';
import es from './es.js';
import fil from './fil.js';
import ja from './ja.js';
import pt from './pt.js';
import vi from './vi.js';
import zh from './zh.js';

/** @type {Record<string, { name: string, tag: string, table: Record<string, string> }>} */
export const LANGUAGES = {
  ja: { name: '日本語', tag: 'ja', table: ja },
  en: { name: 'English', tag: 'en', table: en },
  pt: { name: 'Português', tag: 'pt-BR', table: pt },
  zh: { name: '中文（简体）', tag: 'zh-Hans', table: zh },
  fil: { name: 'Filipino', tag: 'fil', table: fil },
  vi: { name: 'Tiếng Việt', tag: 'vi', table: vi },
  es: { name: 'Español', tag: 'es', table: es },
};
