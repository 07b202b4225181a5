// What a child's hands and a screen reader meet on the page: targets a
// finger can hit, a double click that counts once, keys that stay in the
// window, sliders that report the numbers beside them, and a result that no
// figure covers.
import { test, before, after } from 'node:test';
import assert from 'node:assert/strict';
import AxeBuilder from '@axe-core/playwright';
import { control, decodePng, launchChromium, openPage, singleFileUrl, waitForRunEnd } from './harness.mjs';

const bars = ['T1mScroll', 'T2mScroll', 'T1rScroll', 'T2rScroll', 'Hscroll', 'Lscroll'];
const options = ['sp(0)', 'sp(1)', 'sp(2)'];

let context;
before(async () => {
  context = await launchChromium({ hasTouch: true });
});
after(async () => {
  await context?.close();
});

// Each target's hit area in page pixels: its box grown by its reach.
function hitAreas(names) {
  return names.map((name) => {
    const element = document.querySelector(`[data-control="${name}"]`);
    const box = element.getBoundingClientRect();
    const before = getComputedStyle(element, '::before');
    const inset = (side) => (before.content === 'none' ? 0 : -Number.parseFloat(before[side]) || 0);
    return {
      name,
      left: box.left - inset('left'),
      right: box.right + inset('right'),
      top: box.top - inset('top'),
      bottom: box.bottom + inset('bottom'),
      drawn: { left: box.left, right: box.right, top: box.top, bottom: box.bottom },
    };
  });
}

test('every arrow, thumb and speed option has a hit area a finger can press, overlapping no other', async () => {
  for (const viewport of [{ width: 1366, height: 768 }, { width: 1180, height: 820 }]) {
    const page = await openPage(context, singleFileUrl, viewport);
    const where = `${viewport.width}x${viewport.height}`;
    const areas = await page.evaluate(hitAreas, [...bars, ...options, 'start', 'Command1']);
    for (const [i, a] of areas.entries()) {
      for (const b of areas.slice(i + 1)) {
        const overlap = Math.min(a.right, b.right) - Math.max(a.left, b.left) > 0.01 &&
          Math.min(a.bottom, b.bottom) - Math.max(a.top, b.top) > 0.01;
        assert.ok(!overlap, `${where}: ${a.name} and ${b.name} overlap`);
      }
    }
    // A 24-pixel square around each part's middle lands on its control.
    const hits = await page.evaluate(({ bars, options }) => {
      const out = [];
      const probe = (name, x, y) => {
        for (const [dx, dy] of [[-11.5, -11.5], [11.5, -11.5], [-11.5, 11.5], [11.5, 11.5]]) {
          const found = document.elementFromPoint(x + dx, y + dy)?.closest('[data-control]');
          out.push({ name, at: [dx, dy], found: found?.dataset.control });
        }
      };
      for (const name of bars) {
        const bar = document.querySelector(`[data-control="${name}"]`);
        for (const part of bar.querySelectorAll('.arrow, .thumb')) {
          const box = part.getBoundingClientRect();
          probe(`${name} ${part.className}`, box.left + box.width / 2, box.top + box.height / 2);
        }
      }
      for (const name of options) {
        const box = document.querySelector(`[data-control="${name}"]`).getBoundingClientRect();
        probe(name, box.left + box.width / 2, box.top + box.height / 2);
      }
      return out;
    }, { bars, options });
    for (const hit of hits) {
      assert.equal(hit.found, hit.name.split(' ')[0], `${where}: ${hit.name} at ${hit.at}`);
    }
    const axe = await new AxeBuilder({ page }).withRules(['target-size']).analyze();
    assert.deepEqual(axe.violations, [], where);
    await page.close();
  }
});

test('a press beside a small target counts, and a held arrow stops once the finger leaves it', async () => {
  const page = await openPage(context, singleFileUrl);
  const value = (name) => control(page, name).getAttribute('aria-valuenow');
  // Tapping 4 px below the drawn option chooses it.
  const fast = await control(page, 'sp(0)').boundingBox();
  await page.touchscreen.tap(fast.x + fast.width / 2, fast.y + fast.height + 4);
  assert.equal(await control(page, 'sp(0)').getAttribute('aria-checked'), 'true');
  // 3 px below the drawn increment arrow of the struck bob's mass.
  const bar = await control(page, 'T2mScroll').boundingBox();
  await page.mouse.click(bar.x + bar.width - 8, bar.y + bar.height + 3);
  assert.equal(await value('T2mScroll'), '30');
  // Held, then slid off sideways: it must not go on repeating.
  await page.mouse.move(bar.x + bar.width - 8, bar.y + bar.height / 2);
  await page.mouse.down();
  await page.mouse.move(bar.x + bar.width - 8, bar.y - 30, { steps: 3 });
  await page.waitForTimeout(900);
  await page.mouse.up();
  assert.equal(await value('T2mScroll'), '40', 'one step for the press, none while away');
  await page.close();
});

