// The class's record without a browser: group files decoded and read in
// every form they arrive in, refused with their name and line, rows checked
// against the experiment, the combined CSV, and the record stored and set
// aside.
import { test } from 'node:test';
import assert from 'node:assert/strict';
import { readFileSync } from 'node:fs';
import { decodeCsv, readGroupFile } from '../../../web/src/class/class_files.js';
import { classCsv, joinGroup, mismatchedRows, parseClass, serialiseClass } from '../../../web/src/class/class_rows.js';
import { ClassStore } from '../../../web/src/class/class_store.js';
import { LANGUAGES } from '../../../web/src/i18n/lang/all.js';

const HEADER = '回,当てるぴるての重さ (g),当てられるぴるての重さ (g),当てるぴるての半径 (mm),当てられるぴるての半径 (mm),'
  + 'レールの高さ (cm),ななめの長さ (cm),シミュレーション速度,予想 (cm),結果（当てられるぴるての動いた距離）';
const OLD_HEADER = HEADER.replace('シミュレーション速度,予想 (cm)', '速さ');
const utf8 = (text, bom = true) => new Uint8Array(Buffer.from((bom ? '\uFEFF' : '') + text, 'utf8'));
const file = (lines, bom = true, end = '\r\n') => utf8(lines.join(end) + end, bom);
const sjis = new Uint8Array(readFileSync(new URL('../fixtures/class_group_sjis.csv', import.meta.url)));

test('a group\'s file as the page saves it and as a spreadsheet saves it again', () => {
  const saved = readGroupFile('1班.csv', file([HEADER, '1,20,20,10,10,20,60,中,40,37.9cm', '2,30,20,10,10,20,60,中,,45.5cm']));
  assert.equal(saved.group.name, '1班');
  assert.deepEqual(saved.group.rows[1], { n: '2', m1: '30', m2: '20', r1: '10', r2: '10', height: '20', length: '60', speed: '中', prediction: '', result: '45.5cm' });

  const resaved = readGroupFile('2班.CSV', sjis);
  assert.equal(resaved.group.name, '2班');
  assert.deepEqual(resaved.group.rows.map((row) => [row.m2, row.r2, row.speed, row.prediction, row.result]),
    [['10', '13', '速', '', '50.6cm'], ['20', '13', '速', '', '37.9cm'], ['30', '13', '速', '', '30.4cm'], ['40', '13', '速', '', '25.3cm']]);

  // Without a byte-order mark, with LF, the old header, values between the
  // arrows' steps, a blank line and a spreadsheet's empty last column.
  const plain = readGroupFile('3班.csv', file([`${OLD_HEADER},`, '1,13,37,13,9,23,67,遅,26.2cm,', ''], false, '\n'));
  assert.deepEqual(plain.group.rows.map((row) => row.result), ['26.2cm']);
  // The same text in another encoding or with other line ends is the same file.
  assert.equal(readGroupFile('a.csv', file([OLD_HEADER, '1,20,20,10,13,20,60,速,37.9cm'], false, '\n')).group.source,
    readGroupFile('b.csv', file([OLD_HEADER, '1,20,20,10,13,20,60,速,37.9cm'])).group.source);
  assert.deepEqual(decodeCsv(new Uint8Array([0xef, 0xbb, 0xbf])), { problem: 'empty' });
});

