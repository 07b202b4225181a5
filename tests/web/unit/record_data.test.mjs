// The record's pure parts, without a browser: stored records read and
// checked, copies from two tabs put together, the CSV's bytes, the chart's
// axis and series, and the store's set-aside, cap and carry-over.
import { test } from 'node:test';
import assert from 'node:assert/strict';
import { columnName, ROW_KEYS } from '../../../web/src/class/class_files.js';
import { csvText, header, MAX_ROWS, parseRecord, runFrom, serialise, settle, tsvText } from '../../../web/src/runs/record_rows.js';
import { defaultAxis, differingSettings, seriesOf } from '../../../web/src/runs/record_chart_data.js';
import { changedConditions } from '../../../web/src/runs/record_changes.js';
import { predictionFrom } from '../../../web/src/lesson/prediction.js';
import ja from '../../../web/src/i18n/lang/ja.js';
import { PARAMETER_TABLE } from '../../../web/src/runs/parameter_table.js';
import { RecordStore } from '../../../web/src/record/record_store.js';

const run = (changes = {}) => ({ m1: '20', m2: '20', r1: '10', r2: '10', height: '20', length: '60', speed: '中', result: '37.9cm', ...changes });
const stored = (rows, extra = {}) => JSON.stringify({ kind: 'shoutotsu-record', version: 1, ...extra, rows });

// `room`: the longest value a key other than the record's own may take (a
// copy of a large record that does not fit).
function memoryStorage(initial = {}, room = Infinity) {
  const items = new Map(Object.entries(initial));
  return {
    get length() { return items.size; },
    key: (i) => [...items.keys()][i] ?? null,
    getItem: (key) => (items.has(key) ? items.get(key) : null),
    setItem: (key, value) => {
      if (key !== 'k' && String(value).length > room) throw new Error('QuotaExceededError');
      items.set(key, String(value));
    },
    removeItem: (key) => items.delete(key),
    items,
  };
}

test('a stored record: rows of the first version read with ids from their numbers; damage of any kind is a problem', () => {
  // A dragged thumb stops between the arrows' steps: such a run is a run.
  assert.equal(parseRecord(stored([{ n: 1, ...run({ r2: '13', height: '23' }) }])).rows[0].r2, '13');
  assert.equal(runFrom(run({ m1: '17' })).m1, '17');
  const read = parseRecord(stored([{ n: 1, ...run() }, { n: 2, ...run({ m1: '30' }) }]));
  assert.deepEqual(read.rows.map((row) => [row.n, row.id, row.m1]), [[1, 'n1', '20'], [2, 'n2', '30']]);
  for (const [damage, problem] of [
    ['{', 'set-aside'],
    [stored([{ n: 1, ...run({ m1: '60' }) }]), 'set-aside'],
    [stored([{ n: 1, ...run({ r2: '7' }) }]), 'set-aside'],
    [stored([{ n: 1e12, ...run() }]), 'set-aside'],
    [stored([{ n: 1, ...run({ result: '<b>1</b>' }) }]), 'set-aside'],
    [stored([{ n: 1, ...run({ prediction: '250' }) }]), 'set-aside'],
    [stored([], { notes: { text: 7, at: 1 } }), 'set-aside'],
    [JSON.stringify({ kind: 'shoutotsu-record', version: 3, rows: [] }), 'other-version'],
  ]) assert.equal(parseRecord(damage).problem, problem, damage);
  // This page writes version 2: predictions and the conclusions travel.
  const written = serialise([{ n: 1, id: 'a', at: 5, ...runFrom(run({ prediction: '40' })) }], 0, { text: 'おもいと遠く', at: 9 });
  const back = parseRecord(written);
  assert.equal(back.rows[0].prediction, '40');
  assert.deepEqual(back.notes, { text: 'おもいと遠く', at: 9 });
});

test('a prediction is 0 to 200 cm with one decimal at most, as typed on any keyboard; anything else is refused', () => {
  for (const [typed, kept] of [['40', '40'], ['37.5', '37.5'], ['０４０', '40'], [' 200 cm', '200'], ['40.0', '40'], ['', '']]) {
    assert.equal(predictionFrom(typed), kept, typed);
  }
  for (const typed of ['abc', '-1', '250', '200.1', '3.75', '1e2', '40,5', '.5']) assert.equal(predictionFrom(typed), null, typed);
  assert.throws(() => runFrom(run({ prediction: 'abc' })), /prediction/);
});

test('two tabs\' copies become one: each run once, numbers kept unless they clash, none from before a clear', () => {
  const a = { n: 3, id: 'a', at: 100, ...run() };
  const b = { n: 3, id: 'b', at: 101, ...run({ m1: '40' }) };
  const old = { n: 1, id: 'old', at: 10, ...run() };
  const merged = settle([old, a, b, a], 0);
  assert.deepEqual(merged.map((row) => [row.id, row.n]), [['old', 1], ['a', 3], ['b', 4]]);
  assert.deepEqual(settle([old, a, b], 50).map((row) => row.id), ['a', 'b']);
  const again = parseRecord(serialise(merged, 50));
  assert.deepEqual(again.rows.map((row) => row.id), ['a', 'b'], 'the clear travels with the record');
});

