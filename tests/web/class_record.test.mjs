// The class's record on the real page, in Chromium: group files chosen at
// once in the forms they arrive in, checked by the core, one table and one
// chart; a damaged file refused while the others load; a reload, a file
// added twice, a renamed group, the combined CSV, a dropped file, clearing;
// and the time 1000 rows take to be read and checked.
import { test, describe, before, after } from 'node:test';
import assert from 'node:assert/strict';
import { readFileSync } from 'node:fs';
import { readFile } from 'node:fs/promises';
import AxeBuilder from '@axe-core/playwright';
import { control, launchChromium, openPage, serveSite } from './harness.mjs';

const HEADER = '回,当てるぴるての重さ (g),当てられるぴるての重さ (g),当てるぴるての半径 (mm),当てられるぴるての半径 (mm),'
  + 'レールの高さ (cm),ななめの長さ (cm),シミュレーション速度,予想 (cm),結果（当てられるぴるての動いた距離）';
// What the page writes now: the result's unit in its column's name.
const HEADER_NOW = `${HEADER} (cm)`;
const csv = (lines, bom = true) => Buffer.from((bom ? '\uFEFF' : '') + [HEADER, ...lines].join('\r\n') + '\r\n', 'utf8');
const csvFile = (name, lines, bom) => ({ name, mimeType: 'text/csv', buffer: csv(lines, bom) });
// The results are the core's, as the native trace tool prints them.
const GROUP_1 = csvFile('1班.csv', [
  '1,10,20,10,10,20,60,中,30,25.3cm', '2,20,20,10,10,20,60,中,35.5,37.9cm', '3,30,20,10,10,20,60,中,,45.5cm',
  '4,40,20,10,10,20,60,中,50,50.6cm', '5,50,20,10,10,20,60,中,55,54.2cm',
]);
const GROUP_2 = { name: '2班.csv', mimeType: 'text/csv', buffer: readFileSync(new URL('fixtures/class_group_sjis.csv', import.meta.url)) };
// The second row's result was typed over (45.5cm before).
const GROUP_3 = csvFile('3班.csv', ['1,20,20,10,10,10,60,遅,,26.8cm', '2,30,20,10,10,20,60,遅,,47cm', '3,20,20,10,10,40,60,遅,,53.7cm'], false);
const DAMAGED = csvFile('4班.csv', ['1,20,20,10,10,20,60,中,,37.9cm', '2,30,20,10,10,20,60,中,45.5cm']);
// An empty sheet a spreadsheet saved: only separators.
const COMMAS = { name: '空.csv', mimeType: 'text/csv', buffer: Buffer.from(',,,,\r\n,,,,\r\n') };

// The table is drawn once every row has been put to the core: wait for it.
const shownRows = (page, count) => page.waitForFunction((n) => document.querySelectorAll('[data-control="class-record"] tbody tr').length === n
  && !document.querySelector('.class-mismatch-note:empty'), count);
const tableRows = (page) => page.$$eval('[data-control="class-record"] tbody tr', (trs) => trs.map((tr) =>
  [...tr.children].map((cell) => cell.textContent)));
const messages = (page) => page.$$eval('.class-messages li', (items) => items.map((li) => [li.dataset.message, li.textContent]));

