// Every language the page offers, by its code, with the name a speaker of
// it knows it by.
import ja from './ja.js';

/** @type {Record<string, { name: string, table: Record<string, string> }>} */
export const LANGUAGES = {
  ja: { name: '日本語', table: ja },
};
