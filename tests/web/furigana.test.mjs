// Furigana in the page: with the switch on, every kanji word of the window
// carries its reading, large enough to read; no reading covers another
// text or leaves the window, and where a reading stands was free before;
// a screen reader hears each word once; the choice is kept, and only
// Japanese has readings.
import { test } from 'node:test';
import { readFile } from 'node:fs/promises';
import assert from 'node:assert/strict';
import { browserAndSite, control, decodePng, openPage, recordSettled } from './harness.mjs';
import { overlaps, windowTexts } from './window_texts.mjs';

const shared = browserAndSite();

const shrunk = (r, by) => ({ left: r.left + by, top: r.top + by, right: r.right - by, bottom: r.bottom - by });

// The kanji of the window that stand outside a ruby's base, and the
// readings a screen reader would hear.
const unread = (page) => page.evaluate(() => {
  const lost = [];
  const win = document.querySelector('.window');
  const walker = document.createTreeWalker(win, NodeFilter.SHOW_TEXT);
  for (let node = walker.nextNode(); node; node = walker.nextNode()) {
    const parent = node.parentElement;
    if (!/[\u4e00-\u9fff]/.test(node.data) || !parent.checkVisibility()) continue;
    if (parent.closest('.caption-bar, .description, [aria-live], .furigana-plain')) continue;
    if (parent.localName !== 'ruby') lost.push(node.data);
  }
  const heard = [...win.querySelectorAll('rt')].filter((rt) => !rt.closest('[aria-hidden="true"]')).length;
  return { lost, heard };
});

// The window as it is without furigana, less the texts that will carry
// readings (and the title's own reading, which gives way to them).
async function background(page) {
  await page.evaluate(() => {
    for (const e of document.querySelectorAll('.window .label, .window legend, .window .button')) {
      if (/[\u4e00-\u9fff]/.test(e.textContent) || e.dataset.control === 'title_s') e.style.visibility = 'hidden';
    }
  });
  const shot = decodePng(await page.screenshot());
  await page.evaluate(() => {
    for (const e of document.querySelectorAll('.window [style*="visibility"]')) e.style.visibility = '';
  });
  return shot;
}

async function checkReadings(page, where, free) {
  const texts = await windowTexts(page);
  assert.deepEqual(await unread(page), { lost: [], heard: 0 }, where);
  const client = await page.locator('.window .client').boundingBox();
  // As drawn: a window shrunk to a small screen shrinks its readings too.
  const scale = await page.evaluate(() => {
    const win = document.querySelector('.window');
    return win.getBoundingClientRect().width / win.offsetWidth;
  });
  let readings = 0;
  for (const t of texts) {
    for (const r of t.rubies) {
      readings++;
      assert.ok(r.px * scale >= 7.99, `${where}: ${t.name}'s readings are drawn at ${r.px * scale}px`);
      assert.ok(r.top >= client.y - 0.5 && r.left >= client.x - 0.5 && r.right <= client.x + client.width + 0.5,
        `${where}: ${t.name}'s reading leaves the window`);
      for (const other of texts.filter((o) => o !== t)) {
        for (const o of [...other.glyphs, ...other.rubies]) {
          assert.ok(!overlaps(shrunk(r, 0.5), o), `${where}: ${t.name}'s reading covers ${other.name}`);
        }
      }
      if (!free) continue;
      // The space a reading took held nothing but one colour before.
      const inner = shrunk(r, 1);
      const first = free.pixel(Math.ceil(inner.left), Math.ceil(inner.top)).join();
      for (let y = Math.ceil(inner.top); y < inner.bottom; y++) {
        for (let x = Math.ceil(inner.left); x < inner.right; x++) {
          assert.equal(free.pixel(x, y).join(), first, `${where}: ${t.name}'s reading stands on something at ${x},${y}`);
        }
      }
    }
    // A text moved for a reading covers no other text either.
    if (t.rubies.length === 0) continue;
    for (const g of t.glyphs) {
      for (const other of texts.filter((o) => o !== t)) {
        for (const o of [...other.glyphs, ...other.rubies]) assert.ok(!overlaps(shrunk(g, 0.5), o), `${where}: ${t.name} covers ${other.name}`);
      }
    }
  }
  assert.ok(readings >= 15, `${where}: only ${readings} readings`);
}

