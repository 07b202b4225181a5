// The class files the random learner adds, each drawn from the seeded
// generator: a group's record as the page itself writes it (its CSV writer,
// in a random language), the same with one result typed over, a hostile
// file (formulas and HTML in its cells and its name), an empty or
// commas-only sheet, and the same group saved as Shift_JIS or UTF-16.
import { readFileSync } from 'node:fs';
import { LANGUAGES } from '../../web/src/i18n/lang/all.js';
import { SPEED_KEYS } from '../../web/src/runs/columns.js';
import { csvText } from '../../web/src/runs/table_text.js';

// Runs whose results the trace tool gave: m1 m2 r1 r2 height length, mm.
const KNOWN = [
  [10, 20, 10, 10, 20, 60, 253], [20, 20, 10, 10, 20, 60, 379], [30, 20, 10, 10, 20, 60, 455],
  [40, 20, 10, 10, 20, 60, 506], [50, 20, 10, 10, 20, 60, 542], [20, 20, 10, 10, 10, 60, 268],
  [20, 20, 10, 10, 40, 60, 537], [20, 10, 10, 13, 20, 60, 506], [50, 10, 8, 14, 40, 80, 793],
];
const SJIS = readFileSync(new URL('fixtures/class_group_sjis.csv', import.meta.url));
const HOSTILE_NAMES = ['=HYPERLINK("http://x")<img src=x onerror=alert(1)>.csv', '\u200b=1+1.csv', '＝SUM(A1).csv',
  '|cmd.csv', '<script>alert(1)</script>.csv', '"; DROP.csv'];
const HOSTILE_CELLS = ['=1+1', '<b>A</b>', '@SUM(A1)', '+cmd|\' /C calc\'!A0', '\u202e=2*3', '"quoted, comma"'];

/** @param {() => number} random @param {any[]} list */
const pick = (random, list) => list[Math.floor(random() * list.length)];

/** @param {string} code */
const wordsOf = (code) => (/** @type {string} */ key) => LANGUAGES[code].table[key] ?? LANGUAGES.ja.table[key];

/** A few known runs as the record's rows. @param {() => number} random */
function rows(random) {
  const count = 1 + Math.floor(random() * 5);
  return Array.from({ length: count }, (_, i) => {
    const [m1, m2, r1, r2, height, length, resultMm] = pick(random, KNOWN);
    const predictionMm = random() < 0.5 ? null : Math.floor(random() * 1000);
    return { run: i + 1, id: `l${i}`, at: 0, m1, m2, r1, r2, height, length, speed: pick(random, SPEED_KEYS), resultMm, predictionMm };
  });
}

/**
 * One file for `setInputFiles`, and its kind.
 * @param {() => number} random
 * @param {number} n a number for the file's name
 */
export function classFile(random, n) {
  const kind = pick(random, ['group', 'group', 'wrong', 'hostile', 'empty', 'encoded']);
  const lang = pick(random, Object.keys(LANGUAGES));
  const some = rows(random);
  const file = (name, buffer) => ({ kind, file: { name, mimeType: 'text/csv', buffer } });
  if (kind === 'wrong') some[Math.floor(random() * some.length)].resultMm += 1 + Math.floor(random() * 50);
  if (kind === 'group' || kind === 'wrong') return file(`${n}班.csv`, Buffer.from(csvText(wordsOf(lang), some), 'utf8'));
  if (kind === 'hostile') {
    const lines = csvText(wordsOf(lang), some).split('\r\n');
    const cells = lines[1].split(',');
    cells[Math.floor(random() * cells.length)] = pick(random, HOSTILE_CELLS);
    lines[1] = cells.join(',');
    return file(pick(random, HOSTILE_NAMES), Buffer.from(lines.join('\r\n'), 'utf8'));
  }
  if (kind === 'empty') return file(`${n}空.csv`, Buffer.from(pick(random, ['', ',,,,\r\n,,,,\r\n', '\uFEFF', ';;;\n'])));
  if (random() < 0.5) return file(`${n}班sjis.csv`, SJIS);
  return file(`${n}班utf16.csv`, Buffer.from(csvText(wordsOf(lang), some), 'utf16le'));
}
