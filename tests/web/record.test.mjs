// The record of runs under the window, in Chromium: first the module on a
// page of its own (rows, languages, a narrow screen, chart, storage faults,
// clearing, two tabs at once, printing), then on the real page (runs at
// three weights against the core, a reload, one record at every address,
// what a screen reader hears).
import { test, describe, before, after } from 'node:test';
import assert from 'node:assert/strict';
import { existsSync, mkdirSync, writeFileSync } from 'node:fs';
import { execFileSync } from 'node:child_process';
import { join, normalize, resolve } from 'node:path';
import { browserAndSite, control, launchChromium, nativeTrace, openPage, singleFileUrl, waitForRunEnd } from './harness.mjs';

const root = resolve(new URL('../..', import.meta.url).pathname);
const KEY = 'shoutotsu.record.v1';
// A run as the window reports it: numbers.
const run = (m1, resultMm, other = {}) => ({ m1, m2: 20, r1: 10, r2: 10, height: 20, length: 60, speed: 'medium', resultMm, ...other });
// A record as the page stored it before rows had ids or numbers.
const storedRuns = (...results) => JSON.stringify({ kind: 'shoutotsu-record', version: 1, rows: results.map((result, i) => ({
  n: i + 1, m1: '20', m2: '20', r1: '10', r2: '10', height: '20', length: '60', speed: '中', result,
})) });

// The fixture and the module come straight from the tree, under a made-up
// origin (module scripts do not load from file: pages).
const FIXTURE = 'http://record.test/tests/web/fixtures/record.html';
async function serveFixture(context) {
  await context.route('http://record.test/**', (route) => {
    const path = normalize(join(root, new URL(route.request().url()).pathname));
    const allowed = ['web/', 'tests/web/fixtures/'].some((dir) => path.startsWith(join(root, dir)));
    return allowed && existsSync(path) ? route.fulfill({ path }) : route.fulfill({ status: 404 });
  });
}

// Each row as the run and its settings and result (the prediction and the
// changes are looked at on their own), each cell's own text.
const tableRows = (page) => page.$$eval('[data-control="record"] tbody tr', (trs) => trs.map((tr) =>
  [tr.children[0], ...tr.querySelectorAll('td[data-key]:not([data-key="prediction"])')]
    .map((cell) => cell.firstChild?.textContent ?? '')));
const notices = (page) => page.$$eval('[data-notice]', (ps) => ps.map((p) => p.dataset.notice));

