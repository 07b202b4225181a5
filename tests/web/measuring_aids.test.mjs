// The measuring aids in Chromium: the ruler's tick under the landing marker
// at the run's own distance, the strobe's images bit for bit the native
// trace's bobs at every 0.02 s of each phase's clock, a teacher's link and
// panel that turn them on, and a window whose pixels they leave alone while
// they are off.
import { test } from 'node:test';
import assert from 'node:assert/strict';
import { execFileSync } from 'node:child_process';
import { browserAndSite, control, modelLayout, nativeTrace, openPage, waitForRunEnd } from './harness.mjs';

const shared = browserAndSite();
const SIZES = [{ width: 1366, height: 768 }, { width: 1180, height: 820 }];

// The native tool's rows of one run: [{ phase, tick, row: { column: text } }].
function traceRows(args, size) {
  const [header, ...lines] = execFileSync(nativeTrace, [...args, '--screen', `${size.width * 15},${size.height * 15}`],
    { encoding: 'utf8' }).trim().split('\n');
  const names = header.split(',');
  return lines.map((line) => Object.fromEntries(line.split(',').map((value, i) => [names[i], value])));
}

const runToEnd = async (page) => {
  await control(page, 'start').click();
  await waitForRunEnd(page);
};

// The ticks of the ruler (CSS pixels across the page), read off its canvas
// just above the floor line, and the drawing area's place and scale.
const rulerTicks = (page, floorTwips) => page.evaluate((floorY) => {
  const canvas = /** @type {HTMLCanvasElement} */ (document.querySelector('canvas.aids'));
  const workElement = /** @type {HTMLElement} */ (document.querySelector('[data-control="work"]'));
  const work = workElement.getBoundingClientRect();
  const box = canvas.getBoundingClientRect();
  const perCss = canvas.width / box.width; // device pixels of the canvas per page pixel
  const twipsPerCss = (15 * workElement.offsetWidth) / work.width; // the window may be scaled to fit
  const rowCss = work.top + floorY / twipsPerCss - 2;
  const row = Math.round((rowCss - box.top) * perCss);
  const { data } = canvas.getContext('2d').getImageData(0, row, canvas.width, 1);
  const ticks = [];
  for (let x = 0; x < canvas.width; x++) {
    if (data[x * 4 + 3] === 0) continue;
    let end = x;
    while (end + 1 < canvas.width && data[(end + 1) * 4 + 3] !== 0) end++;
    ticks.push(box.left + ((x + end + 1) / 2) / perCss);
    x = end;
  }
  return { ticks, workLeft: work.left, twipsPerCss };
}, floorTwips);

test('the ruler\'s tick under the landing marker is the run\'s distance, at two screen sizes', async () => {
  const runs = [[], ['--m1', '50', '--m2', '10', '--height', '40'], ['--m1', '10', '--m2', '50', '--height', '10', '--length', '80']];
  for (const size of SIZES) {
    const layout = modelLayout(size.width * 15, size.height * 15);
    for (const args of runs) {
      const query = args.map((part, i) => (i % 2 === 0 ? `&${part.slice(2)}=` : part)).join('');
      const page = await openPage(shared.context, `${shared.site.url}?speed=fast&tools=ruler${query}`, size);
      await runToEnd(page);
      const last = traceRows(['--speed', 'fast', ...args], size).at(-1);
      const { ticks, workLeft, twipsPerCss } = await rulerTicks(page, Number(layout.yukaA.Y1));
      const edge = workLeft + Number(layout.SimState.baseX) / twipsPerCss;
      assert.ok(Math.abs(ticks[0] - edge) < 1, `0 cm on the table's edge (${size.width}: ${ticks[0]} vs ${edge})`);
      // The marker is as wide as the struck bob, whose radius these runs leave alone.
      const marker = workLeft + (Number(last['en.Left']) + Number(layout.tamaB.Width) / 2) / twipsPerCss;
      const under = ticks.reduce((best, x, cm) => (Math.abs(x - marker) < Math.abs(ticks[best] - marker) ? cm : best), 0);
      const distance = parseFloat(last['kekka.Caption']);
      assert.ok(Math.abs(under - distance) <= 0.5, `${size.width}×${size.height} ${args}: tick ${under} under a marker at ${distance} cm`);
      assert.equal((await control(page, 'kekka').textContent()).trim(), last['kekka.Caption']);
      assert.deepEqual(page.consoleErrors, []);
      await page.close();
    }
  }
});

test('the strobe keeps the bobs the core drew every 0.02 s of each phase, as the trace tool writes them', async () => {
  const size = SIZES[0];
  for (const [speed, index, every] of [['fast', 0, 2], ['slow', 2, 6]]) {
    // A second instance of the page's module, driven tick by tick.
    const page = await openPage(shared.context, shared.site.url, size);
    const images = await page.evaluate(async (speedIndex) => {
      const module = await globalThis.createShoutotsu({});
      const read = (pointer) => JSON.parse(module.UTF8ToString(pointer));
      const controls = read(module._shoutotsu_controls());
      const id = (name) => controls.find((c) => c.name === name).id;
      module._shoutotsu_select_speed(speedIndex);
      module._shoutotsu_click(id('start'), 0);
      const timers = ['MAEtimer', 'NAKAtimer', 'ATOtimer'].map(id);
      while (timers.some((timer) => module._shoutotsu_tick(timer) === 1));
      return read(module._shoutotsu_strobe());
    }, index);
    const rows = traceRows(['--speed', speed], size);
    // A tick that ends its phase draws nothing and leaves no image.
    const expected = rows.filter((row, i) => Number(row.tick) % every === 0 && rows[i + 1]?.phase === row.phase);
    assert.ok(expected.length > 20, speed);
    assert.deepEqual(images.map((image) => [image.phase, image.tick, image.a[0], image.a[1], image.b[0], image.b[1]]),
      expected.map((row) => [row.phase, Number(row.tick), ...['tamaA.Left', 'tamaA.Top', 'tamaB.Left', 'tamaB.Top'].map((k) => Number(row[k]))]),
      speed);
    await page.close();
  }
});

