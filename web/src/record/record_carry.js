// The records the page once kept per address (under `${key}:${path}`),
// found and joined into one: this address's first, then the others by
// name, each run after the last one before it. No page element is touched.
import { byText, keyTag, parseRecord } from '../runs/record_format.js';
import { SET_ASIDE } from '../runs/stored_part.js';

/** @typedef {import('../runs/row.js').Row} Row */

/**
 * The old records' rows joined, and where each came from; null when there
 * are none or the storage cannot be read.
 * @param {Storage} storage
 * @param {string} key
 * @param {string | null} address
 * @returns {{ rows: Row[], sources: { key: string, rows: Row[] }[] } | null}
 */
export function oldRecords(storage, key, address) {
  const prefix = `${key}:/`;
  const first = address === null ? null : `${key}:${address}`;
  const sources = [];
  try {
    const keys = [];
    for (let i = 0; i < storage.length; i++) keys.push(storage.key(i) ?? '');
    const old = keys.filter((k) => k.startsWith(prefix) && !SET_ASIDE.test(k))
      .sort((a, b) => Number(b === first) - Number(a === first) || byText(a, b));
    for (const k of old) {
      let read;
      try {
        read = parseRecord(storage.getItem(k) ?? '', `${keyTag(k)}-`);
      } catch {
        continue; // unreadable: left where it is
      }
      if ('value' in read && read.value.rows.length) sources.push({ key: k, rows: read.value.rows });
    }
  } catch {
    return null;
  }
  if (sources.length === 0) return null;
  let last = 0;
  const rows = sources.flatMap((source) => source.rows.map((row) => {
    const run = Math.max(row.run, last + 1);
    last = run;
    return run === row.run ? row : { ...row, run };
  }));
  return { rows, sources };
}
