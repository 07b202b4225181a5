// The seeded random learner, shared by the browser test of the page and the
// long run in bench/web/random_learner.mjs: the generator, the choice of each
// tap, click, drag or key, now and then a class file, a teacher's link, a
// language, furigana or a measuring aid, and the run rules checked after
// every event.
import assert from 'node:assert/strict';
import { control, launchChromium } from './harness.mjs';
import { classFile } from './learner_files.mjs';
import { LANGUAGES } from '../../web/src/i18n/lang/all.js';

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
// The conditions the bars set, in the order of `bars`.
const barKeys = ['m1', 'm2', 'r1', 'r2', 'height', 'length'];
// The start button's caption while it clears a result, in every language.
export const clearCaptions = Object.values(LANGUAGES).map(({ table }) => table['window.start:clear'] ?? LANGUAGES.ja.table['window.start:clear']);

// The teacher's links the learner's page is opened with now and then: good
// ones, and ones with values, names and languages the page does not know.
export const links = ['', '?m1=40&lock=m1&lang=en', '?tools=ruler,strobe', '?tools=ruler&lang=ja',
  '?m1=999&lock=zz,m1,m1&lang=klingon&tools=hammer', '?m2=abc&r1=-3&height=15&lock=length,height&lang=pt',
  '?speed=slow&lock=r2&lang=zh&tools=strobe', `?lock=${'zz,'.repeat(300)}r1&m1=1e9`, '?lang=&lock=&tools=&m1='];

// The conditions the core locked, as the form's state events say. Runs in
// the page before its scripts.
export function watchLocks() {
  if (Object.hasOwn(window, '__learnerLocks')) return;
  Object.defineProperty(window, '__learnerLocks', { value: [], writable: true });
  document.addEventListener('shoutotsu:state', (event) => {
    window.__learnerLocks = /** @type {CustomEvent} */ (event).detail.locks ?? [];
  }, true);
}

// The run rules, read from what the page shows. Runs in the page.
export function runRules({ names, clears }) {
  const start = document.querySelector('[data-control="start"]');
  const running = start.offsetParent === null || clears.includes(start.textContent.trim());
  const disabled = names.map((name) => {
    const bar = document.querySelector(`[data-control="${name}"]`);
    return bar.getAttribute('aria-disabled') === 'true' || bar.hasAttribute('disabled');
  });
  const timersOn = [...document.querySelectorAll('[data-timer]')].filter((t) => t.dataset.enabled === 'true').length;
  const state = `start "${start.textContent.trim()}" shown ${start.offsetParent !== null}, ` +
    `focus ${document.activeElement?.dataset.control ?? document.activeElement?.tagName}, ` +
    `ended ${document.querySelector('[data-control="main"]')?.offsetParent === null}`;
  return {
    running, disabled, timersOn, timers: document.querySelectorAll('[data-timer]').length, state,
    locks: window.__learnerLocks ?? [],
  };
}

// At most one phase timer on, and the scroll bars disabled exactly while a
// run is under way or shows its result, or their condition is locked. Throws an AssertionError on the
// first rule broken.
export function assertRules(rules, where) {
  assert.ok(rules.timers === 3, `${where}: the page shows the three timers`);
  assert.ok(rules.timersOn <= 1, `${where}: ${rules.timersOn} timers on`);
  assertFiles(rules.files ?? [], where);
  assert.deepEqual(rules.disabled, barKeys.map((key) => rules.running || rules.locks.includes(key)), `${where}: scroll bars against the run (${rules.state})`);
}

// Scrolling at once, not animated, so the window found before an event is
// where the event lands.
export function launchLearnerBrowser(options = {}) {
  return launchChromium({ ...options, hasTouch: true, extraArgs: ['--disable-smooth-scrolling'] });
}