// The canvas of the aids: whether it is shown, and how many of its pixels
// carry ink.
const aidsCanvas = (page) => page.evaluate(() => {
  const canvas = /** @type {HTMLCanvasElement} */ (document.querySelector('canvas.aids'));
  const { data } = canvas.getContext('2d').getImageData(0, 0, canvas.width, canvas.height);
  let inked = 0;
  for (let i = 3; i < data.length; i += 4) if (data[i] !== 0) inked++;
  return { shown: !canvas.hidden, inked, ink: getComputedStyle(canvas).color };
});
const pressed = async (page) => [await control(page, 'ruler').getAttribute('aria-pressed'), await control(page, 'strobe').getAttribute('aria-pressed')];
const nextFrame = (page) => page.evaluate(() => new Promise((done) => requestAnimationFrame(() => requestAnimationFrame(done))));

test('a teacher\'s link and panel turn the aids on; the strobe clears with the run; a learner\'s choice is kept', async () => {
  const page = await openPage(shared.context, `${shared.site.url}?speed=fast&tools=strobe,tape,ruler`);
  assert.deepEqual(await pressed(page), ['true', 'true']);
  assert.match(await control(page, 'lessonNotice').textContent(), /「tape」.*ruler, strobe/);
  const ruler = await aidsCanvas(page);
  assert.ok(ruler.shown && ruler.inked > 0, 'the ruler is drawn at once');
  await runToEnd(page);
  await nextFrame(page);
  assert.ok((await aidsCanvas(page)).inked > ruler.inked, 'the run left its images');
  await control(page, 'start').click(); // クリア
  await nextFrame(page);
  assert.equal((await aidsCanvas(page)).inked, ruler.inked, 'クリア takes them away, the ruler stays');
  // Said whole to a screen reader, furigana or not.
  await control(page, 'furigana').click();
  const described = await control(page, 'strobe').getAttribute('aria-describedby');
  await nextFrame(page);
  assert.equal(await page.locator(`#${described} rt`).count(), 0);
  assert.match(await page.locator(`#${described}`).textContent(), /0\.02びょうごとに/);

  // The panel writes the aids it has ticked into its link.
  await page.locator('[data-control="teacher"] summary').click();
  assert.match(await control(page, 'teacherLink').inputValue(), /&tools=ruler,strobe$/);
  await page.locator('[data-tool="ruler"]').uncheck();
  assert.match(await control(page, 'teacherLink').inputValue(), /&tools=strobe$/);
  assert.equal(await page.evaluate(() => localStorage.getItem('shoutotsu.ruler')), null, 'a link keeps nothing on the device');
  await page.close();

  // A learner's switch is kept, in whatever language; its ink follows the
  // system's colours.
  const learner = await openPage(shared.context, `${shared.site.url}?lang=en`);
  assert.equal((await control(learner, 'ruler').textContent()).trim(), 'Ruler');
  await control(learner, 'ruler').click();
  await learner.reload();
  await learner.waitForSelector('html[data-ready="1"]');
  assert.deepEqual(await pressed(learner), ['true', 'false']);
  await learner.emulateMedia({ forcedColors: 'active' });
  const canvasText = await learner.evaluate(() => {
    const probe = document.body.appendChild(document.createElement('span'));
    probe.style.color = 'CanvasText';
    return getComputedStyle(probe).color;
  });
  assert.equal((await aidsCanvas(learner)).ink, canvasText);
  await control(learner, 'ruler').click();
  assert.equal((await aidsCanvas(learner)).shown, false);
  await learner.evaluate(() => localStorage.clear()); // the language too
  await learner.close();
});

test('while the aids are off the window\'s pixels are those of a window without them', async () => {
  for (const size of SIZES) {
    const page = await openPage(shared.context, `${shared.site.url}?speed=fast`, size);
    const window = page.locator('.window');
    const shot = async () => {
      await nextFrame(page);
      return window.screenshot({ animations: 'disabled', caret: 'hide' });
    };
    // Both on and off again leave the window as it opened.
    const opened = await shot();
    for (const aid of ['ruler', 'strobe']) await control(page, aid).click();
    await nextFrame(page);
    for (const aid of ['ruler', 'strobe']) await control(page, aid).click();
    assert.ok(opened.equals(await shot()), `${size.width}: at start-up`);
    await control(page, 'start').click();
    await page.waitForFunction(() => document.querySelector('[data-control="start"]').offsetParent === null);
    assert.deepEqual(await aidsCanvas(page), { shown: false, inked: 0, ink: 'rgb(0, 0, 0)' }, 'nothing drawn during a run');
    await waitForRunEnd(page);
    const ended = await shot();
    for (const aid of ['ruler', 'strobe']) await control(page, aid).click();
    await nextFrame(page);
    for (const aid of ['ruler', 'strobe']) await control(page, aid).click();
    assert.ok(ended.equals(await shot()), `${size.width}: after a run`);
    await page.close();
  }
});