test('a double click on "クリア" clears the run and starts no other', async () => {
  const page = await openPage(context, singleFileUrl);
  await control(page, 'sp(0)').click();
  await control(page, 'start').click();
  await waitForRunEnd(page);
  await control(page, 'start').dblclick();
  await page.waitForTimeout(200);
  assert.equal((await control(page, 'start').textContent()).trim(), 'スタート');
  assert.equal(await page.locator('[data-timer][data-enabled="true"]').count(), 0, 'no phase timer runs');
  // A later press starts the next run as always.
  await page.waitForTimeout(400);
  await control(page, 'start').click();
  await waitForRunEnd(page);
  await page.close();
});

test('Space on the drawing area keeps the window in view, and the rail\'s bars report the numbers shown', async () => {
  const page = await openPage(context, singleFileUrl);
  await control(page, 'work').focus();
  await page.keyboard.press('Space');
  await page.waitForTimeout(100);
  assert.equal(await page.evaluate(() => scrollY), 0);

  const reported = (name) => page.evaluate((n) => {
    const bar = document.querySelector(`[data-control="${n}"]`);
    return ['aria-valuenow', 'aria-valuemin', 'aria-valuemax'].map((a) => Number(bar.getAttribute(a)));
  }, name);
  assert.deepEqual(await reported('Hscroll'), [20, 10, 40]);
  assert.deepEqual(await reported('Lscroll'), [60, 50, 80]);
  await control(page, 'Hscroll').focus();
  await page.keyboard.press('ArrowUp'); // raises the rail
  assert.equal((await control(page, 'htext').textContent()).trim(), '30');
  assert.deepEqual(await reported('Hscroll'), [30, 10, 40]);
  await page.close();
});

// The page's pixels in a box, as [r, g, b] rows.
async function pixels(page, box) {
  const { width, height, pixel } = decodePng(await page.screenshot({ clip: box }));
  return Array.from({ length: height }, (_, y) => Array.from({ length: width }, (_, x) => pixel(x, y)));
}

const isWhite = ([r, g, b]) => r > 240 && g > 240 && b > 240;

test('the result stays readable where the struck bob comes to rest across it', async () => {
  for (const viewport of [{ width: 1366, height: 400 }, { width: 820, height: 1180 }]) {
    const where = `${viewport.width}x${viewport.height}`;
    const page = await openPage(context, singleFileUrl, viewport);
    await control(page, 'sp(0)').click();
    await control(page, 'start').click();
    await waitForRunEnd(page);
    const box = await control(page, 'kekka').boundingBox();
    const clip = { x: Math.floor(box.x), y: Math.floor(box.y), width: Math.ceil(box.width), height: Math.ceil(box.height) };
    const shown = await pixels(page, clip);
    const hide = (selector, hidden) => page.evaluate(([s, h]) => {
      document.querySelector(s).style.visibility = h ? 'hidden' : '';
    }, [selector, hidden]);
    await hide('[data-control="work"] canvas', true);
    const textAlone = await pixels(page, clip);
    await hide('[data-control="work"] canvas', false);
    await hide('[data-control="kekka"]', true);
    const figuresAlone = await pixels(page, clip);
    await hide('[data-control="kekka"]', false);

    // The case is real: the struck bob lies under the text's own pixels;
    // there the page must show just what the text alone shows.
    let covered = 0;
    let wrong = 0;
    for (let y = 0; y < clip.height; y++) {
      for (let x = 0; x < clip.width; x++) {
        if (isWhite(textAlone[y][x])) continue;
        if (!isWhite(figuresAlone[y][x])) covered++;
        const [a, b] = [shown[y][x], textAlone[y][x]];
        if (Math.max(...a.map((v, i) => Math.abs(v - b[i]))) > 40) wrong++;
      }
    }
    assert.ok(covered > 5, `${where}: the struck bob lies under the result (${covered} pixels)`);
    assert.equal(wrong, 0, `${where}: ${wrong} pixels of the result are covered`);
    await page.close();
  }
});
