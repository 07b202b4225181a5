// The lesson's steps around the window, in Chromium: a prediction typed in
// the bar beside the window and kept with its run, what each run changed,
// what the learner found out, and the record handed on (clipboard, PNG).
import { test, describe } from 'node:test';
import assert from 'node:assert/strict';
import { readFile } from 'node:fs/promises';
import { browserAndSite, control, decodePng, openPage, recordSettled, waitForRunEnd } from './harness.mjs';

const KEY = 'shoutotsu.record.v1';
// A run as the form reports it in its shoutotsu:run event.
const run = (changes = {}) => ({ m1: 20, m2: 20, r1: 10, r2: 10, height: 20, length: 60, speed: 'medium', resultMm: 379, ...changes });
const rowCells = (page) => page.$$eval('[data-control="record"] tbody tr', (trs) => trs.map((tr) => ({
  prediction: tr.querySelector('[data-key="prediction"]').textContent,
  result: tr.querySelector('[data-key="result"]').textContent,
  changed: [...tr.querySelectorAll('[data-changed="true"]')].map((td) => td.dataset.key),
  many: tr.querySelector('[data-many]')?.textContent ?? '',
})));

describe('the lesson\'s steps on the page', () => {
  const shared = browserAndSite();

  const fresh = async (viewport) => {
    const page = await openPage(shared.context, shared.site.url, viewport);
    await page.evaluate(() => localStorage.clear());
    await page.reload();
    await page.waitForSelector('html[data-ready="1"]');
    return page;
  };

  test('a prediction goes with its run into the row, the CSV and the copied table; a bad one never does', async () => {
    const page = await fresh();
    await shared.context.grantPermissions(['clipboard-read', 'clipboard-write'], { origin: shared.site.url });
    await control(page, 'prediction').fill('40');
    await control(page, 'start').click();
    // Taken at スタート: what is typed during the run is the next run's.
    assert.equal(await control(page, 'prediction').inputValue(), '');
    assert.match(await control(page, 'predictionTaken').textContent(), /予想：40cm/);
    await control(page, 'prediction').fill('50');
    await waitForRunEnd(page);
    assert.deepEqual(await rowCells(page), [{ prediction: '40', result: '37.9', changed: [], many: '' }]);
    assert.equal(await control(page, 'prediction').inputValue(), '50', 'kept for the next run');
    await page.waitForFunction(() => document.querySelector('.record-live').textContent === '1回目：予想 40cm、結果 37.9cm');

    await control(page, 'record-copy').click();
    const copied = await page.evaluate(() => navigator.clipboard.readText());
    assert.equal(copied.split('\r\n')[1], '1\t20\t20\t10\t10\t20\t60\t中\t40\t37.9');
    const [download] = await Promise.all([page.waitForEvent('download'), control(page, 'recordCsv').click()]);
    assert.match((await readFile(await download.path(), 'utf8')).split('\r\n')[1], /^1,20,20,10,10,20,60,中,40,37\.9$/);

    for (const bad of ['abc', '-1', '250']) {
      await control(page, 'start').click(); // クリア
      await page.waitForTimeout(550); // not a double click
      await control(page, 'prediction').fill(bad);
      assert.equal(await control(page, 'prediction').getAttribute('aria-invalid'), 'true', bad);
      assert.match(await page.locator('#prediction-problem').textContent(), /0から200まで/);
      await control(page, 'start').click();
      await waitForRunEnd(page);
    }
    assert.deepEqual((await rowCells(page)).map((row) => row.prediction), ['40', '', '', '']);
    // Composed through an input method, a word is checked once, when committed.
    const alerts = await page.evaluate(() => {
      const field = document.querySelector('[data-control="prediction"]');
      let said = 0;
      new MutationObserver((records) => { said += records.length; })
        .observe(document.getElementById('prediction-problem'), { childList: true, characterData: true, subtree: true });
      field.value = '';
      field.dispatchEvent(new InputEvent('input'));
      field.dispatchEvent(new CompositionEvent('compositionstart'));
      for (const step of ['よ', 'よん', 'よんじゅ', 'よんじゅう']) {
        field.value = step;
        field.dispatchEvent(new InputEvent('input', { isComposing: true }));
      }
      field.dispatchEvent(new CompositionEvent('compositionend'));
      return new Promise((done) => setTimeout(() => done(said), 0));
    });
    assert.equal(alerts, 2, 'emptied, then the one word');
    await page.close();
  });

  test('the typed prediction and what was found out survive a reload; a record of the first version opens as it was', async () => {
    const page = await fresh();
    await page.evaluate((key) => localStorage.setItem(key, JSON.stringify({
      kind: 'shoutotsu-record', version: 1, rows: [{ n: 1, m1: '20', m2: '20', r1: '10', r2: '10', height: '20', length: '60', speed: '中', result: '37.9cm' }],
    })), KEY);
    await page.reload();
    await page.waitForSelector('html[data-ready="1"]');
    assert.deepEqual(await rowCells(page), [{ prediction: '', result: '37.9', changed: [], many: '' }]);
    assert.equal(await page.locator('[data-notice]').count(), 0, 'nothing set aside');
    await control(page, 'prediction').fill('45.5');
    await control(page, 'record-notes').fill('おもいぴるてほど、遠くまで動いた。');
    await page.reload();
    await page.waitForSelector('html[data-ready="1"]');
    assert.equal(await control(page, 'prediction').inputValue(), '45.5');
    assert.equal(await control(page, 'record-notes').inputValue(), 'おもいぴるてほど、遠くまで動いた。');
    page.once('dialog', (dialog) => dialog.accept());
    await control(page, 'recordClear').click();
    assert.equal(await control(page, 'record-notes').inputValue(), '', 'cleared with the record');
    await page.close();
  });

  test('changed conditions are marked; two at once are said to show nothing; the speed is never one', async () => {
    const page = await fresh();
    await page.evaluate(() => {
      // The runs as the form reports them, straight to the record.
      const desk = document.getElementById('desk');
      window.report = (detail) => desk.querySelector('[data-control="main"]').dispatchEvent(new CustomEvent('shoutotsu:run', {
        bubbles: true, detail,
      }));
    });
    for (const r of [run({ m1: 10 }), run({ m1: 30 }), run({ m1: 50 }), run({ m1: 50, height: 30, r1: 12 }), run({ m1: 50, height: 30, r1: 12, speed: 'fast' })]) {
      await page.evaluate((x) => window.report(x), r);
    }
    await recordSettled(page);
    const rows = await rowCells(page);
    assert.deepEqual(rows.map((row) => row.changed), [[], ['m1'], ['m1'], ['r1', 'height'], []]);
    assert.deepEqual(rows.map((row) => Boolean(row.many)), [false, false, false, true, false]);
    assert.match(rows[3].many, /2つ以上の条件を変えました/);
    assert.match(await page.locator('[data-changed="true"]').first().textContent(), /変えた条件/, 'heard as well as seen');
    await page.close();
  });

  test('the chart saves as a PNG twice its shown size; a refused clipboard shows the table selected', async () => {
    const page = await fresh({ width: 1180, height: 820 });
    await control(page, 'prediction').fill('30');
    await control(page, 'start').click();
    await waitForRunEnd(page);
    assert.equal(await page.locator('.record-prediction').count(), 1, 'the prediction is a hollow mark on the chart');
    const shown = await page.locator('.record-drawing svg').boundingBox();
    const [download] = await Promise.all([page.waitForEvent('download'), control(page, 'chart-png').click()]);
    assert.match(download.suggestedFilename(), /^shoutotsu-chart-\d{8}-\d{4}\.png$/);
    const png = decodePng(await readFile(await download.path()));
    assert.deepEqual([png.width, png.height], [Math.round(shown.width * 2), Math.round(shown.height * 2)]);

    await page.evaluate(() => { navigator.clipboard.writeText = () => Promise.reject(new Error('denied')); });
    await control(page, 'record-copy').click();
    const area = page.locator('.record-by-hand textarea');
    await area.waitFor();
    assert.match(await page.locator('.record-by-hand').textContent(), /Ctrl\+C/);
    const selected = await area.evaluate((a) => a.value.slice(a.selectionStart, a.selectionEnd));
    assert.equal(selected.split(/\r?\n/)[1], '1\t20\t20\t10\t10\t20\t60\t中\t30\t37.9');
    await page.close();
  });
});
