// The page's languages: each table names exactly the texts the Japanese one
// does, with the same values put in, and none is left empty.
import { test } from 'node:test';
import assert from 'node:assert/strict';
import { LANGUAGES } from '../../../web/src/i18n/lang/all.js';

const ja = LANGUAGES.ja.table;
const placeholders = (template) => [...new Set([...template.matchAll(/\{(\w+)\}/g)].map((m) => m[1]))].sort();
// The reading written over the title's kanji has no counterpart elsewhere.
const mayBeEmpty = new Set(['window.title_s']);

test('every language has every text of the Japanese table and no other, with the same values put in', () => {
  for (const [code, { table }] of Object.entries(LANGUAGES)) {
    const missing = Object.keys(ja).filter((key) => !(key in table));
    const extra = Object.keys(table).filter((key) => !(key in ja));
    assert.deepEqual(missing, [], `${code} lacks these texts`);
    assert.deepEqual(extra, [], `${code} has texts Japanese does not`);
    for (const [key, value] of Object.entries(table)) {
      assert.equal(typeof value, 'string', `${code} ${key}`);
      if (!mayBeEmpty.has(key)) assert.ok(value.trim(), `${code} ${key} is empty`);
      assert.deepEqual(placeholders(value), placeholders(ja[key]), `${code} ${key} puts in other values`);
    }
  }
});
