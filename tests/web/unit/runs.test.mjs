// The runs module without a browser: a run as numbers, distances read as
// numbers, the one CSV/TSV writer and reader (every language, every
// encoding and separator a spreadsheet saves, formulas neutralised), the
// stored records of every version, and the charts' data at any size.
import { test } from 'node:test';
import assert from 'node:assert/strict';
import { readFileSync } from 'node:fs';
import { mmFromText } from '../../../web/src/runs/distance.js';
import { predictionFrom } from '../../../web/src/lesson/prediction.js';
import { runFrom } from '../../../web/src/runs/row.js';
import { runOfEvent } from '../../../web/src/runs/finished_run.js';
import { csvText, neutralised, tsvText } from '../../../web/src/runs/table_text.js';
import { readTable } from '../../../web/src/runs/table_read.js';
import { parseRecord, serialise, settle } from '../../../web/src/runs/record_format.js';
import { parseClass, serialiseClass } from '../../../web/src/runs/class_format.js';
import { axisScale, changedConditions, defaultAxis, differingConditions, resultScale, seriesOf } from '../../../web/src/runs/chart_data.js';
import { CONDITIONS } from '../../../web/src/runs/columns.js';
import { LANGUAGES } from '../../../web/src/i18n/lang/all.js';

// The page's text function over one language's table, as text.js does it.
const wordsOf = (code) => (key, values = {}) => (LANGUAGES[code].table[key] ?? LANGUAGES.ja.table[key])
  .replace(/\{(\w+)\}/g, (whole, name) => (name in values ? String(values[name]) : whole));
const ja = wordsOf('ja');
const run = (changes = {}) => ({ m1: 20, m2: 20, r1: 10, r2: 10, height: 20, length: 60, speed: 'medium', resultMm: 379, predictionMm: null, ...changes });
const row = (n, changes = {}) => ({ run: n, id: `r${n}`, at: n, ...run(changes) });
const bytes = (text, encoding = 'utf8') => new Uint8Array(Buffer.from(text, encoding));
const read = (text, code = 'ja') => readTable(wordsOf(code), 'x.csv', typeof text === 'string' ? bytes(text) : text, 4000);
const OLD_HEADER = '回,当てるぴるての重さ (g),当てられるぴるての重さ (g),当てるぴるての半径 (mm),当てられるぴるての半径 (mm),'
  + 'レールの高さ (cm),ななめの長さ (cm),シミュレーション速度,予想 (cm),結果（当てられるぴるての動いた距離）';

test('a distance and a prediction are read as numbers however they are written; a run is numbers, checked', () => {
  for (const written of ['37.9cm', '37.90cm', '037.9cm', '37.9 cm', '３７.９cm', '37.9CM', '37.9', '37,9', '37.95cm']) {
    assert.equal(mmFromText(written), 379, written);
  }
  assert.equal(mmFromText('47cm'), 470);
  // A prediction as typed: 0 to 200 cm with one decimal at most, on any keyboard.
  for (const [typed, kept] of [['40', '40'], ['37.5', '37.5'], ['０４０', '40'], [' 200 cm', '200'], ['40.0', '40'], ['', '']]) {
    assert.equal(predictionFrom(typed), kept, typed);
  }
  for (const typed of ['abc', '-1', '250', '200.1', '3.75', '1e2', '40,5', '.5']) assert.equal(predictionFrom(typed), null, typed);
  for (const bad of ['', 'cm', '-1cm', '1e3', '37.9mm', '<b>1</b>']) assert.equal(mmFromText(bad), null, bad);
  assert.throws(() => runFrom(run({ m1: 60 })), /m1 must be a whole 10 to 50/);
  assert.throws(() => runFrom(run({ m1: '20' })), /m1/);
  assert.throws(() => runFrom(run({ speed: '中' })), /speed must be one of fast, medium, slow/);
  assert.throws(() => runFrom(run({ predictionMm: 2001 })), /predictionMm/);
  assert.equal(runFrom(run({ r2: 13, height: 23 })).r2, 13, 'a dragged thumb stops between the steps');
  // The window's run, with the result as numbers or (until the core sends them) as kekka's text.
  const detail = { ...run(), resultMm: undefined, result: '45.5cm', spoken: '…' };
  assert.equal(runOfEvent(detail, 400).resultMm, 455);
  assert.deepEqual(runOfEvent({ ...detail, resultMm: 506 }, null), run({ resultMm: 506 }));
});