test('the CSV and the copied table: the same columns, the prediction before the result, the speed named for its frame', () => {
  const rows = [{ n: 1, ...runFrom(run({ prediction: '40' })) }, { n: 2, ...runFrom(run()) }];
  const text = csvText(rows);
  assert.equal(text.split('\r\n')[0], '\uFEFF回,当てるぴるての重さ (g),当てられるぴるての重さ (g),当てるぴるての半径 (mm),'
    + '当てられるぴるての半径 (mm),レールの高さ (cm),ななめの長さ (cm),シミュレーション速度,予想 (cm),結果（当てられるぴるての動いた距離）');
  assert.ok(text.endsWith('\r\n1,20,20,10,10,20,60,中,40,37.9cm\r\n2,20,20,10,10,20,60,中,,37.9cm\r\n'));
  const copied = tsvText(rows).split('\r\n');
  assert.deepEqual(copied.map((line) => line.split('\t').length), [10, 10, 10, 1]);
  assert.equal(copied[1], '1\t20\t20\t10\t10\t20\t60\t中\t40\t37.9cm');
  // The names in the header are the core's, and the class's record reads
  // the files by the same header.
  for (const p of PARAMETER_TABLE.parameters) assert.equal(ja[`setting_${p.key}`], p.name);
  assert.deepEqual(ROW_KEYS.map(columnName), header());
});

test('the conditions a run changed from the one before; the speed is never one', () => {
  const rows = [run(), run({ m1: '30' }), run({ m1: '30', speed: '速' }), run({ height: '30', r1: '12' })];
  assert.deepEqual(changedConditions(rows), [[], ['m1'], [], ['m1', 'r1', 'height']]);
  assert.deepEqual(differingSettings(rows.slice(1, 3)), [], 'nor a chart\'s axis');
});

test('the chart\'s axis is the condition that changed, the lesson\'s first when several did; runs alike form a series', () => {
  const rows = [run({ m1: '10' }), run({ m1: '30' }), run({ m1: '30', height: '30' })].map((r, i) => ({ n: i + 1, ...r }));
  assert.deepEqual(differingSettings(rows), ['m1', 'height']);
  assert.equal(defaultAxis(differingSettings(rows)), 'm1');
  assert.equal(defaultAxis(['r2', 'height']), 'height');
  assert.deepEqual(seriesOf(rows, 'm1').map((s) => s.rows.map((row) => row.n)), [[1, 2], [3]]);
});

test('the store sets an unreadable record aside, keeps the newest rows past the cap, and carries old per-address records over', () => {
  const notices = [];
  const make = (storage, address = null) => new RecordStore({
    storage, storageKey: 'k', address, notice: (kind) => notices.push(kind), withdraw: () => {},
  });
  const damaged = memoryStorage({ k: 'not json' });
  const store = make(damaged);
  store.load();
  assert.deepEqual(notices, ['set-aside']);
  assert.equal([...damaged.items.values()].filter((v) => v === 'not json').length, 1, 'kept under a key of its own');
  store.add(run());
  assert.equal(parseRecord(damaged.getItem('k')).rows.length, 1);

  // Too large to copy: nothing is saved until the learner lets it go.
  const tight = memoryStorage({ k: 'x'.repeat(100) }, 99);
  const blocked = make(tight);
  blocked.load();
  assert.ok(blocked.blocked);
  blocked.add(run());
  assert.equal(tight.getItem('k'), 'x'.repeat(100));
  assert.ok(blocked.freeBlocked());
  assert.equal(parseRecord(tight.getItem('k')).rows.length, 1, 'the run made meanwhile is kept');

  const many = make(memoryStorage({ k: stored(Array.from({ length: MAX_ROWS + 5 }, (_, i) => ({ n: i + 1, ...run() }))) }));
  notices.length = 0;
  many.load();
  assert.equal(many.rows.length, MAX_ROWS);
  assert.equal(many.rows[0].n, 6);
  assert.deepEqual(notices, ['cap']);

  const perAddress = memoryStorage({ 'k:/index.html': stored([{ n: 1, ...run() }]), 'k:/': stored([{ n: 1, ...run({ m1: '50' }) }]) });
  const joined = make(perAddress, '/');
  joined.load();
  assert.deepEqual(joined.rows.map((row) => [row.n, row.m1]), [[1, '50'], [2, '20']], 'this address first');
  assert.deepEqual([...perAddress.items.keys()], ['k'], 'old keys go once the joined record reads back');
});
