// The page in Chromium, both as the single file and as the served folder:
// the start-up layout equals the model's, a default run gives the desktop's
// result, keyboard and touch drive it, it runs offline after one visit, and a
// damaged single file says so. (A screen reader's faults are looked for in
// every language, Japanese too, by languages.test.mjs.)
import { test, before, after } from 'node:test';
import assert from 'node:assert/strict';
import { mkdtempSync, readFileSync, rmSync, writeFileSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { join } from 'node:path';
import { pathToFileURL } from 'node:url';
import { control, launchChromium, modelLayout, openPage, serveSite, singleFile, singleFileUrl, waitForRunEnd } from './harness.mjs';

// Where each control sits: its container, for the offsets of nested
// controls. Everything else lies in the window's client area.
const containerOf = {};
const contents = {
  T1Frame: ['T2mScroll', 'T1mScroll', 'Label14', 'T2m', 'Label18', 'Label7', 'T1m', 'Label11'],
  T2Frame: ['T1rScroll', 'T2rScroll', 'Label12', 'T1r', 'Label8', 'Label13', 'T2r', 'Label17'],
  RFrame: ['Lscroll', 'Hscroll', 'Label1', 'Label2', 'htext', 'ltext', 'Label5', 'Label6'],
  SPFrame: ['sp(0)', 'sp(1)', 'sp(2)', 'Label3'],
  work: ['subtitle1', 'subtitle2'],
};
for (const [container, names] of Object.entries(contents)) for (const name of names) containerOf[name] = container;
const boxed = ['SPFrame', 'RFrame', 'start', 'T2Frame', 'T1Frame', 'Command1', 'work', 'varcopy', 'title_s', 'title',
  ...Object.values(contents).flat()];
const parameterBars = ['T1mScroll', 'T2mScroll', 'T1rScroll', 'T2rScroll', 'Hscroll', 'Lscroll'];

let context;
let site;
before(async () => {
  context = await launchChromium({ hasTouch: true });
  site = await serveSite();
});
after(async () => {
  await context?.close();
  await site?.close();
});

const forms = () => [
  ['the single file', singleFileUrl],
  ['the served folder', site.url],
];

async function shownText(page, name) {
  return (await control(page, name).textContent()).trim();
}

async function barsDisabled(page) {
  return page.evaluate((names) => names.map((name) => {
    const bar = document.querySelector(`[data-control="${name}"]`);
    return bar.getAttribute('aria-disabled') === 'true' || bar.hasAttribute('disabled');
  }), parameterBars);
}

test('the start-up layout is the model\'s at a Chromebook and an iPad size', async () => {
  for (const [form, url] of forms()) {
    for (const viewport of [{ width: 1366, height: 768 }, { width: 1180, height: 820 }]) {
      const page = await openPage(context, url, viewport);
      const model = modelLayout(viewport.width * 15, viewport.height * 15);
      const main = await control(page, 'main').boundingBox();
      const where = `${form} at ${viewport.width}x${viewport.height}`;
      // The window fits these viewports, so the page does not scale it.
      assert.ok(Math.abs(main.width - model.main.Width / 15) <= 0.5, `${where}: main width ${main.width}`);
      assert.ok(Math.abs(main.x - model.main.Left / 15) <= 0.5, `${where}: main left ${main.x}`);
      assert.ok(Math.abs(main.y - model.main.Top / 15) <= 0.5, `${where}: main top ${main.y}`);
      assert.ok(Math.abs(main.height - model.main.Height / 15) <= 0.5, `${where}: main height`);
      for (const name of boxed) {
        const own = model[name];
        let left = Number(model.main.Left) + 60 + Number(own.Left);
        let top = Number(model.main.Top) + 300 + Number(own.Top);
        const container = containerOf[name];
        if (container) {
          left += Number(model[container].Left);
          top += Number(model[container].Top);
        }
        const box = await control(page, name).boundingBox();
        assert.ok(box, `${where}: ${name} has a box`);
        const expected = { x: left / 15, y: top / 15, width: own.Width / 15, height: own.Height / 15 };
        for (const key of ['x', 'y', 'width', 'height']) {
          assert.ok(Math.abs(box[key] - expected[key]) <= 0.5,
            `${where}: ${name}.${key} is ${box[key]}, the model says ${expected[key]}`);
        }
      }
      assert.deepEqual(page.consoleErrors, [], where);
      await page.close();
    }
  }
});

// A tick repaints only the pixels its moving figures left and entered. At
// points throughout a run the page is held as a hidden tab holds it, just
// after a frame has drawn every tick run, and the figures' canvases must
// hold exactly what one whole repaint (as a new size of the window makes)
// paints. True when they do.
function sameAsWholeRepaint(page) {
  return page.evaluate(async () => {
    const read = () => [...document.querySelectorAll('canvas.figures')]
      .map((canvas) => /** @type {HTMLCanvasElement} */ (canvas).toDataURL()).join();
    const hide = (hidden) => {
      Object.defineProperty(document, 'hidden', { configurable: true, get: () => hidden });
      document.dispatchEvent(new Event('visibilitychange'));
    };
    const frame = (then = () => undefined) => new Promise((shown) => requestAnimationFrame(() => shown(then())));
    // Held and let go, the page asks for a frame that draws what is undrawn
    // and runs no tick (the next is an interval away); this frame comes
    // after it, and holds the page again before any tick.
    hide(true);
    hide(false);
    const painted = await frame(() => {
      hide(true);
      return read();
    });
    dispatchEvent(new Event('resize'));
    await frame();
    const whole = await frame(read);
    hide(false);
    return painted === whole;
  });
}

// Holds the run at points until it ends; how many points held it.
async function repaintsThroughARun(page, what) {
  let points = 0;
  for (;;) {
    const ended = await page.evaluate(() => document.querySelector('[data-control="start"]')?.textContent?.trim() === 'クリア');
    assert.ok(await sameAsWholeRepaint(page), `${what}: after ${points} points, a tick's repaint differs from a whole one`);
    if (ended) return points;
    points++;
    await page.waitForTimeout(40);
  }
}

test('a default run ends with the desktop\'s result, and clear restores the scene', async () => {
  for (const [form, url] of forms()) {
    const page = await openPage(context, url);
    assert.equal(await shownText(page, 'start'), 'スタート');
    assert.deepEqual(await barsDisabled(page), [false, false, false, false, false, false]);
    await control(page, 'start').click();
    await page.waitForFunction(() => document.querySelector('[data-control="start"]').offsetParent === null);
    assert.deepEqual(await barsDisabled(page), [true, true, true, true, true, true], `${form}: bars off in a run`);
    assert.ok(await repaintsThroughARun(page, form) > 10, `${form}: held often in the run`);
    await waitForRunEnd(page);
    assert.equal(await shownText(page, 'kekka'), '37.9cm', form);
    assert.ok(await control(page, 'kekka').isVisible());
    await control(page, 'start').click();
    assert.equal(await shownText(page, 'start'), 'スタート');
    assert.ok(!(await control(page, 'kekka').isVisible()), `${form}: the result is hidden again`);
    assert.ok(await sameAsWholeRepaint(page), `${form}, cleared: a tick's repaint differs from a whole one`);
    assert.deepEqual(await barsDisabled(page), [false, false, false, false, false, false]);
    assert.deepEqual(page.consoleErrors, [], form);
    await page.close();
  }
});

// The single file carries its program as text and compiles it before the
// page's scripts run: that must also work where the browser lacks the newer
// base64 decoder, and a damaged copy must say so in the page, not hang blank.
test('the single file decodes its program in older browsers, and a damaged one is said in the page', async () => {
  const page = await context.newPage();
  await page.addInitScript(() => { delete Uint8Array.fromBase64; });
  await page.goto(singleFileUrl);
  await page.waitForSelector('html[data-ready="1"]', { timeout: 30000 });
  await control(page, 'start').click();
  await waitForRunEnd(page);
  assert.equal(await shownText(page, 'kekka'), '37.9cm');
  await page.close();

  const whole = readFileSync(singleFile, 'utf8');
  const at = whole.indexOf('id="program">') + 'id="program">'.length;
  assert.ok(at > 20, 'the single file carries its program');
  const folder = mkdtempSync(join(tmpdir(), 'shoutotsu-damaged-'));
  try {
    for (const [damage, text] of [['not WebAssembly', 'AAAAAAAA'], ['not base64', '!!!!']]) {
      const file = join(folder, 'shoutotsu.html');
      writeFileSync(file, whole.slice(0, at) + text + whole.slice(at + text.length));
      const broken = await context.newPage();
      await broken.goto(pathToFileURL(file).href);
      await broken.waitForSelector('html[data-problem="load-failed"]', { timeout: 10000 });
      assert.ok(await broken.locator('#problem-load-failed').isVisible(), damage);
      assert.notEqual((await broken.locator('#problem-detail').textContent()).trim(), '', `${damage}: says why`);
      await broken.close();
    }
  } finally {
    rmSync(folder, { recursive: true, force: true });
  }
});

test('the keyboard moves a scroll bar and starts a run as on the desktop', async () => {
  const page = await openPage(context, singleFileUrl);
  await control(page, 'T1mScroll').focus();
  await page.keyboard.press('ArrowRight');
  assert.equal(await shownText(page, 'T1m'), '30');
  await page.keyboard.press('End');
  assert.equal(await shownText(page, 'T1m'), '50');
  await page.keyboard.press('ArrowRight'); // the end stops it
  assert.equal(await shownText(page, 'T1m'), '50');
  await page.keyboard.press('Home');
  assert.equal(await shownText(page, 'T1m'), '10');
  await page.keyboard.press('PageDown');
  assert.equal(await shownText(page, 'T1m'), '20');
  // The speed options: an arrow moves to the next one and selects it.
  await control(page, 'sp(1)').focus();
  await page.keyboard.press('ArrowLeft');
  assert.equal(await control(page, 'sp(0)').getAttribute('aria-checked'), 'true');
  assert.equal(await control(page, 'sp(1)').getAttribute('aria-checked'), 'false');
  await control(page, 'start').focus();
  await page.keyboard.press('Enter');
  await waitForRunEnd(page);
  assert.match(await shownText(page, 'kekka'), /^\d+(\.\d)?cm$/);
  await page.close();
});

test('touch taps an arrow and the track, drags the thumb and starts a run', async () => {
  const page = await openPage(context, singleFileUrl);
  const bar = await control(page, 'T1mScroll').boundingBox();
  const y = bar.y + bar.height / 2;
  await page.touchscreen.tap(bar.x + bar.width - 3, y); // right arrow: 20 → 30
  assert.equal(await shownText(page, 'T1m'), '30');
  await page.touchscreen.tap(bar.x + 3, y); // left arrow: 30 → 20
  assert.equal(await shownText(page, 'T1m'), '20');
  await page.touchscreen.tap(bar.x + bar.width * 0.8, y); // track right of the thumb
  assert.equal(await shownText(page, 'T1m'), '30');
  // A finger drags the thumb to the far end; the value changes on release.
  const cdp = await context.newCDPSession(page);
  const thumbX = bar.x + bar.height + ((bar.width - 3 * bar.height) * 2) / 4 + bar.height / 2;
  const touch = (type, x) => cdp.send('Input.dispatchTouchEvent', {
    type, touchPoints: type === 'touchEnd' ? [] : [{ x, y }],
  });
  await touch('touchStart', thumbX);
  for (let x = thumbX; x < bar.x + bar.width; x += 10) await touch('touchMove', x);
  assert.equal(await shownText(page, 'T1m'), '30', 'no Change while the thumb is held');
  await touch('touchEnd');
  assert.equal(await shownText(page, 'T1m'), '50');
  const start = await control(page, 'start').boundingBox();
  await page.touchscreen.tap(start.x + start.width / 2, start.y + start.height / 2);
  await waitForRunEnd(page, 8000);
  assert.deepEqual(page.consoleErrors, []);
  await page.close();
});

test('after one visit the served page reloads and runs with the network cut', async () => {
  const own = await serveSite();
  const page = await openPage(context, own.url);
  await page.evaluate(async () => {
    await navigator.serviceWorker.ready;
  });
  await page.reload(); // now under the worker's control
  await page.waitForSelector('html[data-ready="1"]');
  assert.ok(await page.evaluate(() => navigator.serviceWorker.controller !== null));
  await own.close();
  await page.reload();
  await page.waitForSelector('html[data-ready="1"]');
  await control(page, 'start').click();
  await waitForRunEnd(page);
  assert.equal(await shownText(page, 'kekka'), '37.9cm');
  await page.close();
});