test('a file that is not a record is refused with its name, its line and what belongs there', () => {
  const row = '1,20,20,10,10,20,60,中,40,37.9cm';
  const cases = [
    [file(['名前,点数', '山田,80']), /「x\.csv」の1行目が記録の見出しではありません。見出しは「回,当てるぴるての重さ \(g\),/],
    [file([HEADER.replace('回,', ''), row.slice(2)]), /1行目が記録の見出し/],
    [file([HEADER, row, '2,20,20,10,10,20,60,中,37.9cm']), /「x\.csv」の3行目は値が9個あります。正しくは10個です。/],
    [file([HEADER, row, '', '3,20,51,10,10,20,60,中,,37.9cm']), /4行目の「当てられるぴるての重さ \(g\)」が「51」です。10から50までの整数/],
    [file([HEADER, '1,20,20,10,7,20,60,中,,37.9cm']), /2行目の「当てられるぴるての半径 \(mm\)」が「7」です。8から14まで/],
    [file([HEADER, '1,20,20,10,10,20,60,中,,37.9']), /2行目の「結果（当てられるぴるての動いた距離）」が「37\.9」です。「37\.9cm」のような距離/],
    [file([HEADER, '1,20,20,10,10,20,60,中,201,37.9cm']), /「予想 \(cm\)」が「201」です。0から200まで/],
    [file([HEADER, '1,20,20,10,10,20,60,普通,,37.9cm']), /「シミュレーション速度」が「普通」です。「速」「中」「遅」のいずれか/],
    [file([HEADER, '1,20,20,10,10,20,60,中,,"37.9cm']), /「x\.csv」の2行目の「"」が閉じていません/],
    [file([HEADER]), /「x\.csv」には記録の行がありません/],
    [new Uint8Array(0), /「x\.csv」は空です/],
    [new Uint8Array([0x89, 0x50, 0x4e, 0x47, 0x0d, 0x0a, 0x1a, 0x0a, 0, 0, 0, 13]), /「x\.csv」はテキストファイルではありません/],
    [new Uint8Array(1024 * 1024 + 1).fill(0x31), /「x\.csv」は大きすぎます（1 MB まで）/],
  ];
  for (const [bytes, message] of cases) {
    const read = readGroupFile('x.csv', bytes);
    assert.match(read.error, message);
  }
});

test('a language added to the page\'s list is read by its own column names', () => {
  const names = { classColumnRun: 'Run', classColumnM1: 'm1 (g)', classColumnSpeed: 'Speed', classColumnResult: 'Result' };
  LANGUAGES.xx = { name: 'xx', table: names };
  try {
    const header = HEADER.replace('回', 'Run').replace('当てるぴるての重さ (g)', 'm1 (g)')
      .replace('シミュレーション速度', 'Speed').replace('結果（当てられるぴるての動いた距離）', 'Result');
    assert.equal(readGroupFile('en.csv', file([header, '1,20,20,10,10,20,60,中,,37.9cm'])).group.rows[0].result, '37.9cm');
  } finally {
    delete LANGUAGES.xx;
  }
});

test('rows checked against the experiment, the combined CSV and the stored record', () => {
  const asked = [];
  const resultFor = (...settings) => {
    asked.push(settings.join(','));
    return settings[2] === 20 ? '37.9cm' : '45.5cm';
  };
  const row = (m1, result, more = {}) => ({ n: '1', m1, m2: '20', r1: '10', r2: '10', height: '20', length: '60', speed: '中', prediction: '', result, ...more });
  const groups = [
    { name: '=HYPERLINK("x")', source: 'a', rows: [row('20', '37.9cm', { prediction: '40' }), row('30', '45.5cm', { speed: '速' })] },
    { name: '-2班, "B"', source: 'b', rows: [row('20', '37.9cm', { speed: '遅' }), row('30', '12.3cm')] },
  ];
  const wrong = mismatchedRows(groups, resultFor);
  assert.deepEqual([...wrong], [groups[1].rows[1]]);
  // The speed never changes a result, so it is asked once per setting.
  assert.deepEqual(asked, ['20,60,20,20,10,10', '20,60,30,20,10,10']);

  const csv = classCsv(groups);
  assert.equal(csv, `\uFEFF班,${HEADER}\r\n`
    + `"'=HYPERLINK(""x"")",1,20,20,10,10,20,60,中,40,37.9cm\r\n"'=HYPERLINK(""x"")",1,30,20,10,10,20,60,速,,45.5cm\r\n`
    + `"'-2班, ""B""",1,20,20,10,10,20,60,遅,,37.9cm\r\n"'-2班, ""B""",1,30,20,10,10,20,60,中,,12.3cm\r\n`);
  // Read back by the page, the combined CSV is refused (another header), not taken for a group.
  assert.match(readGroupFile('all.csv', utf8(csv, false)).error, /1行目が記録の見出しではありません/);

  assert.deepEqual(parseClass(serialiseClass(groups)), { groups });
  // Another file of the same name is a group of its own; the same text again is not.
  const joined = joinGroup(groups, { ...groups[1], source: 'c' }, 'x.csv');
  assert.equal(joined.groups[2].name, '-2班, "B" (2)');
  assert.deepEqual(joinGroup(joined.groups, { ...groups[0], name: 'y' }, 'y.csv').groups, joined.groups);
  for (const damaged of ['{', '{"kind":"shoutotsu-class","version":2,"groups":[]}',
    serialiseClass([{ ...groups[0], rows: [row('60', '37.9cm')] }])]) {
    assert.ok('problem' in parseClass(damaged), damaged);
  }
});

test('the stored class\'s record: kept, set aside when damaged, never overwritten when it cannot be', () => {
  const storage = (items, full = false) => ({
    items,
    getItem: (key) => items.get(key) ?? null,
    setItem: (key, value) => {
      if (full) throw new Error('QuotaExceededError');
      items.set(key, value);
    },
    removeItem: (key) => items.delete(key),
  });
  const told = [];
  const notice = (key) => told.push(key);
  const kept = storage(new Map());
  const groups = [{ name: '1班', source: 's', rows: [{ n: '1', m1: '20', m2: '20', r1: '10', r2: '13', height: '20', length: '60', speed: '中', prediction: '', result: '37.9cm' }] }];
  new ClassStore({ storage: kept, notice }).save(groups);
  assert.deepEqual(new ClassStore({ storage: kept, notice }).load(), groups);

  const damaged = storage(new Map([['shoutotsu.class.v1', '{"kind":"shoutotsu-class"']]));
  assert.deepEqual(new ClassStore({ storage: damaged, notice }).load(), []);
  const aside = [...damaged.items.keys()].find((key) => key.startsWith('shoutotsu.class.v1:set-aside:'));
  assert.equal(damaged.items.get(aside), '{"kind":"shoutotsu-class"');
  assert.equal(damaged.items.has('shoutotsu.class.v1'), false);

  const full = storage(new Map([['shoutotsu.class.v1', 'x']]), true);
  const blocked = new ClassStore({ storage: full, notice });
  blocked.load();
  blocked.save(groups);
  assert.equal(full.items.get('shoutotsu.class.v1'), 'x', 'the unreadable record stays until the teacher clears it');
  assert.ok(blocked.blocked);

  new ClassStore({ storage: null, notice }).load();
  assert.deepEqual(told, ['classStoreSetAside', 'classStoreBlocked', 'classStoreMemory']);
});