describe('the class\'s record on the page', () => {
  let server;
  let context;
  before(async () => {
    server = await serveSite();
    context = await launchChromium();
  });
  after(async () => {
    await context?.close();
    await server?.close();
  });

  test('three groups\' files give one table, three series and the one edited row marked; bad files are refused alone', async () => {
    const page = await openPage(context, server.url);
    const section = control(page, 'class-record');
    assert.equal(await section.evaluate((details) => details.open), false);
    await section.locator('summary').click();
    await control(page, 'class-files').setInputFiles([GROUP_1, COMMAS, GROUP_2, GROUP_3, DAMAGED]);
    await page.waitForFunction(() => document.querySelectorAll('.class-messages li').length === 5);

    await shownRows(page, 12);
    const rows = await tableRows(page);
    assert.equal(rows.length, 12);
    assert.deepEqual(rows[1], ['1班', '2', '20', '20', '10', '10', '20', '60', '中', '35.5', '37.9', '']);
    assert.deepEqual(rows[5], ['2班', '1', '20', '10', '10', '13', '20', '60', '速', '', '50.6', '']);
    assert.deepEqual(rows.map((row) => row[0]), [...Array(5).fill('1班'), ...Array(4).fill('2班'), ...Array(3).fill('3班')]);
    const marked = await page.$$eval('tr[data-mismatch="true"]', (trs) => trs.map((tr) => tr.textContent));
    assert.equal(marked.length, 1);
    assert.match(marked[0], /^3班2.*47実験の結果と一致しません$/);
    assert.equal(await page.locator('[data-control="class-record"] .record-drawing svg [data-series]').count(), 3);
    assert.equal(await page.locator('[data-control="class-record"] .record-drawing .record-prediction').count(), 4);
    assert.equal(await page.locator('[data-control="class-record"] .record-drawing > svg').getAttribute('data-axis'), 'm1');
    // The speed is no condition of the experiment: never an axis.
    const axes = await control(page, 'class-axis').locator('option').evaluateAll((os) => os.map((o) => o.value));
    assert.deepEqual(axes, ['m1', 'm2', 'r2', 'height']);
    const said = await messages(page);
    assert.deepEqual(said.map(([kind]) => kind), ['added', 'refused', 'added', 'added', 'refused']);
    assert.match(said[1][1], /^「空\.csv」は空です。/);
    assert.match(said[4][1], /^「4班\.csv」の3行目は値が9個あります。正しくは10個です。$/);
    // Heard as a list of messages, and found in a landmark of its own.
    const { violations } = await new AxeBuilder({ page }).withRules(['listitem', 'region']).analyze();
    const ours = violations.flatMap((v) => v.nodes.map((n) => `${v.id}: ${n.target} ${n.html.slice(0, 60)}`)).filter((n) => /class/.test(n));
    assert.deepEqual(ours, []);
    // The learner's own record is untouched.
    assert.equal(await page.locator('[data-control="record"] tbody tr').count(), 0);
    assert.equal(await page.evaluate(() => localStorage.getItem('shoutotsu.record.v1')), null);

    // Kept across a reload; the same file again is noticed, not counted twice.
    await page.reload();
    await page.waitForSelector('html[data-ready="1"]');
    await control(page, 'class-record').locator('summary').click();
    await shownRows(page, 12);
    assert.equal(await page.locator('tr[data-mismatch="true"]').count(), 1);
    await control(page, 'class-files').setInputFiles([{ ...GROUP_1, name: 'もう一度.csv' }]);
    await page.waitForSelector('.class-messages li[data-message="same"]');
    assert.match((await messages(page))[0][1], /「もう一度\.csv」は「1班」と同じ内容/);
    assert.equal((await tableRows(page)).length, 12);

    // A renamed group is written as text, and into the CSV with no formula.
    await page.locator('.class-groups input').first().fill('=1+1 <b>A</b>');
    await page.locator('.class-groups input').first().press('Enter');
    await page.waitForFunction(() => document.querySelector('[data-control="class-record"] tbody th').textContent === '=1+1 <b>A</b>');
    const [download] = await Promise.all([page.waitForEvent('download'), control(page, 'class-csv').click()]);
    const text = (await readFile(await download.path())).toString('utf8');
    const lines = text.split('\r\n');
    assert.equal(lines[0], `\uFEFF班,${HEADER_NOW}`);
    assert.equal(lines[1], "'=1+1 <b>A</b>,1,10,20,10,10,20,60,中,30,25.3");
    assert.equal(lines.length, 14);
    // Put back, the combined file is the class again; in English, its speeds read in English.
    await page.evaluate(() => localStorage.clear());
    await page.reload();
    await page.waitForSelector('html[data-ready="1"]');
    await control(page, 'class-record').locator('summary').click();
    await control(page, 'class-files').setInputFiles([{ name: 'クラス.csv', mimeType: 'text/csv', buffer: Buffer.from(text) }]);
    await page.waitForFunction(() => document.querySelectorAll('[data-control="class-record"] tbody tr').length === 12);
    assert.deepEqual(await page.$$eval('.class-groups input', (fields) => fields.map((f) => f.value)), ["'=1+1 <b>A</b>", '2班', '3班']);

    // A dropped file is added like a chosen one.
    await section.evaluate((details, bytes) => {
      const files = new DataTransfer();
      files.items.add(new File([new Uint8Array(bytes)], '5班.csv', { type: 'text/csv' }));
      details.dispatchEvent(new DragEvent('drop', { dataTransfer: files, bubbles: true, cancelable: true }));
    }, [...csv(['1,50,10,8,14,40,80,速,,79.3cm'])]);
    await page.waitForFunction(() => document.querySelectorAll('[data-control="class-record"] tbody tr').length === 13);

    page.once('dialog', (dialog) => dialog.accept());
    await control(page, 'class-clear').click();
    assert.equal((await tableRows(page)).length, 0);
    // What is kept is only when it was cleared, so that another tab's copy does not bring the groups back.
    assert.deepEqual(await page.evaluate(() => JSON.parse(localStorage.getItem('shoutotsu.class.v1')).groups), []);
    assert.deepEqual(page.consoleErrors, []);
    await page.close();
  });

  test('a full class (4,000 rows) is read and checked against the core, kept, and costs a reload nothing until opened', async () => {
    const lines = [];
    for (let i = 0; lines.length < 4000; i++) {
      const m1 = 10 + (i % 41);
      const m2 = 10 + (Math.floor(i / 41) % 41);
      lines.push(`${lines.length + 1},${m1},${m2},${8 + (i % 7)},${8 + (i % 5)},${10 + (i % 31)},${50 + (i % 31)},中,,0cm`);
    }
    const page = await openPage(context, server.url);
    await page.evaluate(() => localStorage.clear());
    await page.reload();
    await page.waitForSelector('html[data-ready="1"]');
    await control(page, 'class-record').locator('summary').click();
    const started = await page.evaluate(() => performance.now());
    await control(page, 'class-files').setInputFiles([csvFile('大きな班.csv', lines), csvFile('もう1班.csv', lines.slice(0, 1))]);
    await page.waitForSelector('.class-messages li[data-message="refused"]');
    const took = await page.evaluate((t0) => performance.now() - t0, started);
    assert.match((await messages(page))[1][1], /「もう1班\.csv」は入りきりません。クラスの記録は合わせて4000回分/);
    // Every made-up result of 0cm is marked: each row was put to the core.
    await page.waitForFunction(() => document.querySelectorAll('tr[data-mismatch="true"]').length === 4000, null, { timeout: 20000 });
    console.log(`# 4000 rows read, checked and shown in ${took.toFixed(0)} ms`);
    await page.reload();
    await page.waitForSelector('html[data-ready="1"]');
    assert.equal(await page.locator('[data-control="class-record"] tbody tr').count(), 0, 'nothing drawn before it is opened');
    await page.waitForFunction(() => /1班、4000回分/.test(document.querySelector('[data-control="class-record"] h2').textContent));
    assert.deepEqual(page.consoleErrors, []);
    await page.close();
  });
});
