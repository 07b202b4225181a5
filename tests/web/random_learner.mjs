// The seeded random learner, shared by the browser test of the page and the
// long run in bench/web/random_learner.mjs: the generator, the choice of each
// tap, click, drag or key, and the run rules checked after every event.
import assert from 'node:assert/strict';
import { control, launchChromium } from './harness.mjs';

export const defaultSeed = 20261207;

// A small, fast generator whose sequence depends on the seed alone.
export function generator(state) {
  return () => {
    state = (state + 0x6d2b79f5) | 0;
    let t = Math.imul(state ^ (state >>> 15), 1 | state);
    t = (t + Math.imul(t ^ (t >>> 7), 61 | t)) ^ t;
    return ((t ^ (t >>> 14)) >>> 0) / 4294967296;
  };
}

export const keys = ['Tab', 'Shift+Tab', 'ArrowLeft', 'ArrowRight', 'ArrowUp', 'ArrowDown', 'PageUp', 'PageDown',
  'Home', 'End', 'Space', 'Enter'];
export const bars = ['T1mScroll', 'T2mScroll', 'T1rScroll', 'T2rScroll', 'Hscroll', 'Lscroll'];

// The run rules, read from what the page shows. Runs in the page.
export function runRules(names) {
  const start = document.querySelector('[data-control="start"]');
  const running = start.offsetParent === null || start.textContent.trim() === 'クリア';
  const disabled = names.map((name) => {
    const bar = document.querySelector(`[data-control="${name}"]`);
    return bar.getAttribute('aria-disabled') === 'true' || bar.hasAttribute('disabled');
  });
  const timersOn = [...document.querySelectorAll('[data-timer]')].filter((t) => t.dataset.enabled === 'true').length;
  const state = `start "${start.textContent.trim()}" shown ${start.offsetParent !== null}, ` +
    `focus ${document.activeElement?.dataset.control ?? document.activeElement?.tagName}, ` +
    `ended ${document.querySelector('[data-control="main"]')?.offsetParent === null}`;
  return { running, disabled, timersOn, timers: document.querySelectorAll('[data-timer]').length, state };
}

// At most one phase timer on, and the scroll bars disabled exactly while a
// run is under way or shows its result. Throws an AssertionError on the
// first rule broken.
export function assertRules(rules, where) {
  assert.ok(rules.timers === 3, `${where}: the page shows the three timers`);
  assert.ok(rules.timersOn <= 1, `${where}: ${rules.timersOn} timers on`);
  assert.deepEqual(rules.disabled, bars.map(() => rules.running), `${where}: scroll bars against the run (${rules.state})`);
}

// Scrolling at once, not animated, so the window found before an event is
// where the event lands.
export function launchLearnerBrowser(options = {}) {
  return launchChromium({ ...options, hasTouch: true, extraArgs: ['--disable-smooth-scrolling'] });
}

// Plays `events` random events on an opened page. `check(rules, where)` sees
// the run rules after every event that was played; `each(i)` is called
// after every event, played or passed over, and `signal` stops the learner
// between two events. Returns the number of events played or passed over.
export async function learn(page, { seed, events, check, each, signal }) {
  const random = generator(seed);
  let main = await control(page, 'main').boundingBox();
  // "おわる" ends the program; the learner here stays in the experiment,
  // with a margin for the browser's touch adjustment, which moves a tap
  // near a button onto it.
  let quit = await control(page, 'Command1').boundingBox();
  const inQuit = (x, y) => x >= quit.x - 16 && x <= quit.x + quit.width + 16 && y >= quit.y - 16 &&
    y <= quit.y + quit.height + 16;
  const point = () => {
    for (;;) {
      const x = main.x + random() * main.width;
      const y = main.y + random() * main.height;
      if (!inQuit(x, y)) return { x, y };
    }
  };
  let i = 0;
  for (; i < events && !signal?.aborted; i++) {
    // Keys, a focused control brought into view and a drag that selects
    // can each scroll the page (the record lies below the window), so the
    // window is found again before every event.
    main = await control(page, 'main').boundingBox();
    quit = await control(page, 'Command1').boundingBox();
    const what = random();
    const where = `event ${i} (seed ${seed})`;
    if (what < 0.3) {
      const { x, y } = point();
      await page.mouse.click(x, y);
    } else if (what < 0.5) {
      const { x, y } = point();
      await page.touchscreen.tap(x, y);
    } else if (what < 0.6) {
      const from = point();
      const to = point();
      await page.mouse.move(from.x, from.y);
      await page.mouse.down();
      await page.mouse.move(to.x, to.y, { steps: 3 });
      await page.mouse.up();
    } else {
      const key = keys[Math.floor(random() * keys.length)];
      const focused = await page.evaluate(() => document.activeElement?.dataset.control);
      if (focused === 'Command1' && (key === 'Space' || key === 'Enter')) {
        await each?.(i);
        continue;
      }
      await page.keyboard.press(key);
    }
    if (random() < 0.05) await page.waitForTimeout(Math.floor(random() * 40));
    await check?.(await page.evaluate(runRules, bars), where);
    await each?.(i);
  }
  return i;
}