describe('the record on a page of its own', () => {
  let context;
  before(async () => {
    context = await launchChromium();
    await serveFixture(context);
  });
  after(() => context?.close());

  async function mounted(kind = 'memory', initial = {}) {
    const page = await openPage(context, FIXTURE, { width: 1280, height: 900 });
    await page.evaluate(([k, i]) => window.fixture.mount(k, i), [kind, initial]);
    return page;
  }
  const add = (page, ...runs) => page.evaluate((rs) => rs.forEach((r) => window.record.addRun(r)), runs);

  test('each run is a row of numbers shown in the page\'s language, and announced', async () => {
    const page = await mounted();
    await add(page, run(30, 455), run(10, 253, { predictionMm: 300 }), run(50, 542, { speed: 'fast' }));
    assert.deepEqual(await tableRows(page), [
      ['1', '30', '20', '10', '10', '20', '60', '中', '45.5'],
      ['2', '10', '20', '10', '10', '20', '60', '中', '25.3'],
      ['3', '50', '20', '10', '10', '20', '60', '速', '54.2'],
    ]);
    assert.deepEqual(await page.evaluate(() => window.announced), ['1回目：45.5cm', '2回目：予想 30cm、結果 25.3cm', '3回目：54.2cm']);
    assert.equal(await page.locator('[data-control="record"] thead th').count(), 11);


    // In English the table and the speed read in English.
    await page.evaluate(() => window.fixture.language('en'));
    assert.equal((await tableRows(page))[2][7], 'Fast');
    // In Portuguese a distance has a decimal comma.
    await page.evaluate(() => window.fixture.language('pt'));
    assert.deepEqual((await tableRows(page))[2].slice(7), ['Rápida', '54,2']);
    // On a phone in Filipino (the longest buttons), nothing pushes the page sideways.
    await page.evaluate(() => window.fixture.language('fil'));
    await page.setViewportSize({ width: 375, height: 667 });
    const wide = await page.$$eval('.record > *, .record-actions > *', (parts) => parts
      .filter((part) => part.getBoundingClientRect().right > innerWidth).map((part) => part.outerHTML.slice(0, 40)));
    assert.deepEqual(wide, [], 'nothing wider than a 375 px screen');
    await assert.rejects(add(page, run(60, 542)), /m1 must be a whole 10 to 50, got 60/);
    assert.equal((await tableRows(page)).length, 3, 'a refused run adds nothing');
    await page.close();
  });

  test('the chart: points along the one condition that differs, a choice when several do, never the speed', async () => {
    const page = await mounted();
    await add(page, run(30, 455), run(10, 253), run(50, 542, { speed: 'slow' }));
    const chart = page.locator('[data-control="record"] svg[data-axis]');
    assert.equal(await chart.getAttribute('data-axis'), 'm1');
    assert.match(await chart.textContent(), /当てるぴるての重さ \(g\).*当てられるぴるての動いた距離 \(cm\)/);
    assert.equal(await control(page, 'recordAxis').isVisible(), false, 'one condition differs: nothing to choose');
    const centre = async (n) => {
      const box = await page.locator(`svg [data-run="${n}"]`).boundingBox();
      return { x: box.x + box.width / 2, y: box.y + box.height / 2 };
    };
    const [p1, p2, p3] = [await centre(1), await centre(2), await centre(3)];
    assert.ok(p2.x < p1.x && p1.x < p3.x, `10 g, 30 g, 50 g from left to right: ${p2.x}, ${p1.x}, ${p3.x}`);
    assert.ok(p2.y > p1.y && p1.y > p3.y, 'a longer distance is drawn higher');
    assert.equal(await page.locator('svg polyline').count(), 1, 'runs sharing the other conditions are one series');

    // A run from a higher rail: two conditions differ, the weight stays first, the height can be chosen.
    await add(page, run(30, 644, { height: 40 }));
    assert.equal(await chart.getAttribute('data-axis'), 'm1');
    await control(page, 'recordAxis').selectOption('height');
    assert.ok((await centre(1)).x < (await centre(4)).x, '20 cm left of 40 cm');
    await page.close();
  });

  test('a record too large to set aside waits for 記録を消す, after asking', async () => {
    const large = `{"kind":"shoutotsu-record","version":1,"rows":[${'{"n":1,'.repeat(300)}`;
    const page = await mounted('tight', { [KEY]: large });
    await add(page, run(10, 253));
    assert.deepEqual(await notices(page), ['set-aside-failed']);
    page.once('dialog', (dialog) => dialog.dismiss());
    await control(page, 'recordClear').click();
    assert.equal(await page.evaluate((key) => window.storage.getItem(key), KEY), large, 'dismissed: kept');
    let asked = '';
    page.once('dialog', (dialog) => {
      asked = dialog.message();
      dialog.accept();
    });
    await control(page, 'recordClear').click();
    assert.match(asked, /読み取れない/);
    assert.deepEqual(await notices(page), []);
    await add(page, run(30, 455));
    const saved = await page.evaluate((key) => JSON.parse(window.storage.getItem(key)).rows, KEY);
    assert.deepEqual(saved.map((row) => [row.run, row.resultMm]), [[1, 253], [2, 455]], 'the runs made meanwhile are kept');
    await page.close();
  });

  test('two tabs ending runs at the same moment keep both, each numbered once; notes and a clear reach both', async () => {
    const a = await openPage(context, FIXTURE);
    await a.evaluate(() => {
      localStorage.clear();
      window.fixture.mount('local');
    });
    const b = await openPage(context, FIXTURE);
    await b.evaluate(() => window.fixture.mount('local'));
    const tabs = [a, b];
    await add(a, run(10, 253));
    await b.waitForFunction(() => window.record.rows().length === 1);
    for (const tab of tabs) {
      await tab.evaluate(() => {
        const set = Storage.prototype.setItem;
        window.writes = 0;
        Storage.prototype.setItem = function count(...args) {
          window.writes += 1;
          return set.apply(this, args);
        };
      });
    }
    const when = Date.now() + 200;
    await Promise.all(tabs.map((tab, i) => tab.evaluate(([at, r]) => new Promise((done) => {
      setTimeout(() => done(window.record.addRun(r)), at - Date.now());
    }), [when, i ? run(50, 542) : run(30, 455)])));
    const agreed = (count) => tabs.map((tab) => tab.waitForFunction((n) => {
      const kept = JSON.parse(localStorage.getItem('shoutotsu.record.v1')).rows;
      return kept.length === n && JSON.stringify(kept.map((row) => row.id)) === JSON.stringify(window.record.rows().map((row) => row.id));
    }, count, { timeout: 3000 }));
    await Promise.all(agreed(3));
    for (const tab of tabs) {
      const shown = await tableRows(tab);
      assert.deepEqual(shown.map((row) => row[0]), ['1', '2', '3']);
      assert.deepEqual(shown.map((row) => row[8]).sort(), ['25.3', '45.5', '54.2']);
    }
    await a.waitForTimeout(200);
    const writes = await Promise.all(tabs.map((tab) => tab.evaluate(() => window.writes)));
    assert.ok(writes.every((n) => n <= 2), `each tab wrote its run and at most one merge: ${writes}`);

    // Notes typed in one tab show in the other at once, even where the learner is typing.
    await control(a, 'record-notes').fill('おもいほど遠い');
    await control(b, 'record-notes').focus();
    await b.waitForFunction(() => document.querySelector('[data-control="record-notes"]').value === 'おもいほど遠い');

    a.once('dialog', (dialog) => dialog.accept());
    await control(a, 'recordClear').click();
    await b.waitForFunction(() => window.record.rows().length === 0);
    await add(b, run(40, 506));
    await Promise.all(agreed(1));
    assert.deepEqual((await tableRows(a)).map((row) => [row[0], row[8]]), [['1', '50.6']]);
    await Promise.all(tabs.map((tab) => tab.close()));
  });

  test('printing gives 12 runs, the chart and 600 characters of notes on one A4 page, without the controls', async () => {
    const page = await mounted();
    // One condition changed at a time, as the lesson asks.
    const runs = [10, 20, 30, 40, 50].map((m1, i) => run(m1, 253 + i * 70))
      .concat([10, 30, 40].map((height, i) => run(50, 300 + i * 100, { height })))
      .concat([50, 60, 70, 80].map((length, i) => run(50, 500 + i * 10, { height: 40, length })));
    await add(page, ...runs);
    await control(page, 'record-notes').fill('おもいぴるてを当てると、当てられるぴるては遠くまで動きました。'.repeat(20).slice(0, 600));
    const shots = process.env.RECORD_SCREENSHOTS;
    if (shots) {
      mkdirSync(shots, { recursive: true });
      await page.locator('[data-control="record"]').screenshot({ path: join(shots, 'record-screen.png') });
    }
    await page.emulateMedia({ media: 'print' });
    for (const name of ['main', 'recordCsv', 'recordClear', 'recordAxis']) {
      assert.equal(await control(page, name).isVisible(), false, `${name} is not printed`);
    }
    assert.equal(await page.locator('[data-control="record"] svg .record-point').count(), 12);
    const pdf = await page.pdf({ preferCSSPageSize: true });
    if (shots) writeFileSync(join(shots, 'record-print.pdf'), pdf);
    assert.equal(pdf.toString('latin1').match(/\/Type\s*\/Page\b/g).length, 1, 'one page');
    await page.close();
  });
});