test('with furigana on every kanji word of the window has its reading, with room of its own', async () => {
  // A Chromebook, an iPad, and two screens that shrink the window: a low
  // browser window and a small phone on its side.
  const sizes = [{ width: 1366, height: 768 }, { width: 1180, height: 820 }, { width: 1366, height: 400 }, { width: 683, height: 384 }];
  for (const size of sizes) {
    const where = `${size.width}x${size.height}`;
    const page = await openPage(shared.context, `${shared.site.url}?lang=ja`, size);
    // Off on a first visit (the first size); the second finds it kept on.
    if (size === sizes[0]) assert.equal(await control(page, 'furigana').getAttribute('aria-pressed'), 'false');
    else await control(page, 'furigana').click();
    assert.equal(await page.locator('.window rt').count(), 0, `${where}: off`);
    const free = await background(page);
    await control(page, 'furigana').click();
    assert.equal(await control(page, 'furigana').getAttribute('aria-pressed'), 'true');
    await checkReadings(page, where, free);
    // Each text is heard once, whole: the frames are named as before.
    assert.equal(await page.getByRole('radiogroup', { name: 'ｼﾐｭﾚｰｼｮﾝ速度', exact: true }).count(), 1);
    assert.equal(await page.getByRole('group', { name: 'ぴるての重さ', exact: true }).count(), 1);
    await control(page, 'start').click();
    await page.waitForFunction(() => document.querySelector('[data-control="kekka"]')?.checkVisibility(), null, { timeout: 30000 });
    assert.equal((await control(page, 'kekka').textContent()).trim(), '37.9cm');
    await checkReadings(page, `${where} after a run`, null);
    assert.deepEqual(page.consoleErrors, [], where);
    await page.close();
  }
});

test('furigana stay on over a reload, the chart\'s axis names keep theirs on screen and in the PNG, and another language has none', async () => {
  const page = await openPage(shared.context, `${shared.site.url}?lang=ja`);
  if ((await control(page, 'furigana').getAttribute('aria-pressed')) !== 'true') await control(page, 'furigana').click();
  await page.goto(shared.site.url);
  await page.waitForSelector('html[data-ready="1"]');
  assert.equal(await control(page, 'furigana').getAttribute('aria-pressed'), 'true');
  assert.ok(await page.locator('.window rt').count() > 0);
  assert.ok(await page.locator('[data-control="record"] rt').count() > 0, 'the record has readings too');
  await page.evaluate(() => document.querySelector('[data-control="main"]').dispatchEvent(new CustomEvent('shoutotsu:run', {
    bubbles: true, detail: { m1: 20, m2: 20, r1: 10, r2: 10, height: 20, length: 60, speed: 'medium', resultMm: 379, result: '37.9cm' },
  })));
  await recordSettled(page);
  const names = await page.$$eval('.record-drawing svg .record-axis-name', (ts) => ts.map((t) => [t.textContent, t.getBBox().width]));
  const bases = names.filter(([name]) => /[\u4e00-\u9fff]/.test(name));
  assert.equal(bases.length, 2);
  for (const [name, width] of names) assert.ok(width > 5, `"${name}" is drawn ${width} wide`);
  assert.ok(names.some(([name]) => name === 'きょり'), 'the result\'s name has its reading');
  const [download] = await Promise.all([page.waitForEvent('download'), control(page, 'chart-png').click()]);
  const png = decodePng(await readFile(await download.path()));
  // The horizontal axis's name and its readings: the band under the ticks.
  const scale = png.height / 380;
  let ink = 0;
  for (let y = Math.round(344 * scale); y < Math.round(378 * scale); y++) {
    for (let x = 0; x < png.width; x++) if (png.pixel(x, y)[0] < 128) ink++;
  }
  assert.ok(ink > 100, `the saved name has ${ink} dark pixels`);
  await control(page, 'language').selectOption('en');
  assert.equal(await page.locator('rt').count(), 0);
  assert.ok(!(await control(page, 'furigana').isVisible()));
  await control(page, 'language').selectOption('ja');
  assert.deepEqual((await unread(page)).lost, []);
  await control(page, 'furigana').click();
  assert.equal(await page.locator('rt').count(), 0);
  assert.equal(await control(page, 'T1Frame').locator('legend').textContent(), 'ぴるての重さ');
  await page.close();
});