test('the CSV and the TSV: numbers alone, units in the header, the speed in the page\'s language, read back in any', () => {
  const rows = [row(1, { predictionMm: 400 }), row(2, { speed: 'fast', resultMm: 470 })];
  const csv = csvText(ja, rows);
  const lines = csv.split('\r\n');
  assert.equal(lines[0], `\uFEFF${OLD_HEADER} (cm)`);
  assert.deepEqual(lines.slice(1), ['1,20,20,10,10,20,60,中,40,37.9', '2,20,20,10,10,20,60,速,,47', '']);
  const en = wordsOf('en');
  const english = tsvText(en, rows).split('\r\n');
  assert.equal(english[2], '2\t20\t20\t10\t10\t20\t60\tFast\t\t47');
  assert.match(english[0], /^Trial\tWeight of the striking bob \(g\)\t.*\tResult \(how far the struck bob moved\) \(cm\)$/);
  // Each language's file read back in every other; the rows are the same numbers.
  for (const code of Object.keys(LANGUAGES)) {
    const back = read(csvText(wordsOf(code), rows), code === 'ja' ? 'en' : 'ja');
    assert.deepEqual(back.rows, rows.map(({ id: _id, at: _at, ...r }) => r), code);
  }
  assert.deepEqual(read(tsvText(en, rows)).rows.map((r) => r.speed), ['medium', 'fast']);
  // The copied table takes the language's decimal mark, the file keeps the point; both read back the same.
  const pt = wordsOf('pt');
  const copied = tsvText(pt, rows, { lang: 'pt' });
  assert.equal(copied.split('\r\n')[1].split('\t').slice(-2).join(' '), '40 37,9');
  assert.match(csvText(pt, rows), /,40,37\.9\r\n/);
  assert.deepEqual(read(copied, 'pt').rows, read(csvText(pt, rows), 'pt').rows);
  assert.deepEqual(read(copied, 'pt').rows, rows.map(({ id: _id, at: _at, ...r }) => r));
});

test('files as spreadsheets save them: Shift_JIS, UTF-16, semicolons, old cells, the class\'s own file', () => {
  const sjis = new Uint8Array(readFileSync(new URL('../fixtures/class_group_sjis.csv', import.meta.url)));
  assert.deepEqual(read(sjis).rows.map((r) => [r.m2, r.r2, r.speed, r.resultMm]),
    [[10, 13, 'fast', 506], [20, 13, 'fast', 379], [30, 13, 'fast', 304], [40, 13, 'fast', 253]]);
  const old = `${OLD_HEADER}\r\n1,20,20,10,10,20,60,中,40,37.90cm\r\n2,20,20,10,10,20,60,遅,,３７.９ CM\r\n`;
  // Without a byte-order mark, with LF, a blank line and a spreadsheet's empty last column.
  assert.equal(read(`${OLD_HEADER},\n1,13,37,13,9,23,67,遅,,26.2cm,\n\n`).rows[0].resultMm, 262);
  assert.deepEqual(read(old).rows.map((r) => [r.resultMm, r.predictionMm, r.speed]), [[379, 400, 'medium'], [379, null, 'slow']]);
  const utf16 = Buffer.concat([Buffer.from([0xff, 0xfe]), Buffer.from(old, 'utf16le')]);
  assert.equal(read(new Uint8Array(utf16)).rows.length, 2);
  const semicolons = `${OLD_HEADER.replaceAll(',', ';')}\r\n1;20;20;10;10;20;60;Médio;40;37,9\r\n`;
  assert.deepEqual(read(semicolons, 'pt').rows.map((r) => [r.speed, r.resultMm]), [['medium', 379]]);
  const combined = csvText(ja, [{ ...row(1), group: '1班' }, { ...row(1, { m1: 30 }), group: '=2班' }], { group: true });
  assert.deepEqual(read(combined).rows.map((r) => r.group), ['1班', "'=2班"]);
});

