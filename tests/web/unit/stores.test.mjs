// The records' stores without a browser: what is stored set aside when it
// cannot be read (never stopping the page), the cap, the records once kept
// per address, two tabs that keep both groups and both notes, and group
// files added one by one whatever the others hold.
import { test } from 'node:test';
import assert from 'node:assert/strict';
import { RecordStore } from '../../../web/src/record/record_store.js';
import { ClassStore, MAX_CLASS_ROWS } from '../../../web/src/class/class_store.js';
import { fileQueue } from '../../../web/src/class/class_files.js';
import { checker } from '../../../web/src/class/class_check.js';
import { MAX_ROWS } from '../../../web/src/runs/record_format.js';
import { csvText } from '../../../web/src/runs/table_text.js';
import ja from '../../../web/src/i18n/lang/ja.js';

const words = (key, values = {}) => ja[key].replace(/\{(\w+)\}/g, (whole, name) => (name in values ? String(values[name]) : whole));
const run = (changes = {}) => ({ m1: 20, m2: 20, r1: 10, r2: 10, height: 20, length: 60, speed: 'medium', resultMm: 379, predictionMm: null, ...changes });
const oldRows = (count) => Array.from({ length: count }, (_, i) => ({ n: i + 1, m1: '20', m2: '20', r1: '10', r2: '10', height: '20', length: '60', speed: '中', result: '37.9cm' }));
const stored = (rows, extra = {}) => JSON.stringify({ kind: 'shoutotsu-record', version: 1, ...extra, rows });

// `room`: the longest value a key other than `k` may take.
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

function recordStore(storage, address = null) {
  const notices = [];
  const store = new RecordStore({ storage, storageKey: 'k', address, notice: (kind) => notices.push(kind), withdraw: () => {} });
  store.load();
  return { store, notices };
}

// Tabs sharing one storage: each write is heard by the others, as the browser's storage event.
function tabs(count, make) {
  const storage = memoryStorage();
  const all = [];
  const set = storage.setItem;
  storage.setItem = (key, value) => {
    set(key, value);
    for (const other of all) if (other !== storage.writer) other.heard({ storageArea: storage, key, newValue: String(value) });
  };
  for (let i = 0; i < count; i++) all.push(make(storage));
  return { storage, all, as: (tab, act) => { storage.writer = tab; act(); storage.writer = null; } };
}

test('the record sets an unreadable record aside, keeps the newest rows past the cap, carries old per-address records over', () => {
  for (const text of ['not json', stored([{ n: 1, foo: 1 }]), '{"kind":"shoutotsu-record","version":9,"rows":[]}']) {
    const storage = memoryStorage({ k: text });
    const { store, notices } = recordStore(storage);
    assert.equal(notices.length, 1, text);
    assert.equal([...storage.items.values()].filter((v) => v === text).length, 1, 'kept under a key of its own');
    store.add(run());
    assert.equal(JSON.parse(storage.getItem('k')).rows.length, 1);
  }
  // Too large to copy: nothing is saved until the learner lets it go.
  const tight = memoryStorage({ k: 'x'.repeat(100) }, 99);
  const { store: blocked } = recordStore(tight);
  assert.ok(blocked.blocked);
  blocked.add(run());
  assert.equal(tight.getItem('k'), 'x'.repeat(100));
  assert.ok(blocked.freeBlocked());
  assert.equal(JSON.parse(tight.getItem('k')).rows.length, 1, 'the run made meanwhile is kept');

  // No storage, one that refuses every call, one that is full: told once, the runs kept in memory.
  const refuse = () => { throw new Error('SecurityError'); };
  for (const storage of [null, { getItem: refuse, setItem: refuse, removeItem: refuse }, { ...memoryStorage(), setItem: refuse }]) {
    const { store, notices: told } = recordStore(storage);
    store.add(run());
    store.add(run());
    assert.deepEqual([store.rows.length, [...new Set(told)]], [2, ['memory']]);
  }
  const { store: many, notices } = recordStore(memoryStorage({ k: stored(oldRows(MAX_ROWS + 5)) }));
  assert.deepEqual([many.rows.length, many.rows[0].run, notices], [MAX_ROWS, 6, ['cap']]);

  const old = { 'k:/index.html': stored(oldRows(1)), 'k:/': stored([{ ...oldRows(1)[0], m1: '50' }]) };
  const full = { ...memoryStorage(old), setItem: refuse };
  assert.equal(recordStore(full, '/').store.rows.length, 2);
  assert.deepEqual([...full.items.keys()], Object.keys(old), 'where the joined record cannot be kept, the old ones stay');
  const perAddress = memoryStorage(old);
  const { store: joined } = recordStore(perAddress, '/');
  assert.deepEqual(joined.rows.map((row) => [row.run, row.m1]), [[1, 50], [2, 20]], 'this address first');
  assert.deepEqual([...perAddress.items.keys()], ['k'], 'old keys go once the joined record reads back');
});

