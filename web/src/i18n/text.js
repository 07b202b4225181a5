// The texts a learner reads, from the table of the page's language: one
// table per language in lang/, each keyed by name.
import { LANGUAGES } from './lang/all.js';
import jaTable from './lang/ja.js';

/** @type {Record<string, string>} */
const ja = jaTable;

/** @type {Record<string, string>} */
let table = LANGUAGES.ja.table;

/**
 * The text named `key` in the page's language (Japanese where that language
 * lacks it), with each `{name}` replaced by `values[name]`.
 * @param {string} key
 * @param {Record<string, string | number>} [values]
 */
export function text(key, values = {}) {
  const template = table[key] ?? ja[key];
  if (template === undefined) throw new Error(`text: no text is named ${key}`);
  return template.replace(/\{(\w+)\}/g, (whole, name) => (name in values ? String(values[name]) : whole));
}

/** @type {Set<() => void>} */
const listeners = new Set();

/**
 * Reads texts from `next` from now on, and tells every part of the page
 * that shows texts to show them again.
 * @param {Record<string, string>} next
 */
export function useTable(next) {
  table = next;
  showTextsAgain();
}

/** Tells every part of the page that shows texts to show them again. */
export function showTextsAgain() {
  for (const listener of listeners) listener();
}

/**
 * Calls `listener` each time the page's language changes, until the
 * function returned is called.
 * @param {() => void} listener
 * @returns {() => void}
 */
export function onTableChange(listener) {
  listeners.add(listener);
  return () => listeners.delete(listener);
}