test('a file that is not a record is refused with its name, its line and what belongs there, in the page\'s language', () => {
  const r = '1,20,20,10,10,20,60,中,40,37.9cm';
  for (const [text, message] of [
    ['名前,点数\r\n山田,80', /「x\.csv」の1行目が記録の見出しではありません。見出しは「班,回,当てるぴるての重さ \(g\),/],
    [`${OLD_HEADER}\r\n${r}\r\n2,20,20,10,10,20,60,中,37.9cm`, /「x\.csv」の3行目は値が9個あります。正しくは10個です。/],
    [`${OLD_HEADER}\r\n1,20,51,10,10,20,60,中,,37.9cm`, /2行目の「当てられるぴるての重さ \(g\)」が「51」です。10から50まで/],
    [`${OLD_HEADER}\r\n1,20,20,10,10,20,60,中,201,37.9cm`, /「予想 \(cm\)」が「201」です。0から200まで/],
    [`${OLD_HEADER}\r\n1,20,20,10,10,20,60,中,,"37.9cm`, /2行目の「"」が閉じていません/],
    [OLD_HEADER, /記録の行がありません/],
    [',,,,\r\n,,,,\r\n', /「x\.csv」は空です/],
    [new Uint8Array([0x89, 0x50, 0x4e, 0x47, 0x0d, 0x0a, 0x1a, 0x0a, 0, 0, 0, 13]), /テキストファイルではありません/],
    [new Uint8Array(1024 * 1024 + 1).fill(0x31), /大きすぎます（1 MB まで）/],
  ]) assert.match(read(text).error, message);
  assert.match(read(`${OLD_HEADER}\r\n1,20,20,10,10,20,60,普通,,37.9cm`).error, /「速」「中」「遅」のいずれか/);
  assert.match(read(`${OLD_HEADER}\r\n1,20,20,10,10,20,60,normal,,37.9cm`, 'en').error, /It should be one of "Fast", "Medium", "Slow"\./);
  assert.match(readTable(ja, 'x.csv', bytes(`${OLD_HEADER}\r\n${r}\r\n${r}\r\n`), 1).error, /合わせて1回分まで/);
});

test('a cell a spreadsheet would take for a formula is neutralised, however it is disguised', () => {
  for (const name of ['=1+1', '+1', '-2', '@SUM(A1)', '|calc', '\u200b=1', '\u202e=1', '\ufeff=1', '＝1', '＋1', '｜x', ' =1', '\t=1']) {
    assert.equal(neutralised(name), `'${name}`, JSON.stringify(name));
  }
  for (const name of ['1班', 'A=B', '37.9', '']) assert.equal(neutralised(name), name);
});

test('stored records of every version read with nothing lost; a later version is not this page\'s to read', () => {
  const v1 = JSON.stringify({ kind: 'shoutotsu-record', version: 1, rows: [{ n: 1, m1: '20', m2: '20', r1: '10', r2: '13', height: '23', length: '60', speed: '中', result: '37.9cm' }] });
  const v2 = JSON.stringify({ kind: 'shoutotsu-record', version: 2, notes: { text: 'おもいと遠く', at: 9 },
    rows: [{ n: 2, m1: '30', m2: '20', r1: '10', r2: '10', height: '20', length: '60', speed: '速', result: '45.5cm', prediction: '40', id: 'a', at: 5 }] });
  assert.deepEqual(parseRecord(v1).value.rows, [{ run: 1, id: 'n1', at: 0, ...run({ r2: 13, height: 23 }) }]);
  const second = parseRecord(v2).value;
  assert.deepEqual(second.rows, [{ run: 2, id: 'a', at: 5, ...run({ m1: 30, speed: 'fast', resultMm: 455, predictionMm: 400 }) }]);
  assert.deepEqual(parseRecord(serialise(second)).value, second, 'written now, read back the same');
  assert.equal(JSON.parse(serialise(second)).version, 3);
  for (const [damage, problem] of [
    [JSON.stringify({ kind: 'shoutotsu-record', version: 1, rows: [{ n: 1, ...run({ m1: '60' }) }] }), 'set-aside'],
    [JSON.stringify({ kind: 'shoutotsu-record', version: 2, rows: [{ n: 1e12, ...run() }] }), 'set-aside'],
    [JSON.stringify({ kind: 'shoutotsu-record', version: 4, rows: [] }), 'other-version'],
  ]) assert.equal(parseRecord(damage).problem, problem, damage);
  const classV1 = JSON.stringify({ kind: 'shoutotsu-class', version: 1,
    groups: [{ name: '1班', source: 's', rows: [['1', '20', '20', '10', '10', '20', '60', '遅', '', '37.9cm']] }] });
  const cls = parseClass(classV1).value;
  assert.deepEqual(cls.groups[0].rows, [{ run: 1, ...run({ speed: 'slow' }) }]);
  assert.deepEqual(parseClass(serialiseClass(cls)).value, cls);
  assert.throws(() => parseClass(serialiseClass({ ...cls, groups: [{ ...cls.groups[0], rows: [{ run: 1, ...run({ m1: 60 }) }] }] })));
});

test('two tabs\' copies become one: each run once, numbers kept unless they clash, none from before a clear', () => {
  const a = row(3, {});
  const b = { ...row(3, { m1: 40 }), id: 'b', at: 101 };
  const old = { ...row(1), id: 'old', at: 10 };
  const merged = settle([old, { ...a, at: 100 }, b, { ...a, at: 100 }], 0);
  assert.deepEqual(merged.map((r) => [r.id, r.run]), [['old', 1], ['r3', 3], ['b', 4]]);
  assert.deepEqual(settle(merged, 50).map((r) => r.id), ['r3', 'b']);
});

test('the charts\' data: the conditions a run changed, never the speed; scales over any number of rows', () => {
  const rows = [row(1), row(2, { m1: 30 }), row(3, { m1: 30, speed: 'fast' }), row(4, { height: 30, r1: 12 })];
  assert.deepEqual(changedConditions(rows), [[], ['m1'], [], ['m1', 'r1', 'height']]);
  assert.deepEqual(differingConditions(rows.slice(1, 3)), [], 'the speed is no axis');
  assert.deepEqual(differingConditions(rows), ['m1', 'r1', 'height']);
  assert.equal(defaultAxis(['r2', 'height']), 'height');
  assert.deepEqual(seriesOf(rows, 'm1').map((s) => s.rows.map((r) => r.run)), [[1, 2, 3], [4]]);
  // 200,000 rows: more than the call stack takes as arguments.
  const many = Array.from({ length: 200000 }, (_, i) => row(i + 1, { m1: 10 + (i % 41), resultMm: i }));
  assert.equal(resultScale(many).ticks.at(-1), 20000);
  assert.deepEqual(axisScale(CONDITIONS[0], many).ticks.map((t) => t.text), ['10', '20', '30', '40', '50']);
});
