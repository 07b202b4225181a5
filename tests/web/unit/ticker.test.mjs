// The page's timers: one model step per handled tick at the interval of
// wall time, never a burst to make up for lost time, nothing while hidden.
import { test } from 'node:test';
import assert from 'node:assert/strict';
import { Ticker } from '../../../web/src/window/ticker.js';

// A clock whose timeouts fire when the test says, `lateness` ms after due.
function fakeClock() {
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
    // Runs the timeouts due up to `until`, each `lateness` ms late.
    runUntil(until, lateness = 0) {
      for (;;) {
        clock.pending.sort((a, b) => a.at - b.at);
        const next = clock.pending[0];
        if (!next || next.at + lateness > until) break;
        clock.pending.shift();
        clock.time = Math.max(clock.time, next.at + lateness);
        next.callback();
      }
      clock.time = Math.max(clock.time, until);
    },
  };
  return clock;
}

function tickerWith(clock, onTick = () => {}) {
  const ticks = [];
  const ticker = new Ticker((id) => {
    ticks.push([id, clock.time]);
    onTick(id, ticker);
  }, clock);
  return { ticker, ticks };
}

test('an enabled timer ticks once per interval and keeps its cadence when ticks come a little late', () => {
  const clock = fakeClock();
  const { ticker, ticks } = tickerWith(clock);
  ticker.set(7, 10);
  clock.runUntil(100);
  assert.deepEqual(ticks.map(([, at]) => at), [10, 20, 30, 40, 50, 60, 70, 80, 90, 100]);

  const late = fakeClock();
  const { ticker: lateTicker, ticks: lateTicks } = tickerWith(late);
  lateTicker.set(7, 10);
  late.runUntil(1000, 3); // every timeout fires 3 ms after it was due
  assert.equal(lateTicks.length, 99, 'a run of 100 intervals takes about 100 ticks');
});

test('a tick later than a whole interval starts the cadence afresh: no burst of ticks', () => {
  const clock = fakeClock();
  const { ticker, ticks } = tickerWith(clock);
  ticker.set(1, 10);
  clock.runUntil(30);
  // The tab is busy for 95 ms: the timeout due at 40 runs at 135.
  clock.runUntil(135, 95);
  clock.runUntil(175);
  assert.deepEqual(ticks.map(([, at]) => at), [10, 20, 30, 135, 145, 155, 165, 175]);
});

test('nothing ticks while the tab is hidden, and the run goes on where it stopped', () => {
  const clock = fakeClock();
  const { ticker, ticks } = tickerWith(clock);
  ticker.set(1, 10);
  clock.runUntil(25);
  ticker.pause();
  clock.runUntil(5000);
  assert.equal(ticks.length, 2);
  ticker.resume();
  clock.runUntil(5030);
  assert.deepEqual(ticks.map(([, at]) => at), [10, 20, 5010, 5020, 5030]);
  ticker.resume(); // resuming a running ticker changes nothing
  clock.runUntil(5040);
  assert.equal(ticks.length, 6);
});

test('a phase that ends in its tick hands over: the next timer first ticks one interval later', () => {
  const clock = fakeClock();
  const { ticker, ticks } = tickerWith(clock, (id, t) => {
    if (id === 1 && clock.time >= 30) {
      t.set(1, 0); // disabled inside its own tick
      t.set(2, 10);
    }
  });
  ticker.set(1, 10);
  clock.runUntil(60);
  assert.deepEqual(ticks, [[1, 10], [1, 20], [1, 30], [2, 40], [2, 50], [2, 60]]);
  assert.ok(ticker.running);
  ticker.set(2, 0);
  assert.ok(!ticker.running);
  assert.equal(clock.pending.length, 0, 'no timeout is left waiting');
});

test('each callback is one event even when two timers are due, and a stopped ticker never ticks again', () => {
  const clock = fakeClock();
  const seen = [];
  const ticker = new Ticker((id) => seen.push([id, clock.time]), clock);
  ticker.set('a', 10);
  ticker.set('b', 10);
  ticker.set('a', 10); // enabling a running timer keeps its cadence
  clock.time = 10;
  clock.pending.shift().callback(); // one callback: one tick
  assert.deepEqual(seen, [['a', 10]]);
  clock.runUntil(10);
  assert.deepEqual(seen, [['a', 10], ['b', 10]]);
  ticker.stop();
  ticker.set('c', 10);
  clock.runUntil(100);
  assert.equal(seen.length, 2);
  assert.equal(clock.pending.length, 0);
});
