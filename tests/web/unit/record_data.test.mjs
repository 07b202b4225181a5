// The record's pure parts, without a browser: stored records read and
// checked, copies from two tabs put together, the CSV's bytes, the chart's
// axis and series, and the store's set-aside, cap and carry-over.
import { test } from 'node:test';
import assert from 'node:assert/strict';
import { csvText, MAX_ROWS, parseRecord, runFrom, serialise, settle } from '../../../web/src/record_rows.js';
import { defaultAxis, differingSettings, seriesOf } from '../../../web/src/record_chart_data.js';
import { RecordStore } from '../../../web/src/record_store.js';

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
    [JSON.stringify({ kind: 'shoutotsu-record', version: 2, rows: [] }), 'other-version'],
  ]) assert.equal(parseRecord(damage).problem, problem, damage);
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

test('the CSV: a byte-order mark, the Japanese header, CRLF, cells quoted only where needed', () => {
  const text = csvText([{ n: 1, ...run() }]);
  assert.ok(text.startsWith('\uFEFF回,当てるぴるての重さ (g),'));
  assert.ok(text.endsWith('\r\n1,20,20,10,10,20,60,中,37.9cm\r\n'));
  assert.equal(text.split('\r\n').length, 3);
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