test('notes typed in two tabs at once are both kept, and the learner is told; one typed over the other is not joined', () => {
  const { all: [a, b], as } = tabs(2, (storage) => recordStore(storage).store);
  const told = [];
  a.notice = b.notice = (kind) => told.push(kind);
  as(a, () => a.setNotes('おもい'));
  assert.equal(b.notes.text, 'おもい');
  as(b, () => b.setNotes('おもいと遠く'));
  assert.equal(a.notes.text, 'おもいと遠く', 'written over: simply the newer');
  assert.deepEqual(told, []);
  // Both type before either hears the other.
  const storage = memoryStorage();
  const [c, d] = [recordStore(storage).store, recordStore(storage).store];
  c.notice = d.notice = (kind) => told.push(kind);
  c.setNotes('Aの考え');
  const fromC = storage.getItem('k');
  d.setNotes('Bの考え');
  const fromD = storage.getItem('k');
  c.heard({ storageArea: storage, key: 'k', newValue: fromD });
  d.heard({ storageArea: storage, key: 'k', newValue: fromC });
  assert.equal(c.notes.text, d.notes.text);
  assert.match(c.notes.text, /Aの考え\nBの考え|Bの考え\nAの考え/);
  assert.deepEqual(told, ['notes-joined', 'notes-joined']);
});

const group = (name, source, count = 1) => ({ name, source, rows: Array.from({ length: count }, (_, i) => ({ run: i + 1, ...run() })) });

test('two tabs of the class\'s record keep both groups; a group taken out stays out; a damaged store is set aside', () => {
  const { storage, all: [a, b], as } = tabs(2, (s) => {
    const store = new ClassStore({ storage: s, notice: () => {}, key: 'k' });
    store.load();
    return store;
  });
  as(a, () => { a.add(group('A班', 'a')); a.commit(); });
  as(b, () => { b.add(group('B班', 'b')); b.commit(); });
  for (const tab of [a, b]) assert.deepEqual(tab.groups.map((g) => g.name), ['A班', 'B班']);
  as(a, () => a.remove(a.groups[0]));
  as(b, () => b.rename(b.groups.at(-1), 'びー班'));
  const reopened = new ClassStore({ storage, notice: () => {}, key: 'k' });
  reopened.load();
  assert.deepEqual(reopened.groups.map((g) => g.name), ['びー班']);

  const told = [];
  const damaged = memoryStorage({ k: '{"kind":"shoutotsu-class","version":2,"columns":[],"groups":[{"name":"x"}]}' });
  const store = new ClassStore({ storage: damaged, notice: (kind) => told.push(kind), key: 'k' });
  store.load();
  assert.deepEqual([store.groups, told], [[], ['set-aside']]);
  assert.ok([...damaged.items.keys()].some((key) => key.startsWith('k:set-aside:')));
});

test('a batch of files: each refused file its own message, the others loaded, later batches too; the class\'s size has a limit', async () => {
  const store = new ClassStore({ storage: null, notice: () => {} });
  const said = [];
  const add = fileQueue(words, store, { reading: () => {}, done: (s) => said.push(s) });
  const file = (name, text) => ({ name, size: text.length, arrayBuffer: async () => new TextEncoder().encode(text).buffer });
  const csv = (m1) => csvText(words, [{ run: 1, id: '', at: 0, ...run({ m1 }) }]);
  const broken = { name: 'こわれた.csv', size: 1, arrayBuffer: async () => { throw new Error('gone'); } };
  await add([file('1班.csv', csv(10)), file('空.csv', ',,,\r\n,,,\r\n'), broken, file('2班.csv', csv(30))]);
  assert.deepEqual(said[0].map(([kind]) => kind), ['added', 'refused', 'refused', 'added']);
  assert.match(said[0][1][1], /「空\.csv」は空です/);
  // Later batches load; the same text again (other line ends) is not added twice; a name taken gets a number.
  await add([file('3班.csv', csv(50)), file('また.csv', csv(50).replaceAll('\r\n', '\n')), file('1班.csv', csv(20))]);
  assert.deepEqual(said.at(-1).map(([kind]) => kind), ['added', 'same', 'added']);
  assert.deepEqual(store.groups.map((g) => g.name), ['1班', '2班', '3班', '1班 (2)']);
  // Each row checked against the core's result as a number, each set of conditions asked once.
  const asked = [];
  const wrong = checker((...conditions) => (asked.push(conditions.join()), conditions[2] === 20 ? '37.90cm' : 455));
  assert.deepEqual([run(), run({ speed: 'fast' }), run({ m1: 30, resultMm: 455 }), run({ m1: 30, resultMm: 123 })].map(wrong), [false, false, false, true]);
  assert.deepEqual(asked, ['20,60,20,20,10,10', '20,60,30,20,10,10']);

  store.add(group('大きな班', 'big', MAX_CLASS_ROWS - 5));
  await add([file('4班.csv', csvText(words, [1, 2].map((n) => ({ run: n, id: '', at: 0, ...run() }))))]);
  await add([file('5班.csv', csv(40)), file('6班.csv', csv(40).replace('中', '遅'))]);
  assert.match(said.at(-2)[0][1], /「4班\.csv」は行が多すぎます。クラスの記録は合わせて4000回分までです/);
  assert.deepEqual(said.at(-1).map(([kind]) => kind), ['added', 'refused']);
  assert.match(said.at(-1)[1][1], /「6班\.csv」は入りきりません/);
});
