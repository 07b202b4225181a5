// The page's timers: every tick at its model time start + k × interval,
// ticks a late page could not run on time made up in order, one drawing per
// animation frame, a bound on how far the model may fall behind, nothing
// while hidden.
import { test } from 'node:test';
import assert from 'node:assert/strict';
import { Ticker, kMaxBehindMs } from '../../../web/src/window/ticker.js';

// A clock whose timeouts fire when the test says, `lateness` ms after due,
// and whose animation frames come every `framePeriod` ms while asked for.
function fakeClock(framePeriod = 16) {
  const clock = {
    time: 0,
    pending: [],
    now: () => clock.time,
    setTimeout(callback, ms) {
      const entry = { callback, at: clock.time + ms };
      clock.pending.push(entry);
      return entry;
    },
    clearTimeout(entry) {
      clock.pending = clock.pending.filter((e) => e !== entry);
    },
    requestAnimationFrame(callback) {
      const entry = { callback, at: (Math.floor(clock.time / framePeriod) + 1) * framePeriod };
      clock.pending.push(entry);
      return entry;
    },
    cancelAnimationFrame(entry) {
      clock.clearTimeout(entry);
    },
    // Runs the timeouts and frames due up to `until`, each `lateness` ms
    // late (a busy page).
    runUntil(until, lateness = 0) {
      for (;;) {
        const at = (e) => e.at + lateness;
        clock.pending.sort((a, b) => at(a) - at(b));
        const next = clock.pending[0];
        if (!next || at(next) > until) break;
        clock.pending.shift();
        clock.time = Math.max(clock.time, at(next));
        next.callback();
      }
      clock.time = Math.max(clock.time, until);
    },
  };
  return clock;
}

// A ticker on `clock` that notes each tick as [id, model time, wall time]
// and each drawing's wall time.
function tickerWith(clock, onTick = () => {}) {
  const ticks = [];
  const draws = [];
  const ticker = new Ticker({
    tick: (id) => {
      ticks.push([id, ticker.modelTime, clock.time]);
      onTick(id, ticker);
    },
    draw: () => draws.push(clock.time),
  }, clock);
  return { ticker, ticks, draws };
}

const modelTimes = (ticks) => ticks.map(([, model]) => model);
const range = (from, to, step = 10) => Array.from({ length: (to - from) / step + 1 }, (_, i) => from + i * step);

test('ticks keep their model times however late the page gets the thread, and each frame draws once', () => {
  const clock = fakeClock();
  const { ticker, ticks, draws } = tickerWith(clock);
  ticker.set(7, 10);
  clock.runUntil(100);
  assert.deepEqual(modelTimes(ticks), range(10, 100));
  assert.deepEqual(draws, [16, 32, 48, 64, 80, 96], 'one drawing per frame, not per tick');

  const late = fakeClock();
  const { ticker: lateTicker, ticks: lateTicks } = tickerWith(late);
  lateTicker.set(7, 10);
  late.runUntil(1003, 3); // every timeout fires 3 ms after it was due
  assert.deepEqual(modelTimes(lateTicks), range(10, 1000), 'a run of 100 intervals takes its 100 ticks');

  // The page is busy for 95 ms: the timeout due at 40 runs at 135, and
  // every tick due by then runs in it, in order, before the next frame.
  const busy = fakeClock(1000);
  const { ticker: busyTicker, ticks: busyTicks, draws: busyDraws } = tickerWith(busy);
  busyTicker.set(1, 10);
  busy.runUntil(30);
  busy.runUntil(135, 95);
  assert.deepEqual(modelTimes(busyTicks), range(10, 130));
  assert.ok(busyTicks.slice(3).every(([, , wall]) => wall === 135));
  busy.runUntil(1000);
  assert.deepEqual(busyDraws, [1000], 'a frame draws once whatever number of ticks it covers');

  // スタート pressed at 2000 on a device that takes 25 ms over the event:
  // the run's first tick is due 10 ms after the press, and made up.
  busyTicker.set(1, 0);
  busy.runUntil(2000);
  busyTicker.input(() => {
    busy.time += 25;
    busyTicker.set(1, 10);
  });
  busy.runUntil(2040);
  assert.deepEqual(modelTimes(busyTicks.slice(-4)), [2010, 2020, 2030, 2040]);
});

test('a page asleep longer than the bound drops the ticks beyond it instead of running a whole run at once', () => {
  const clock = fakeClock();
  const { ticker, ticks } = tickerWith(clock);
  ticker.set(1, 10);
  clock.runUntil(20);
  clock.runUntil(5000, 4970); // the timeout due at 30 runs at 5000
  const caughtUp = ticks.filter(([, , wall]) => wall === 5000);
  assert.equal(caughtUp.length, kMaxBehindMs / 10 + 1);
  assert.deepEqual(modelTimes(caughtUp), range(5000 - kMaxBehindMs, 5000));
  clock.runUntil(5030);
  assert.deepEqual(modelTimes(ticks.slice(-3)), [5010, 5020, 5030], 'and goes on at its pace from there');
});

test('nothing ticks or draws while the tab is hidden, and the run goes on where it stopped', () => {
  const clock = fakeClock();
  const { ticker, ticks, draws } = tickerWith(clock);
  ticker.set(1, 10);
  clock.runUntil(25);
  ticker.pause();
  clock.runUntil(5000);
  assert.deepEqual(modelTimes(ticks), [10, 20]);
  assert.deepEqual(draws, [16]);
  ticker.resume();
  clock.runUntil(5030);
  assert.deepEqual(modelTimes(ticks), [10, 20, 5010, 5020, 5030]);
  assert.equal(draws[1], 5008, 'what the last tick changed is drawn when the tab is back');
  ticker.resume(); // resuming a running ticker changes nothing
  clock.runUntil(5040);
  assert.equal(ticks.length, 6);
});

test('a phase that ends in its tick hands over in model time, even while catching up', () => {
  for (const lateness of [0, 25]) {
    const clock = fakeClock();
    const { ticker, ticks } = tickerWith(clock, (id, t) => {
      if (id === 1 && t.modelTime >= 30) {
        t.set(1, 0); // disabled inside its own tick
        t.set(2, 10);
      } else if (id === 2 && t.modelTime >= 60) {
        t.set(2, 0);
      }
    });
    ticker.set(1, 10);
    clock.runUntil(500, lateness);
    assert.deepEqual(ticks.map(([id, model]) => [id, model]), [[1, 10], [1, 20], [1, 30], [2, 40], [2, 50], [2, 60]]);
    assert.ok(!ticker.running);
    assert.equal(clock.pending.length, 0, 'nothing is left waiting once no timer runs');
  }
});

test('two timers due tick in the order of their model times, and a stopped ticker never ticks again', () => {
  const clock = fakeClock();
  const { ticker, ticks } = tickerWith(clock, (id, t) => {
    if (t.modelTime >= 30) t.stop();
  });
  ticker.set('a', 10);
  clock.time = 5;
  ticker.set('b', 10);
  ticker.set('a', 10); // enabling a running timer keeps its cadence
  clock.runUntil(100, 12);
  assert.deepEqual(ticks.map(([id, model]) => [id, model]), [['a', 10], ['b', 15], ['a', 20], ['b', 25], ['a', 30]]);
  ticker.set('c', 10);
  clock.runUntil(200);
  assert.equal(ticks.length, 5);
  assert.equal(clock.pending.length, 0);
});