// One of the rarer events: class files chosen, a language, furigana or a
// measuring aid switched, or the page opened again from a teacher's link.
// A switch the page does not show now (furigana outside Japanese, an aid
// the link did not offer) is passed over.
async function lessonEvent(page, random, i, tally) {
  const what = random();
  const count = (name) => { tally[name] = (tally[name] ?? 0) + 1; };
  const shown = async (name) => (await control(page, name).count()) === 1 && control(page, name).isVisible();
  if (what < 0.3) {
    const section = control(page, 'class-record');
    if (random() < 0.5) await section.evaluate((details) => { details.open = !details.open; });
    const chosen = Array.from({ length: 1 + Math.floor(random() * 3) }, (_, n) => classFile(random, i * 10 + n));
    await page.$$eval('.class-messages li', (items) => items.forEach((li) => li.setAttribute('data-learner-old', '')));
    await control(page, 'class-files').setInputFiles(chosen.map(({ file }) => file));
    await page.waitForFunction((count) => document.querySelectorAll('.class-messages li').length === count &&
      !document.querySelector('.class-messages li[data-learner-old], .class-messages li[data-message="reading"]'),
    chosen.length, { timeout: 15000 });
    const said = await page.$$eval('.class-messages li', (items) => items.map((li) => li.dataset.message));
    chosen.forEach(({ kind }, n) => count(`class file ${kind} ${said[n]}`));
    return chosen.map(({ kind, file }, n) => ({ kind, name: file.name, said: said[n] }));
  } else if (what < 0.55) {
    const code = Object.keys(LANGUAGES)[Math.floor(random() * Object.keys(LANGUAGES).length)];
    if (await shown('language')) {
      await control(page, 'language').selectOption(code);
      count('language');
    }
  } else if (what < 0.7) {
    // Furigana are Japanese only: most times, back to Japanese first.
    if (random() < 0.7 && await shown('language')) await control(page, 'language').selectOption('ja');
    if (await shown('furigana')) {
      await control(page, 'furigana').click();
      count('furigana');
    }
  } else if (what < 0.88) {
    const aid = random() < 0.5 ? 'ruler' : 'strobe';
    if (await shown(aid)) {
      await control(page, aid).click();
      count(aid);
    }
  } else {
    const link = links[Math.floor(random() * links.length)];
    await page.goto(page.url().split('?')[0] + link);
    await page.waitForSelector('html[data-ready="1"]', { timeout: 30000 });
    count('link');
  }
  return [];
}

// A class file is taken or refused as its kind says: a group's record,
// with a wrong result or not, in any encoding the page reads, is taken
// (added, or noticed as one it has); an empty sheet is refused.
export function assertFiles(files, where) {
  for (const { kind, name, said } of files) {
    const expected = kind === 'empty' ? ['refused'] : kind === 'hostile' ? [said] : ['added', 'same'];
    assert.ok(expected.includes(said), `${where}: class file "${name}" (${kind}) ${said}`);
  }
}

// Plays `events` random events on an opened page. `check(rules, where)` sees
// the run rules after every event that was played; `each(i)` is called
// after every event, played or passed over, and `signal` stops the learner
// between two events; `tally` counts the rarer events by what they were.
// Returns the number of events played or passed over.
export async function learn(page, { seed, events, check, each, signal, tally = {} }) {
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
  await page.addInitScript(watchLocks);
  await page.evaluate(watchLocks);
  const rules = { names: bars, clears: clearCaptions };
  let i = 0;
  for (; i < events && !signal?.aborted; i++) {
    // Keys, a focused control brought into view and a drag that selects
    // can each scroll the page (the record lies below the window), so the
    // window is found again before every event.
    main = await control(page, 'main').boundingBox();
    quit = await control(page, 'Command1').boundingBox();
    const what = random();
    const where = `event ${i} (seed ${seed})`;
    let files = [];
    if (what >= 0.94) {
      files = await lessonEvent(page, random, i, tally);
    } else if (what >= 0.935) {
      // Now and then a learner presses スタート and watches the run to its
      // end, so that enough runs end to be checked.
      const start = control(page, 'start');
      const caption = async () => (await start.textContent())?.trim() ?? '';
      // The window takes a second press within the double-click time of the
      // first as the same press, so the learner waits after クリア.
      if (await start.isVisible() && clearCaptions.includes(await caption())) {
        await start.click();
        await page.waitForTimeout(600);
      }
      if (await start.isVisible() && !clearCaptions.includes(await caption())) {
        await start.click();
        // A press the window does not take starts nothing: counted, not waited for.
        const started = await page.waitForFunction(() => document.querySelector('[data-control="start"]')?.offsetParent === null,
          null, { timeout: 3000 }).then(() => true, () => false);
        tally[started ? 'start' : 'start not taken'] = (tally[started ? 'start' : 'start not taken'] ?? 0) + 1;
        if (started) await page.waitForFunction((clears) => {
          const button = document.querySelector('[data-control="start"]');
          return button?.offsetParent !== null && clears.includes(button.textContent.trim());
        }, clearCaptions, { timeout: 60000 });
      }
    } else if (what < 0.3) {
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
    await check?.({ ...await page.evaluate(runRules, rules), files }, where);
    await each?.(i);
  }
  return i;
}
