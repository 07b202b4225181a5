// The page's languages: each table names exactly the texts the Japanese one
// does, with the same values put in, none is left empty, each follows its
// glossary (docs/glossary/<lang>.md), and the Japanese is in one style.
import { test } from 'node:test';
import assert from 'node:assert/strict';
import { readFileSync } from 'node:fs';
import { LANGUAGES } from '../../../web/src/i18n/lang/all.js';
import { decimalMark, formatDecimal, formatTenths, parseDecimal } from '../../../web/src/i18n/numbers.js';
import { predictionFrom } from '../../../web/src/lesson/prediction.js';

const ja = LANGUAGES.ja.table;
const placeholders = (template) => [...new Set([...template.matchAll(/\{(\w+)\}/g)].map((m) => m[1]))].sort();
// The reading written over the title's kanji has no counterpart elsewhere.
const mayBeEmpty = new Set(['window.title_s']);
// The Japanese window's texts are the program's own, word for word; a
// column's former names are what older files still carry.
const ownedElsewhere = (code, key) => (code === 'ja' && /^(window|a11y)\./.test(key)) || /Before$|^former/.test(key);
const teacherText = (key) => /^(class|teacher|lessonBad|lessonUnknown|lessonRepeated)/.test(key);

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

// A glossary's rows: { term, used: string[], wrong: (string|RegExp)[], where, except: string[] }.
function glossary(code) {
  const rows = readFileSync(new URL(`../../../docs/glossary/${code}.md`, import.meta.url), 'utf8')
    .split('\n').filter((line) => line.startsWith('| ') && !line.startsWith('| Term'));
  const marks = (cell) => [...cell.matchAll(/`([^`]+)`/g)].map((m) => m[1]);
  return rows.map((line) => {
    const [term, used, , wrong, checked] = line.slice(1, -1).split('|').map((cell) => cell.trim());
    const [where, ...except] = checked.replace('except ', '').split(' ');
    return {
      term,
      used: marks(used),
      wrong: marks(wrong).map((w) => (/^\/.+\/$/.test(w) ? new RegExp(w.slice(1, -1)) : w)),
      where,
      except,
    };
  });
}

test('every table uses the words its glossary names and none it lists as wrong', () => {
  const faults = [];
  for (const [code, { table }] of Object.entries(LANGUAGES)) {
    const rows = glossary(code);
    assert.ok(rows.length >= 17, `${code}: the glossary names the experiment's terms`);
    const texts = Object.entries(table).filter(([key]) => !ownedElsewhere(code, key));
    const all = texts.map(([, value]) => value.toLowerCase()).join('\n');
    for (const row of rows) {
      for (const word of row.used) if (!all.includes(word.toLowerCase())) faults.push(`${code} never says "${word}" (${row.term})`);
      for (const [key, value] of texts) {
        if (row.except.includes(key) || (row.where === 'teacher') !== teacherText(key) && row.where !== 'all') continue;
        for (const wrong of row.wrong) {
          const found = typeof wrong === 'string' ? value.includes(wrong) : wrong.test(value);
          if (found) faults.push(`${code} ${key} says "${wrong}" for ${row.term}: "${value}"`);
        }
      }
    }
  }
  assert.deepEqual(faults, []);
});

test('Japanese texts put no space between two Japanese characters', () => {
  const japanese = '[\\u3001-\\u30ff\\u4e00-\\u9fff\\uff01-\\uff5e]';
  const spaced = new RegExp(`${japanese} +${japanese}`);
  const spacedKeys = Object.entries(ja).filter(([key, value]) => !ownedElsewhere('ja', key) && spaced.test(value));
  assert.deepEqual(spacedKeys.map(([key]) => key), []);
});

test('numbers are written and read with each language\'s decimal mark, and read back to the same value', () => {
  const comma = Object.keys(LANGUAGES).filter((code) => decimalMark(code) === ',');
  assert.deepEqual(comma, ['pt', 'vi', 'es']);
  for (const code of Object.keys(LANGUAGES)) {
    const mark = decimalMark(code);
    for (const tenths of [0, 5, 379, 400, 2000]) {
      const written = formatTenths(tenths, code);
      assert.match(written, new RegExp(`^\\d+\\${mark}\\d$`), `${code} ${tenths}`);
      assert.equal(parseDecimal(written, code), tenths / 10, `${code} ${written}`);
      assert.equal(parseDecimal(formatDecimal(tenths / 10, code), code), tenths / 10);
    }
    // Full-width digits and mark from a Japanese keyboard; a point in every language.
    assert.equal(parseDecimal(`３７${mark === ',' ? '，' : '．'}５`, code), 37.5, code);
    assert.equal(predictionFrom('37.5', code), '37.5', code);
    assert.equal(predictionFrom(`37${mark}5 cm`, code), '37.5', code);
    // A comma is a decimal mark only where the language writes one.
    assert.equal(predictionFrom('37,5', code), mark === ',' ? '37.5' : null, code);
    for (const bad of ['37,55', '3,7,5', '-1', '1e2', ',5', '37.', '200,1']) assert.equal(predictionFrom(bad, code), null, `${code} ${bad}`);
  }
});