// --- on the real page ---------------------------------------------------------

// The page is built by another step; until it carries the record, these wait.
describe('the record on the page', () => {
  const shared = browserAndSite();

  // Moves a scroll bar from the keyboard until its label shows the value.
  async function setBar(page, bar, label, value) {
    for (const [from, step] of [['Home', 'ArrowRight'], ['End', 'ArrowLeft']]) {
      await control(page, bar).focus();
      await page.keyboard.press(from);
      for (let i = 0; i < 10; i++) {
        if ((await control(page, label).textContent()).trim() === value) return;
        await page.keyboard.press(step);
      }
    }
    assert.fail(`${bar} never showed ${value}`);
  }
  const recordRows = (page) => page.locator('[data-control="record"] tbody tr');
  // The window takes a second press of the same button within the
  // double-click time (500 ms on the page) for a double click and drops it;
  // a learner who clears and then starts is slower than that.
  const clear = async (page) => {
    await control(page, 'start').click();
    await page.waitForTimeout(550);
  };

  test('three runs at 10, 30 and 50 g give the core\'s results, kept over a reload', async () => {
    const native = execFileSync(nativeTrace, ['--results', '--m1', '10,30,50', '--speed', 'medium'], { encoding: 'utf8' })
      .trim().split('\n').slice(1).map((line) => line.split(','));
    for (const [form, url] of [['the served folder', shared.site.url], ['the single file', singleFileUrl]]) {
      const page = await openPage(shared.context, url);
      const shown = [];
      for (const m1 of ['10', '30', '50']) {
        await setBar(page, 'T1mScroll', 'T1m', m1);
        await control(page, 'start').click();
        await waitForRunEnd(page);
        // The table shows kekka's distance with its unit in the column's name.
        shown.push((await control(page, 'kekka').textContent()).trim().replace(/cm$/, ''));
        await clear(page);
      }
      const rows = await tableRows(page);
      assert.deepEqual(rows.map((r) => r[1]), ['10', '30', '50'], form);
      assert.deepEqual(rows.map((r) => r[8]), shown, `${form}: the rows show what kekka showed`);
      assert.deepEqual(rows.map((r) => r.slice(1, 7).concat(r[8])),
        native.map(([length, height, m1, m2, r1, r2, , result]) => [m1, m2, r1, r2, height, length, result.replace(/cm$/, '')]), form);
      await page.reload();
      await page.waitForSelector('html[data-ready="1"]');
      assert.equal(await recordRows(page).count(), 3, `${form}: the reload kept the rows`);
      assert.deepEqual(page.consoleErrors, [], form);
      await page.close();
    }
  });

  test('one record at / and at /index.html, carried over; a run is heard from the window and from the record', async () => {
    const page = await openPage(shared.context, shared.site.url);
    await page.evaluate((old) => {
      localStorage.clear();
      localStorage.setItem('shoutotsu.record.v1:/index.html', old);
    }, storedRuns('25.3cm', '45.5cm'));
    await page.reload();
    await page.waitForSelector('html[data-ready="1"]');
    assert.equal(await recordRows(page).count(), 2, 'the record kept at /index.html is found at /');
    await control(page, 'start').click();
    await waitForRunEnd(page);
    const heard = () => {
      const text = (selector) => document.querySelector(selector)?.textContent ?? '';
      return [text('#desk [aria-live]'), text('[data-control="record"] [aria-live]')];
    };
    await page.waitForFunction(`(${heard})().every((text) => text !== '')`, null, { timeout: 5000 });
    // A later write would cut off what was being read out; give one time.
    await page.waitForTimeout(200);
    const [windowSaid, recordSaid] = await page.evaluate(heard);
    assert.match(windowSaid, /^結果.*37\.9.*。$/);
    assert.equal(recordSaid, '3回目：37.9cm');

    const other = await openPage(shared.context, `${shared.site.url}index.html`);
    assert.deepEqual(await tableRows(other), await tableRows(page));
    assert.equal(await other.evaluate(() => localStorage.getItem('shoutotsu.record.v1:/index.html')), null);
    await Promise.all([page.close(), other.close()]);
  });

});
